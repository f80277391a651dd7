// Keyboard focus of a dialog window across activations: the control that
// had the focus when the window was last left gets it back, and the first
// control in the tab order gets it the first time.
#pragma once

#include <windows.h>

namespace sorvel::ui {

class DialogFocus {
 public:
  // For WM_ACTIVATE; true when the focus was placed (the message is then
  // handled, so the window itself does not take the focus).
  bool OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus && IsChild(window, focus)) last_ = focus;
      return false;
    }
    HWND target =
        last_ && IsChild(window, last_) && IsWindowEnabled(last_) && IsWindowVisible(last_)
            ? last_
            : FirstTabStop(window);
    if (!target) return false;
    SetFocus(target);
    return true;
  }

 private:
  static HWND FirstTabStop(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      const LONG style = GetWindowLongW(child, GWL_STYLE);
      if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return child;
    }
    return nullptr;
  }

  HWND last_ = nullptr;
};

}  // namespace sorvel::ui
