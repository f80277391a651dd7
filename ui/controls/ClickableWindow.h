// A window of our own that the user clicks like a button: the left button
// pressed and released inside it is a click, mouse moves over it are
// reported, and it may show a cursor of its own. `Self` is the control
// class, which its click and mouse-move handlers receive.
#pragma once

#include <functional>
#include <utility>

#include "ui/controls/Window.h"

namespace sorvel::ui {

template <class Self>
class ClickableWindow : public Window {
 public:
  using ClickHandler = std::function<void(Self&)>;
  using MouseMoveHandler = std::function<void(Self&, int x, int y)>;

  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }  // nullptr: the arrow
  HCURSOR Cursor() const { return cursor_; }

  void SetOnClick(ClickHandler onClick) { onClick_ = std::move(onClick); }
  void SetOnMouseMove(MouseMoveHandler onMouseMove) { onMouseMove_ = std::move(onMouseMove); }

 protected:
  // Whether a release inside the window completes the click the press
  // began; a control may refuse it, for one when it was disabled meanwhile.
  virtual bool CompletesClick() const { return true; }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:  // a quick second click is a click of its own
        if (!Enabled()) return 0;
        pressed_ = true;
        SetCapture(Handle());
        return 0;
      case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        RECT client;
        GetClientRect(Handle(), &client);
        const POINT at = PointOf(lParam);
        if (wasPressed && CompletesClick() && PtInRect(&client, at) && onClick_)
          onClick_(static_cast<Self&>(*this));
        return 0;
      }
      case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
      case WM_MOUSEMOVE:
        if (onMouseMove_) {
          const POINT at = PointOf(lParam);
          onMouseMove_(static_cast<Self&>(*this), at.x, at.y);
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

 private:
  // The signed client coordinates of a mouse message.
  static POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  }

  HCURSOR cursor_ = nullptr;
  bool pressed_ = false;  // the left button went down inside and is still held
  ClickHandler onClick_;
  MouseMoveHandler onMouseMove_;
};

}  // namespace sorvel::ui
