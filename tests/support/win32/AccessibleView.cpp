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

VARIANT Child(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring Text(IAccessible& object,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                  VARIANT child = Self()) {
  BSTR text = nullptr;
  if (FAILED((object.*get)(child, &text)) || !text) return L"";
  std::wstring result(text, SysStringLen(text));
  SysFreeString(text);
  return result;
}

long Number(IAccessible& object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*),
            VARIANT child) {
  VARIANT value{};
  if (FAILED((object.*get)(child, &value)) || value.vt != VT_I4) return -1;
  return value.lVal;
}

AccessibleView View(IAccessible& object, VARIANT child) {
  AccessibleView view{true,
                      Text(object, &IAccessible::get_accName, child),
                      Number(object, &IAccessible::get_accRole, child),
                      Number(object, &IAccessible::get_accState, child),
                      Text(object, &IAccessible::get_accDefaultAction, child),
                      Text(object, &IAccessible::get_accDescription, child),
                      Text(object, &IAccessible::get_accValue, child)};
  LONG left = 0, top = 0, width = 0, height = 0;
  if (object.accLocation(&left, &top, &width, &height, child) == S_OK)
    view.location = {left, top, left + width, top + height};
  LONG count = 0;
  if (child.lVal == CHILDID_SELF && SUCCEEDED(object.get_accChildCount(&count)))
    view.childCount = count;
  return view;
}

// The child `id` of `object` as an object of its own, or nullptr when
// `object` answers for it (a simple element, S_FALSE) or knows none.
IAccessible* ChildObject(IAccessible& object, long id) {
  IDispatch* dispatch = nullptr;
  if (object.get_accChild(Child(id), &dispatch) != S_OK || !dispatch) return nullptr;
  IAccessible* child = nullptr;
  dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&child));
  dispatch->Release();
  return child;
}

}  // namespace

AccessibleView ViewAccessible(HWND hwnd) {
  AccessibleView view;
  IAccessible* object = ObjectOf(hwnd);
  if (!object) return view;
  view = View(*object, Self());
  object->Release();
  return view;
}

AccessibleView ViewAccessible(HWND hwnd, std::initializer_list<long> path) {
  IAccessible* object = ObjectOf(hwnd);
  AccessibleView view;
  for (auto id = path.begin(); object && id != path.end(); ++id) {
    IAccessible* child = ChildObject(*object, *id);
    if (!child && id + 1 == path.end()) view = View(*object, Child(*id));
    object->Release();
    object = child;
  }
  if (object) {
    view = View(*object, Self());
    object->Release();
  }
  return view;
}

AccessibleView ViewEventObject(HWND hwnd, long objectId, long childId) {
  IAccessible* object = nullptr;
  VARIANT child{};
  if (FAILED(AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(objectId),
                                       static_cast<DWORD>(childId), &object, &child)) ||
      !object)
    return {};
  const AccessibleView view = View(*object, child);
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
