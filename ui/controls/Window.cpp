#include "ui/controls/Window.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "core/Cp932.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/SystemLibrary.h"
#include "ui/controls/Fonts.h"
#include "ui/controls/WindowClass.h"

namespace sorvel::ui {
namespace {

Window::ErrorReporter& Reporter() {
  static Window::ErrorReporter reporter;
  return reporter;
}

// A system control that stands for an object of ours carries it in this
// property too, where FromHandle asks: the user data alone proves nothing of
// a window whose procedure another program may have put in front of ours.
constexpr const wchar_t* kObjectProperty = L"SorvelWindow";
// What our procedure passes every message to, once its object has let go
// while another procedure stood in front of it.
constexpr const wchar_t* kPreviousProperty = L"SorvelPreviousProc";

// The system's DPI, read once: it does not change while the process runs.
int SystemDpi() {
  static const int dpi = [] {
    const int read = GetDeviceCaps(win32::ScreenDc().Get(), LOGPIXELSY);
    return read > 0 ? read : kLayoutDpi;
  }();
  return dpi;
}

// The DPI the system gives a window: that of its monitor on a Windows that
// knows DPIs per monitor (10 from 1607 on), else the system's.
int SystemDpiOfWindow(HWND hwnd) {
  static const auto getDpiForWindow =
      win32::SystemProcedureOf<UINT WINAPI(HWND)>(L"user32.dll", "GetDpiForWindow");
  const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(hwnd)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

// A window inside one of ours stands at its DPI, whatever the system says.
int DpiOfParent(HWND parent) {
  if (Window* window = Window::FromHandle(parent)) return window->Dpi();
  return parent ? SystemDpiOfWindow(parent) : SystemDpi();
}

// A layout place in pixels; a position left to the system stays so.
Place PixelPlace(const Place& place, int dpi) {
  Place pixels = ScaleToDpi(place, dpi);
  if (place.left == CW_USEDEFAULT) pixels.left = CW_USEDEFAULT;
  if (place.top == CW_USEDEFAULT) pixels.top = CW_USEDEFAULT;
  if (place.width == CW_USEDEFAULT) pixels.width = CW_USEDEFAULT;
  if (place.height == CW_USEDEFAULT) pixels.height = CW_USEDEFAULT;
  return pixels;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  if (Window* window = Window::FromHandle(hwnd))
    reinterpret_cast<std::vector<Window*>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

// The window goes with its object: what it is sent while it goes reaches
// its class's procedure alone.
Window::~Window() {
  if (HWND hwnd = hwnd_) {
    if (!subclassed_) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);  // a class of ours
    Detach();
    DestroyWindow(hwnd);
  }
}

// A window of our classes is known by its class's procedure: the user data
// of another window is its own.
Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (GetClassLongPtrW(hwnd, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(StaticProc))
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return static_cast<Window*>(GetPropW(hwnd, kObjectProperty));
}

void Window::SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

void Window::Report(const std::exception_ptr& error) {
  if (Reporter()) Reporter()(error);
}

void Window::CreateWindowOf(const WindowKind& kind, const ControlArgs& args) {
  if (kind.systemClass) {
    RegisterCommonControlClasses();
  } else {
    RegisterClassOnce(kind.className, kind.cursor, kind.background, StaticProc);
  }
  const bool child = (kind.style & WS_CHILD) != 0;
  // A top-level window is made at the system's DPI, the likely one of its
  // monitor, and follows the monitor's once it exists.
  dpi_ = child ? DpiOfParent(args.parent) : SystemDpi();
  layout_ = args.place;
  const Place place = PixelPlace(args.place, dpi_);
  HWND hwnd =
      CreateWindowExW(kind.exStyle, kind.className, win32::Cp932ToWideLenient(args.text).c_str(),
                      kind.style | (args.visible ? WS_VISIBLE : 0), place.left, place.top,
                      place.width, place.height, args.parent, nullptr, GetModuleHandleW(nullptr),
                      kind.systemClass ? nullptr : this);
  // A system control that cannot be subclassed would never reach its
  // handlers: it is a control that cannot be made.
  if (hwnd && kind.systemClass && !Subclass(hwnd)) {
    DestroyWindow(hwnd);
    hwnd = nullptr;
  }
  if (!hwnd) throw WindowNotMade(args.name);
  SetName(args.name);
  if (!child) FollowMonitorDpi();
  if (args.font) SetFont(args.font);
}

void Window::FollowMonitorDpi() {
  const int dpi = SystemDpiOfWindow(hwnd_);
  if (dpi == dpi_) return;
  dpi_ = dpi;
  const Place place = PixelPlace(layout_, dpi_);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (place.left == CW_USEDEFAULT || place.top == CW_USEDEFAULT) flags |= SWP_NOMOVE;
  if (place.width == CW_USEDEFAULT || place.height == CW_USEDEFAULT) flags |= SWP_NOSIZE;
  SetWindowPos(hwnd_, nullptr, place.left, place.top, place.width, place.height, flags);
}

void Window::ApplyDpi(int dpi) {
  std::vector<Window*> windows{this};
  EnumChildWindows(hwnd_, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  // Every window knows the new DPI before any of them lays itself out.
  for (Window* window : windows) window->dpi_ = dpi;
  for (Window* window : windows) window->FollowDpi(window != this);
}

// A window inside another stands where its layout puts it; the top-level
// window is placed by whoever changed its DPI.
void Window::FollowDpi(bool placed) {
  if (placed) {
    const Place place = ScaleToDpi(layout_, dpi_);
    SetWindowPos(hwnd_, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (layoutFont_) SetFont(layoutFont_);
  OnDpiChanged();
}

// Our procedure goes in front of the control's own, and finds its object in
// the user data, which the system's controls leave to the application: a
// message costs no request to the window manager, as a property would under
// Wine (about 27 microseconds each), and a button receives dozens of
// messages while the main window is made.
bool Window::Subclass(HWND hwnd) {
  if (!SetPropW(hwnd, kObjectProperty, this)) return false;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previousProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  if (!previousProc_) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, kObjectProperty);
    return false;
  }
  hwnd_ = hwnd;
  subclassed_ = true;
  return true;
}

// A window of our classes keeps its user data to the end: no message
// follows WM_NCDESTROY, and a destructor clears it first. A system control
// gets its own procedure back; when another stands in front of ours, ours
// stays in the chain and passes every message on.
void Window::Detach() {
  if (subclassed_) {
    if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc)) {
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    } else {
      SetPropW(hwnd_, kPreviousProperty, reinterpret_cast<HANDLE>(previousProc_));
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    RemovePropW(hwnd_, kObjectProperty);
  }
  subclassed_ = false;
  hwnd_ = nullptr;
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* self = static_cast<Window*>(create->lpCreateParams)) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
    return self->Dispatch(message, wParam, lParam);
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProperty));
  if (message == WM_NCDESTROY) RemovePropW(hwnd, kPreviousProperty);
  return previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

// WM_NCDESTROY is the window's last message: its class's procedure has had
// it by the time the object lets go.
LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const bool handled = Guard([&] { result = OnMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) Detach();
  return handled ? result : 0;
}

std::optional<AccessibleTraits> Window::Accessibility() const {
  if (accessibleName_.empty()) return std::nullopt;
  const bool tabStop = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_TABSTOP) != 0;
  return AccessibleTraits{.name = accessibleName_, .focusable = tabStop};
}

