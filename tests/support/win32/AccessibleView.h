// What a screen reader learns of a window, asked as one asks: the client
// object AccessibleObjectFromWindow gives, in this process or in another
// (then the asking thread must have joined a COM apartment).
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace sorvel::test {

struct AccessibleView {
  bool found = false;  // the window gave an object
  std::wstring name;
  long role = -1;
  long state = -1;
  std::wstring defaultAction;
  std::wstring description;
  std::wstring value;
  RECT location{};  // on the screen
  long childCount = -1;
};

AccessibleView ViewAccessible(HWND hwnd);
// The object reached from the window's client object through get_accChild
// with each child id of `path` in turn.
AccessibleView ViewAccessible(HWND hwnd, std::initializer_list<long> path);
// The object an event names, resolved as a screen reader resolves it
// (AccessibleObjectFromEvent).
AccessibleView ViewEventObject(HWND hwnd, long objectId, long childId);

// Asks the window's object for its default action.
HRESULT DoAccessibleDefaultAction(HWND hwnd);

}  // namespace sorvel::test
