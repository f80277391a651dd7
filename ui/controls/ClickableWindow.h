// A window of our own that the user clicks like a button: the left button
// pressed and released inside it is a click, mouse moves over it are
// reported, and it may show a cursor of its own.
#pragma once

#include <functional>
#include <utility>

#include "ui/controls/MousePress.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

class ClickableWindow : public Window {
 public:
  using ClickHandler = std::function<void()>;
  using MouseMoveHandler = std::function<void(int x, int y)>;

  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }  // nullptr: the arrow
  HCURSOR Cursor() const { return cursor_; }

  void SetOnClick(ClickHandler onClick) { onClick_ = std::move(onClick); }
  void SetOnMouseMove(MouseMoveHandler onMouseMove) { onMouseMove_ = std::move(onMouseMove); }

  // A click without the mouse (a key, a screen reader): the click handler
  // runs as for the mouse, when the control takes clicks now.
  void Click();

 protected:
  // Whether a release inside the window completes the click the press
  // began; a control may refuse it, for one when it was disabled meanwhile.
  virtual bool CompletesClick() const { return true; }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoDefaultAction() override { Click(); }

 private:
  bool OnButtonUp(LPARAM lParam);

  HCURSOR cursor_ = nullptr;
  MousePress<bool> press_;  // the left button went down inside and is still held
  ClickHandler onClick_;
  MouseMoveHandler onMouseMove_;
};

}  // namespace sorvel::ui
