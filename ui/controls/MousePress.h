// The left button held on something of a window: the window keeps the mouse
// (its capture) from the press until the button goes up or the capture is
// taken away, so that a release outside still ends the press. And where a
// mouse message points, for every window that reads one.
#pragma once

#include <windows.h>

#include <utility>

namespace sorvel::ui {

// The signed client coordinates of a mouse message.
inline POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

template <typename Target>
class MousePress {
 public:
  // The button went down on `target`; nothing is held for an empty target.
  void Press(HWND window, Target target) {
    target_ = target;
    if (target_) SetCapture(window);
  }
  // The button went up: what it was held on, the mouse let go.
  Target Release(HWND window) {
    Target target = std::exchange(target_, Target{});
    if (GetCapture() == window) ReleaseCapture();
    return target;
  }
  // WM_CAPTURECHANGED: another window took the mouse, the press is over.
  void Lost() { target_ = Target{}; }
  Target Held() const { return target_; }

 private:
  Target target_{};
};

}  // namespace sorvel::ui
