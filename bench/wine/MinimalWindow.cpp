// The start-up limit: the least a Win32 program does to put a 640 x 450
// window on the screen and paint it. Built with the launcher's options, and
// with the launcher's side of the start-up benchmark.
#include <windows.h>

#include "app/StartupProbe.h"
#include "bench/wine/ButtonFace.h"

namespace {

LRESULT CALLBACK MinimalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      sorvel::bench::PaintButtonFace(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  sorvel::probe::Start();
  WNDCLASSW wc{};
  wc.lpfnWndProc = MinimalProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"SorvelMinimalWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 640, 450, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  sorvel::probe::Mark("window");
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  sorvel::probe::AnnounceDone("painted");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
