// A stand-in for one program of the maths series: a small window that says
// which program it is, where it was started and with which command line.
#include <windows.h>

#include <string>

#include "sample_title.h"  // SAMPLE_TITLE, one per built program

namespace {

std::wstring Describe() {
  wchar_t module[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  wchar_t folder[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, folder);
  std::wstring text = SAMPLE_TITLE;
  text += L"\n\nプログラム: ";
  text += module;
  text += L"\n作業フォルダ: ";
  text += folder;
  text += L"\nコマンドライン: ";
  text += GetCommandLineW();
  return text;
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      HBRUSH band = CreateSolidBrush(RGB(40, 110, 170));
      RECT top = client;
      top.bottom = 56;
      FillRect(dc, &top, band);
      DeleteObject(band);
      DrawIconEx(dc, 12, 12, LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"), 32, 32, 0,
                 nullptr, DI_NORMAL);
      LOGFONTW lf{};
      lf.lfHeight = -20;
      lf.lfCharSet = SHIFTJIS_CHARSET;
      lf.lfWeight = FW_BOLD;
      wcscpy_s(lf.lfFaceName, L"ＭＳ Ｐゴシック");
      HFONT big = CreateFontIndirectW(&lf);
      lf.lfHeight = -13;
      lf.lfWeight = FW_NORMAL;
      HFONT small = CreateFontIndirectW(&lf);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      HGDIOBJ old = SelectObject(dc, big);
      RECT title{56, 16, client.right - 8, 48};
      DrawTextW(dc, SAMPLE_TITLE, -1, &title, DT_SINGLELINE | DT_LEFT | DT_NOPREFIX);
      SelectObject(dc, small);
      SetTextColor(dc, RGB(0, 0, 0));
      RECT body{12, 70, client.right - 12, client.bottom - 12};
      std::wstring text = Describe();
      DrawTextW(dc, text.c_str(), -1, &body, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, old);
      DeleteObject(big);
      DeleteObject(small);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = L"SorvelSampleProgram";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(wc.lpszClassName, SAMPLE_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 520, 300, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
