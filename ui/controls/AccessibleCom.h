// The COM and oleacc functions behind the launcher's accessible objects,
// looked up in the system's DLLs at the first request of a screen reader:
// the launcher imports none of them, so a session without a screen reader
// never loads them.
#pragma once

#include <oleacc.h>
#include <windows.h>

#include <string>

namespace sorvel::ui {

struct ComFunctions {
  decltype(&CoInitializeEx) initialise = nullptr;
  decltype(&CreateStdAccessibleObject) createStandard = nullptr;
  decltype(&LresultFromObject) resultFromObject = nullptr;
  decltype(&SysAllocStringLen) allocString = nullptr;

  // A BSTR of `cp932` for a screen reader.
  HRESULT Text(const std::string& cp932, BSTR* out) const;
};

// The IUnknown of the launcher's accessible objects: IAccessible (and the
// IDispatch and IUnknown it is), counted references, the object deleted at
// the last release. An object starts with one reference, its maker's.
class AccessibleObject : public IAccessible {
 public:
  AccessibleObject(const AccessibleObject&) = delete;
  AccessibleObject& operator=(const AccessibleObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) final;
  ULONG STDMETHODCALLTYPE AddRef() final;
  ULONG STDMETHODCALLTYPE Release() final;

 protected:
  AccessibleObject() = default;
  virtual ~AccessibleObject() = default;

 private:
  LONG refs_ = 1;
};

// The functions, with this thread in a single-threaded apartment (the one a
// thread with windows should join); nullptr when any is missing or the
// thread cannot join.
const ComFunctions* AccessibleCom();

// The system's standard client object of `hwnd`, or nullptr.
IAccessible* StandardClientObject(const ComFunctions& com, HWND hwnd);

// The answer to WM_GETOBJECT with `object`, which the answer holds a
// reference of; 0 (the system's standard answer) when that fails.
LRESULT AnswerWith(const ComFunctions& com, WPARAM wParam, IAccessible* object);

}  // namespace sorvel::ui
