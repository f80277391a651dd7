#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {

void PumpMessages() {
  MSG msg;
  for (int round = 0; round < 3; ++round) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

void Click(HWND hwnd, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, at);
  PumpMessages();
}

void MoveMouse(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  PumpMessages();
}

namespace {

BOOL CALLBACK CollectDescendant(HWND child, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(child);
  return TRUE;
}

}  // namespace

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> windows;
  EnumChildWindows(top, CollectDescendant, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace sorvel::test
