// The floor under the launcher's start-up: a program that makes exactly the
// windows the launcher makes at start-up - the same classes, styles,
// parents, places, captions and fonts, in the same order - and nothing else:
// no catalogue, no scan, no pictures (the launcher's have no windows), no
// dialogs (the launcher makes them at their first use), no cursors or icons
// of its own, no text drawn. Every window of its own classes only fills its
// background. What it takes to start is what Wine takes to make and show
// those windows; the launcher cannot start faster without making fewer.
//
//   FloorWindow.exe ENTRIES    (the number of title panels, 1 when not given)
// clang-format off
#include <windows.h>
#include <commctrl.h>  // needs <windows.h> first
// clang-format on

#include <cwchar>
#include <string>

#include "app/StartupProbe.h"
#include "bench/wine/ButtonFace.h"
#include "ui/Layout.h"

namespace {

using sorvel::ui::kMainWindow;
using sorvel::ui::Place;

// The classes of the launcher's own windows, registered as it registers them.
constexpr const wchar_t* kMainClass = L"SorvelMainWindow";
constexpr const wchar_t* kPanelClass = L"SorvelBevelPanel";

// The styles the launcher gives each kind of window.
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kPanelStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kButtonStyle = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON;

HWND mainWindow = nullptr;
int dpi = sorvel::ui::kLayoutDpi;
int failures = 0;  // windows the system refused

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      sorvel::bench::PaintButtonFace(hwnd);
      return 0;
    case WM_DESTROY:
      if (hwnd == mainWindow) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterFloorClass(const wchar_t* name, HBRUSH background) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

void RegisterFloorClasses() {
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  for (const wchar_t* name : {kMainClass, kPanelClass}) RegisterFloorClass(name, face);
}

// The launcher's form font, "ＭＳ Ｐゴシック" `height` pixels high at 96 DPI.
HFONT FormFont(int height) {
  LOGFONTW lf{};
  lf.lfHeight = -sorvel::ui::ScaleToDpi(height, dpi);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfWeight = FW_NORMAL;
  lf.lfQuality = DEFAULT_QUALITY;
  wcscpy_s(lf.lfFaceName, L"ＭＳ Ｐゴシック");
  return CreateFontIndirectW(&lf);
}

struct Made {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  const wchar_t* text = L"";
  Place place{};
  HFONT font = nullptr;
};

// A window as the launcher makes it: a control visible in its parent, a
// top-level window hidden; placed at the DPI, then given its font.
HWND Make(const Made& made) {
  const bool child = (made.style & WS_CHILD) != 0;
  Place at = sorvel::ui::ScaleToDpi(made.place, dpi);
  if (made.place.left == CW_USEDEFAULT) at.left = at.top = CW_USEDEFAULT;
  HWND hwnd = CreateWindowExW(made.exStyle, made.className, made.text,
                              made.style | (child ? WS_VISIBLE : 0), at.left, at.top, at.width,
                              at.height, made.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) {
    ++failures;
    return nullptr;
  }
  if (made.font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(made.font), FALSE);
  return hwnd;
}

// Returns the first button, which takes the focus once the window shows.
HWND MakeSidePanel(HFONT font) {
  const auto& layout = kMainWindow;
  // The side panel stands as high as the window less its gap.
  const Place side{layout.pnlMain.left, layout.pnlMain.top, layout.pnlMain.width,
                   layout.height - layout.sidePanelGap};
  HWND pnlMain = Make({kPanelClass, kPanelStyle, WS_EX_CONTROLPARENT, mainWindow, L"", side, font});
  const struct {
    const wchar_t* caption;
    const Place& place;
  } buttons[] = {{L"詳細", layout.btnShow},
                 {L"終了", layout.btnEnd},
                 {L"参照", layout.btnChangeDrive},
                 {L"最新版ダウンロード", layout.btnDownLoad},
                 {L"ヘルプ", layout.btnHelp}};
  HWND order[6];
  for (int i = 0; i < 5; ++i) {
    order[i] =
        Make({L"BUTTON", kButtonStyle, 0, pnlMain, buttons[i].caption, buttons[i].place, font});
  }
  HWND panel2 =
      Make({kPanelClass, kPanelStyle, WS_EX_CONTROLPARENT, pnlMain, L"", layout.Panel2, font});
  // The focus order: the first four buttons, the frame, the help button.
  order[5] = order[4];
  order[4] = panel2;
  HWND after = HWND_TOP;
  for (HWND control : order) {
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
  }
  return order[0];
}

void MakeTitleBoard(int count, HFONT font) {
  for (int n = 1; n <= count; ++n) {
    const std::wstring caption = L"        タイトル " + std::to_wstring(n);
    HWND panel = Make({kPanelClass, kPanelStyle, 0, mainWindow, caption.c_str(),
                       sorvel::ui::TitlePanelPlace(n, count), font});
    SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void CenterOnScreen(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd, nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  sorvel::probe::Start();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const int entries = static_cast<int>(std::wcstol(commandLine, nullptr, 10));
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (screenDpi > 0) dpi = screenDpi;

  RegisterFloorClasses();
  const HFONT font = FormFont(sorvel::ui::kFontHeight);
  const Place window{CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height};
  mainWindow =
      Make({kMainClass, kFormStyle, kFormExStyle, nullptr, L"Sorvel Launcher", window, font});
  if (!mainWindow) return 1;
  sorvel::probe::Mark("main window");
  HWND btnShow = MakeSidePanel(font);
  MakeTitleBoard(entries > 0 ? entries : 1, font);
  sorvel::probe::Mark("windows");

  CenterOnScreen(mainWindow);
  ShowWindow(mainWindow, SW_SHOW);
  UpdateWindow(mainWindow);
  SetFocus(btnShow);
  sorvel::probe::Mark("shown");
  if (failures > 0) return 1;
  return RunEventLoop();
}
