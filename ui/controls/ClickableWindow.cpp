#include "ui/controls/ClickableWindow.h"

namespace sorvel::ui {

void ClickableWindow::Click() {
  if (CompletesClick() && onClick_) onClick_();
}

bool ClickableWindow::OnButtonUp(LPARAM lParam) {
  const bool wasPressed = press_.Release(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  return wasPressed && CompletesClick() && PtInRect(&client, PointOf(lParam));
}

LRESULT ClickableWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is a click of its own
      if (!Enabled()) return 0;
      press_.Press(Handle(), true);
      return 0;
    case WM_LBUTTONUP:
      if (OnButtonUp(lParam) && onClick_) onClick_();
      return 0;
    case WM_CAPTURECHANGED:
      press_.Lost();
      return 0;
    case WM_MOUSEMOVE:
      if (onMouseMove_) {
        const POINT at = PointOf(lParam);
        onMouseMove_(at.x, at.y);
      }
      return 0;
    case WM_SETCURSOR:
      // Only over the window itself: a control inside it keeps its own.
      if (cursor_ && reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
