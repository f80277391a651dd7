// FloorWindow.exe: the floor under the launcher's start-up (Floor.h), started
// in a series' home folder as the launcher is, for the start-up benchmark.
#include <windows.h>
// clang-format off
#include <commctrl.h>  // needs <windows.h> first
// clang-format on

#include <string>

#include "app/StartupProbe.h"
#include "bench/floor/Floor.h"

namespace {

// The launcher's event loop: the dialog keys of each top-level window, and
// the end of the start-up announced the first time nothing is left to do.
int RunEventLoop() {
  MSG msg;
  bool announced = false;
  for (;;) {
    if (!announced && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      sorvel::probe::AnnounceDone("painted and idle");
      announced = true;
    }
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

std::wstring CurrentDirectory() {
  wchar_t folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring home(folder, length < MAX_PATH ? length : 0);
  if (!home.empty() && home.back() == L'\\') home.pop_back();
  return home;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  sorvel::probe::Start();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  sorvel::probe::Mark("common controls");
  if (!sorvel::floor::OpenFloor(CurrentDirectory(), {.mark = sorvel::probe::Mark})) return 1;
  return RunEventLoop();
}
