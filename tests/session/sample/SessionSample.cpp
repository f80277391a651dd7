// A program of the series that writes nothing anywhere: the caption of its
// window says where and how it was started, "<current directory>|<command
// line>", for the test to read. The window is never shown (under Wine each
// window shown and closed costs the test seconds). The program ends when the
// window is closed, or by itself after a minute should nobody close it.
#include <windows.h>

#include <string>

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMilliseconds = 60000;

LRESULT CALLBACK SampleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = SampleProc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = L"SorvelSessionSample";
  RegisterClassW(&wc);

  wchar_t folder[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring caption = std::wstring(folder) + L"|" + GetCommandLineW();
  HWND window =
      CreateWindowExW(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      0, 0, 320, 80, nullptr, nullptr, instance, nullptr);
  SetTimer(window, kGiveUpTimer, kGiveUpMilliseconds, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
