#include "tests/support/win32/AccessibleView.h"

#include <oleacc.h>

namespace sorvel::test {
namespace {

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// The client object of the window; nullptr when it gives none.
IAccessible* ObjectOf(HWND hwnd) {
  IAccessible* object = nullptr;
  // __uuidof: the import library's IID_IAccessible is a thunk, not the GUID.
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
    return nullptr;
  return object;
}

std::wstring Text(IAccessible& object,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
  BSTR text = nullptr;
  if (FAILED((object.*get)(Self(), &text)) || !text) return L"";
  std::wstring result(text, SysStringLen(text));
  SysFreeString(text);
  return result;
}

long Number(IAccessible& object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
  VARIANT value{};
  if (FAILED((object.*get)(Self(), &value)) || value.vt != VT_I4) return -1;
  return value.lVal;
}

}  // namespace

AccessibleView ViewAccessible(HWND hwnd) {
  AccessibleView view;
  IAccessible* object = ObjectOf(hwnd);
  if (!object) return view;
  view = {true, Text(*object, &IAccessible::get_accName),
          Number(*object, &IAccessible::get_accRole), Number(*object, &IAccessible::get_accState),
          Text(*object, &IAccessible::get_accDefaultAction)};
  object->Release();
  return view;
}

HRESULT DoAccessibleDefaultAction(HWND hwnd) {
  IAccessible* object = ObjectOf(hwnd);
  if (!object) return E_FAIL;
  const HRESULT result = object->accDoDefaultAction(Self());
  object->Release();
  return result;
}

}  // namespace sorvel::test
