// All the painting of the benchmark's stand-in windows: the invalid part of
// the window in the button face colour.
#pragma once

#include <windows.h>

namespace sorvel::bench {

inline void PaintButtonFace(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(hwnd, &paint);
}

}  // namespace sorvel::bench
