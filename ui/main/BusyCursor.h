// The hourglass for as long as the object lives: a scan on a slow disc or a
// CD-ROM takes a while and gives the window no chance to answer meanwhile.
#pragma once

#include <windows.h>

namespace sorvel::ui {

class BusyCursor {
 public:
  BusyCursor() : previous_(::SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  // Back to the cursor from before; the arrow when there was none, since no
  // cursor at all would hide the mouse until it moves.
  ~BusyCursor() { ::SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace sorvel::ui
