// What a screen reader learns of a window, asked as one asks: the client
// object AccessibleObjectFromWindow gives, in this process or in another
// (then the asking thread must have joined a COM apartment).
#pragma once

#include <windows.h>

#include <string>

namespace sorvel::test {

struct AccessibleView {
  bool found = false;  // the window gave an object
  std::wstring name;
  long role = -1;
  long state = -1;
  std::wstring defaultAction;
};

AccessibleView ViewAccessible(HWND hwnd);

// Asks the window's object for its default action.
HRESULT DoAccessibleDefaultAction(HWND hwnd);

}  // namespace sorvel::test
