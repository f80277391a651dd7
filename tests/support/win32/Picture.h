// Pictures of windows, to check what they show: a window's client area
// painted through its paint routine, or what the screen shows of it. A
// picture can be kept as a BMP file among the test run's artefacts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sorvel::test {

class Picture {
 public:
  // The client area of `hwnd`, painted into memory through WM_PRINTCLIENT.
  static Picture Printed(HWND hwnd);
  // What the screen shows where `hwnd` is, frame and child windows
  // included, right after the window has been repainted.
  static Picture OnScreen(HWND hwnd);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // How many pixels of `area` (clipped to the picture) are `color`.
  int Count(COLORREF color, const RECT& area) const;
  int Count(COLORREF color) const { return Count(color, {0, 0, width_, height_}); }

  // Saves the picture as `name`.bmp in the folder SORVEL_ARTIFACTS names (or
  // the current folder); returns the file's path.
  std::string Save(const std::string& name) const;

 private:
  Picture(int width, int height) : width_(width), height_(height) {}
  // Copies the pixels of `source` at (left, top) into the picture.
  void CopyFrom(HDC source, int left, int top);

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;  // rows from the top, 0x00RRGGBB
};

// What the screen shows of `hwnd`, saved as an artefact (see Picture::Save)
// and returned for checking.
Picture SaveScreenshot(HWND hwnd, const std::string& name);

// Where `area`, in the client coordinates of `control`, lies in a picture
// of the window `top` taken on the screen (frame included).
RECT AreaOnScreenshot(HWND top, HWND control, RECT area);

}  // namespace sorvel::test
