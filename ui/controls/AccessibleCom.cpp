#include "ui/controls/AccessibleCom.h"

#include <type_traits>

#include "platform/win32/Encoding.h"
#include "platform/win32/SystemLibrary.h"

namespace sorvel::ui {
namespace {

template <typename Function>
void Find(Function& function, const wchar_t* dll, const char* name) {
  function = win32::SystemProcedureOf<std::remove_pointer_t<Function>>(dll, name);
}

// The object behind the request must live in an apartment: the window's
// thread joins a single-threaded one, as a thread with windows should.
bool JoinApartment(const ComFunctions& com) {
  thread_local const bool joined = [&com] {
    const HRESULT hr = com.initialise(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
  }();
  return joined;
}

}  // namespace

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG AccessibleObject::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ComFunctions::Text(const std::string& cp932, BSTR* out) const {
  if (!out) return E_POINTER;
  const std::wstring text = win32::Cp932ToWideLenient(cp932);
  *out = allocString(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

const ComFunctions* AccessibleCom() {
  static const ComFunctions functions = [] {
    ComFunctions found;
    Find(found.initialise, L"ole32.dll", "CoInitializeEx");
    Find(found.createStandard, L"oleacc.dll", "CreateStdAccessibleObject");
    Find(found.resultFromObject, L"oleacc.dll", "LresultFromObject");
    Find(found.allocString, L"oleaut32.dll", "SysAllocStringLen");
    return found;
  }();
  const bool complete = functions.initialise && functions.createStandard &&
                        functions.resultFromObject && functions.allocString;
  return complete && JoinApartment(functions) ? &functions : nullptr;
}

IAccessible* StandardClientObject(const ComFunctions& com, HWND hwnd) {
  IAccessible* standard = nullptr;
  if (FAILED(com.createStandard(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(&standard))))
    return nullptr;
  return standard;
}

LRESULT AnswerWith(const ComFunctions& com, WPARAM wParam, IAccessible* object) {
  const LRESULT result = com.resultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();  // the result holds its own reference
  // A failure is no answer: the system then gives the standard one.
  return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

}  // namespace sorvel::ui