LRESULT Window::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam != 0) {
    if (Window* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
      child->OnNotify(HIWORD(wParam));
      return 0;
    }
  }
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && Accessibility()) {
    if (const LRESULT answer = AnswerGetObject(hwnd_, wParam)) return answer;
  }
  if (message == kDefaultActionMessage) {
    // Asked for before a modal box came up, and delivered by the box's own
    // message loop: the box holds it off as it would hold off a click.
    if (TakesClicks(hwnd_)) DoDefaultAction();
    return 0;
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (Window* child = FromHandle(item->hwndItem); child && child->OnDrawItem(*item)) return TRUE;
  }
  if (!subclassed_) {
    // Windows of our own classes keep their font as standard controls do.
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
    if (message == WM_SETFONT) {
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Invalidate();
      return 0;
    }
  }
  if (PaintsItself()) {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        const win32::PaintScope paint(hwnd_);
        PaintClient(paint.Dc());
        return 0;
      }
      case WM_PRINTCLIENT:
        PaintClient(reinterpret_cast<HDC>(wParam));
        return 0;
    }
  }
  return CallDefault(message, wParam, lParam);
}

void Window::PaintClient(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  Paint(dc, client);
}

void Window::Paint(HDC, const RECT&) {}

HGDIOBJ Window::PaintFont() const { return font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT); }

std::string Window::Text() const {
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return win32::WideToCp932(text).value_or(std::string());
}

void Window::SetText(const std::string& text) {
  SetWindowTextW(hwnd_, win32::Cp932ToWideLenient(text).c_str());
  if (PaintsItself()) Invalidate();
}

void Window::SetBounds(const Place& place) {
  layout_ = place;
  const Place pixels = ScaleToDpi(place, dpi_);
  MoveWindow(hwnd_, pixels.left, pixels.top, pixels.width, pixels.height, TRUE);
}

void Window::SetSize(int width, int height) {
  layout_.width = width;
  layout_.height = height;
  SetWindowPos(hwnd_, nullptr, 0, 0, ScaleToDpi(width, dpi_), ScaleToDpi(height, dpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Window::Bounds() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  HWND parent = GetAncestor(hwnd_, GA_PARENT);
  if (parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

int Window::Width() const {
  RECT r = Bounds();
  return r.right - r.left;
}

int Window::Height() const {
  RECT r = Bounds();
  return r.bottom - r.top;
}

SIZE Window::LayoutSize() const {
  return {UnscaleFromDpi(Width(), dpi_), UnscaleFromDpi(Height(), dpi_)};
}

void Window::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Window::Visible() const { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Window::SetEnabled(bool enabled) {
  EnableWindow(hwnd_, enabled);
  Invalidate();
}
bool Window::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Window::SetTabStop(bool tabStop) {
  const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  const LONG wanted = tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP;
  if (wanted != style) SetWindowLongW(hwnd_, GWL_STYLE, wanted);
}

void Window::SetFont(HFONT font) {
  layoutFont_ = font;
  font_ = FontAtDpi(font, dpi_);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), IsWindowVisible(hwnd_));
}

// A window that is not on the screen has nothing to repaint: showing it (or
// its parent) repaints all of it. Under Wine each invalidation is a round
// trip to the server, and the windows are built and first filled hidden.
void Window::Invalidate() {
  if (IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, nullptr, TRUE);
}

Window* FindControl(HWND parent, const std::string& name) {
  std::vector<Window*> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  const std::string lowered = cp932::AsciiLower(name);
  for (Window* window : windows) {
    if (cp932::AsciiLower(window->Name()) == lowered) return window;
  }
  return nullptr;
}

}  // namespace sorvel::ui
