#include "bench/floor/Floor.h"

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "bench/floor/BareEnumeration.h"
#include "core/UserTexts.h"
#include "ui/Layout.h"

namespace sorvel::floor {
namespace {

using ui::kMainWindow;
using ui::Place;

// Classes of the floor's own, so that a test can open it beside the
// launcher in one process; registered as the launcher registers its own.
constexpr const wchar_t* kMainClass = L"SorvelFloorMain";
constexpr const wchar_t* kPanelClass = L"SorvelFloorPanel";
constexpr const wchar_t* kTitleClass = L"SorvelFloorTitle";

// The styles the launcher gives each kind of window.
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kPanelStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kButtonStyle = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON;

// Caption colours of the title panels (0x00BBGGRR).
constexpr COLORREF kInstalled = RGB(0, 128, 0);
constexpr COLORREF kMissing = RGB(255, 255, 255);

// What a window of the floor's classes paints: its bevel (raised > 0,
// lowered < 0, width at 96 DPI), a border in the face colour, the face, a
// caption left-aligned and centred in height, and a picture, unscaled and
// clipped to its place.
struct Look {
  int bevel = 0;
  int border = 0;
  HBITMAP picture = nullptr;
  Place at{};
  std::wstring caption{};
  COLORREF colour = 0;
};

struct Floor {
  int dpi = ui::kLayoutDpi;
  HFONT font = nullptr;
  HBITMAP background = nullptr;
  HBITMAP smallPicture = nullptr;
  std::deque<Look> looks;  // one per window of the floor's classes
  HWND main = nullptr;
  bool endsProgram = true;
  int failures = 0;  // windows the system refused
};

Floor& TheFloor() {
  static Floor floor;
  return floor;
}

int Scale(int value) { return ui::ScaleToDpi(value, TheFloor().dpi); }

// ---------------------------------------------------------------------------
// The files: the catalogue's bytes and the folders of the first scan.

struct Title {
  std::wstring caption;
  std::wstring exeName;  // lower case
  bool installed = false;
};

struct Series {
  std::wstring caption;
  std::vector<Title> titles;
};

std::wstring Wide(std::string_view cp932) {
  if (cp932.empty()) return {};
  const int size = static_cast<int>(cp932.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  wide.resize(
      static_cast<std::size_t>(MultiByteToWideChar(932, 0, cp932.data(), size, wide.data(), size)));
  return wide;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
  return text;
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  const bool ok = ReadFile(file, bytes.data(), size, &read, nullptr) && read == size;
  CloseHandle(file);
  return ok;
}

// The caption is the first line; every line after the second is a program:
// its title before the first comma, its executable's stem after it.
bool ReadSeries(const std::wstring& home, Series& series) {
  std::string bytes;
  if (!ReadBytes(home + L"\\SVLindex.txt", bytes)) return false;
  std::string_view rest = bytes;
  for (int line = 0; !rest.empty(); ++line) {
    std::string_view text = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(text.size() < rest.size() ? text.size() + 1 : rest.size());
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (line == 0) series.caption = Wide(text);
    if (line < 2 || text.empty()) continue;
    const std::size_t comma = text.find(',');
    const std::string_view stem = comma == text.npos ? "" : text.substr(comma + 1);
    series.titles.push_back({Wide(text.substr(0, comma)),
                             Lower(Wide(stem.substr(0, stem.find(',')))) + L".exe", false});
  }
  return true;
}

// The first scan's folders: the parent of the home folder and its
// sub-folders, each read once.
void FindInstalled(const std::wstring& home, Series& series) {
  EnumerateSeries(home + L"\\..", [&series](const WIN32_FIND_DATAW& data) {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    const std::wstring name = Lower(data.cFileName);
    for (Title& title : series.titles) title.installed = title.installed || name == title.exeName;
  });
}

// ---------------------------------------------------------------------------
// Painting.

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// `width` nested one-pixel frames; `rect` shrinks by them.
void Frame(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    Fill(dc, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    Fill(dc, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    Fill(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    Fill(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    InflateRect(&rect, -1, -1);
  }
}

void PaintPicture(HDC dc, HBITMAP picture, const Place& at) {
  BITMAP info{};
  if (!GetObjectW(picture, sizeof(info), &info)) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture);
  BitBlt(dc, at.left, at.top, std::min<int>(at.width, info.bmWidth),
         std::min<int>(at.height, info.bmHeight), source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void Paint(HWND hwnd, const Look& look) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT rect;
  GetClientRect(hwnd, &rect);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW),
                 face = GetSysColor(COLOR_BTNFACE);
  if (look.bevel > 0) Frame(dc, rect, light, shadow, Scale(look.bevel));
  if (look.bevel < 0) Frame(dc, rect, shadow, light, Scale(-look.bevel));
  Frame(dc, rect, face, face, Scale(look.border));
  Fill(dc, rect, face);
  if (!look.caption.empty()) {
    HGDIOBJ old = SelectObject(dc, TheFloor().font);
    SetTextColor(dc, look.colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  if (look.picture) PaintPicture(dc, look.picture, ui::ScaleToDpi(look.at, TheFloor().dpi));
  EndPaint(hwnd, &paint);
}

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  const auto* look = reinterpret_cast<const Look*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  Floor& floor = TheFloor();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (!look) break;
      Paint(hwnd, *look);
      return 0;
    case WM_DESTROY:
      if (hwnd == floor.main && floor.endsProgram) PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      // The windows inside are gone by now: what they painted with goes.
      if (hwnd != floor.main) break;
      DeleteObject(floor.font);
      DeleteObject(floor.background);
      DeleteObject(floor.smallPicture);
      floor = Floor();
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The windows.

void RegisterFloorClasses() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hIcon = LoadIconW(instance, L"MAINICON");
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  // The cursors of the title panels and of the small picture.
  const HCURSOR titleCursor = LoadCursorW(instance, L"Arrow1CSR");
  LoadCursorW(instance, L"PointCSR");
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  for (const wchar_t* name : {kMainClass, kPanelClass, kTitleClass}) {
    if (name == kTitleClass) wc.hCursor = titleCursor;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }
}

HFONT FormFont() {
  LOGFONTW lf{};
  lf.lfHeight = -Scale(ui::kFontHeight);
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
  std::wstring text;
  Place place{};
  Look* look = nullptr;  // nullptr: a system control, given the font
};

// A window as the launcher makes it: a control visible in its parent, a
// top-level window hidden; placed at the DPI.
HWND Make(const Made& made) {
  Floor& floor = TheFloor();
  const bool child = (made.style & WS_CHILD) != 0;
  Place at = ui::ScaleToDpi(made.place, floor.dpi);
  if (made.place.left == CW_USEDEFAULT) at.left = at.top = CW_USEDEFAULT;
  HWND hwnd =
      CreateWindowExW(made.exStyle, made.className, made.text.c_str(),
                      made.style | (child ? WS_VISIBLE : 0), at.left, at.top, at.width, at.height,
                      made.parent, nullptr, GetModuleHandleW(nullptr), made.look);
  if (!hwnd) {
    ++floor.failures;
    return nullptr;
  }
  if (!made.look) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(floor.font), FALSE);
  return hwnd;
}

Look* NewLook(Look look) { return &TheFloor().looks.emplace_back(std::move(look)); }

// Returns the first button, which takes the focus once the window shows.
HWND MakeSidePanel() {
  Floor& floor = TheFloor();
  const auto& layout = kMainWindow;
  // The side panel stands as high as the window less its gap.
  const Place side{layout.pnlMain.left, layout.pnlMain.top, layout.pnlMain.width,
                   layout.height - layout.sidePanelGap};
  HWND pnlMain = Make({kPanelClass, kPanelStyle, WS_EX_CONTROLPARENT, floor.main, L"", side,
                       NewLook({.bevel = 1})});
  const struct {
    const char* caption;
    const Place& place;
  } buttons[] = {{texts::kShowButton, layout.btnShow},
                 {texts::kEndButton, layout.btnEnd},
                 {texts::kChangeDriveButton, layout.btnChangeDrive},
                 {texts::kDownLoadButton, layout.btnDownLoad},
                 {texts::kHelpButton, layout.btnHelp}};
  HWND order[6];
  for (int i = 0; i < 5; ++i) {
    order[i] =
        Make({L"BUTTON", kButtonStyle, 0, pnlMain, Wide(buttons[i].caption), buttons[i].place});
  }
  HWND panel2 = Make({kPanelClass, kPanelStyle, WS_EX_CONTROLPARENT, pnlMain, L"", layout.Panel2,
                      NewLook({.bevel = -layout.frameBevelWidth,
                               .border = layout.frameBorderWidth,
                               .picture = floor.smallPicture,
                               .at = layout.imgPicture})});
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

// One panel per title, raised, its caption clear of the marker; a missing
// program's panel disabled.
void MakeTitleBoard(const Series& series) {
  const int count = static_cast<int>(series.titles.size());
  for (int n = 1; n <= count; ++n) {
    const Title& title = series.titles[static_cast<std::size_t>(n - 1)];
    const std::wstring caption = L"        " + title.caption;
    HWND panel = Make({kTitleClass, kPanelStyle | (title.installed ? 0 : WS_DISABLED), 0,
                       TheFloor().main, caption, ui::TitlePanelPlace(n, count),
                       NewLook({.bevel = ui::kTitleBoard.raisedBevelWidth,
                                .border = 0,
                                .picture = nullptr,
                                .at = {},
                                .caption = caption,
                                .colour = title.installed ? kInstalled : kMissing})});
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

void Mark(const FloorOptions& options, const char* step) {
  if (options.mark) options.mark(step);
}

}  // namespace

HWND OpenFloor(const std::wstring& home, const FloorOptions& options) {
  Floor& floor = TheFloor();
  floor.endsProgram = options.endsProgram;
  HDC screen = GetDC(nullptr);
  const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (screenDpi > 0) floor.dpi = screenDpi;

  RegisterFloorClasses();
  floor.font = FormFont();
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  floor.background = static_cast<HBITMAP>(
      LoadImageW(instance, L"BACKGROUND", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  floor.smallPicture = static_cast<HBITMAP>(
      LoadImageW(instance, L"SMALLPICTURE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  Mark(options, "classes, font, pictures");
  Series series;
  const bool read = ReadSeries(home, series);
  Mark(options, "catalogue");
  FindInstalled(home, series);
  Mark(options, "enumeration");

  const Place window{CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height};
  floor.main = Make(
      {kMainClass, kFormStyle, kFormExStyle, nullptr, series.caption, window,
       NewLook({.bevel = 0, .border = 0, .picture = floor.background, .at = kMainWindow.imgPict})});
  if (!floor.main) return nullptr;
  HWND main = floor.main;
  HWND btnShow = MakeSidePanel();
  MakeTitleBoard(series);
  Mark(options, "windows");
  if (!read || floor.failures > 0) {
    DestroyWindow(main);
    return nullptr;
  }

  CenterOnScreen(main);
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  SetFocus(btnShow);
  Mark(options, "shown");
  return main;
}

}  // namespace sorvel::floor
