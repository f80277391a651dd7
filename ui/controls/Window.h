// A thin base for every window of the launcher, top-level or child.
//
// A window of our own classes keeps `this` in its GWLP_USERDATA from
// WM_NCCREATE on; a system control (button, list box, combo box, edit) is
// subclassed: our procedure stands in front of its own, with `this` in its
// user data. Either way every later
// message reaches the virtual OnMessage, until the window is destroyed or
// the object is: whichever goes first lets go of the other. Every message
// handler runs inside one guard: an error escaping a handler goes to the
// reporter set with SetErrorReporter (the application's error box) and the
// event loop goes on.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "ui/controls/Accessibility.h"
#include "ui/controls/Scaling.h"

namespace sorvel::ui {

// What every window is made from: its parent (or owner), its name, its text,
// where it stands and its font.
struct ControlArgs {
  HWND parent = nullptr;
  std::string name{};    // "btnShow", "Btn3"; lookups ignore case
  std::string text{};    // the window text: a caption
  Place place;           // at 96 DPI; the window stands scaled to its own DPI
  HFONT font = nullptr;  // a FormFont at 96 DPI, taken at the window's DPI; nullptr: the system's
  bool visible = true;
};

// The system refused to make a window. The base words nothing: whoever
// reports the error says so in its own words, naming the window.
class WindowNotMade : public std::runtime_error {
 public:
  explicit WindowNotMade(const std::string& windowName)
      : std::runtime_error("window not made: " + windowName), windowName_(windowName) {}
  const std::string& WindowName() const { return windowName_; }

 private:
  std::string windowName_;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  // The object behind a window created by this class, or nullptr.
  static Window* FromHandle(HWND hwnd);

  // The control's name ("btnShow", "Btn3"); lookups ignore case.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  // Window text as CP932 bytes.
  std::string Text() const;
  void SetText(const std::string& text);

  // Where the window stands is set in the layout's units (96 DPI) and read
  // in pixels. A window made by a window of ours takes its DPI; a top-level
  // window the DPI of its monitor.
  int Dpi() const { return dpi_; }
  void SetBounds(const Place& place);
  void SetSize(int width, int height);
  RECT Bounds() const;  // relative to the parent's client area
  int Width() const;
  int Height() const;
  SIZE LayoutSize() const;  // the outer size at 96 DPI
  // Takes `dpi` for this window and every window inside it: each stands
  // where its layout puts it at that DPI, in its font made for that DPI.
  void ApplyDpi(int dpi);
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  // Whether Tab stops at the control.
  void SetTabStop(bool tabStop);
  void SetFont(HFONT font);  // not owned; a FormFont at 96 DPI is taken at the window's DPI
  HFONT Font() const { return font_; }  // as made for the window's DPI
  // What the window's text is painted in: its font, else the system's GUI
  // font, as a control given none shows.
  HGDIOBJ PaintFont() const;
  // Repaints the window later; nothing while it is not visible.
  void Invalidate();

  // Paints the client area; serves WM_PAINT and WM_PRINTCLIENT alike, so a
  // test can paint a window into a memory DC.
  virtual void Paint(HDC dc, const RECT& client);
  // False leaves painting to the window class (standard controls).
  virtual bool PaintsItself() const { return false; }

  // What a screen reader is told about the control; nullopt: the system's
  // standard account of it. By default the name given below, if any.
  virtual std::optional<AccessibleTraits> Accessibility() const;
  // The name a person would give the control, for a control whose window
  // text does not say what it is (CP932).
  void SetAccessibleName(const std::string& name) { accessibleName_ = name; }

  // Where errors escaping a handler go (the application's error box, which
  // words them).
  using ErrorReporter = std::function<void(const std::exception_ptr&)>;
  static void SetErrorReporter(ErrorReporter reporter);
  // Runs `handler` inside the error guard; returns false when it threw. A
  // template, not a std::function: it guards every message.
  template <typename Handler>
  static bool Guard(Handler&& handler) {
    std::exception_ptr error;
    try {
      handler();
      return true;
    } catch (const std::exception&) {
      error = std::current_exception();
    }
    // Reported outside the catch block: the error box runs a message loop
    // of its own.
    Report(error);
    return false;
  }

 protected:
  // The kind of window a class of ours makes.
  struct WindowKind {
    const wchar_t* className = nullptr;
    // A system class (BUTTON, EDIT, ...) is subclassed so that its messages
    // still reach OnMessage; a class of our own is registered when first
    // used, with the cursor and background below.
    bool systemClass = false;
    DWORD style = 0;  // WS_VISIBLE comes from ControlArgs::visible
    DWORD exStyle = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
  };
  // The one routine behind every window of the launcher: creates it as
  // `kind` says, placed, named and given its font as `args` say. Throws
  // WindowNotMade when the system refuses to create it.
  void CreateWindowOf(const WindowKind& kind, const ControlArgs& args);

  // Handles one message. The default paints windows that paint
  // themselves, hands WM_COMMAND and WM_DRAWITEM back to the child control
  // that sent them, and passes everything else to the window class.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification this control sent to its parent (BN_CLICKED, LBN_DBLCLK,
  // CBN_SELCHANGE, ...), handed back to it.
  virtual void OnNotify(WORD /*code*/) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // A screen reader asked for the default action the traits name.
  virtual void DoDefaultAction() {}
  // The window's DPI changed and it stands in its new place: what a
  // control sizes itself (item heights, pictures) follows here.
  virtual void OnDpiChanged() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  static void Report(const std::exception_ptr& error);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool Subclass(HWND hwnd);
  // Lets go of the window: no message reaches this object any more.
  void Detach();
  // Paints the client area into `dc`, for WM_PAINT and WM_PRINTCLIENT alike.
  void PaintClient(HDC dc);
  void FollowMonitorDpi();
  void FollowDpi(bool placed);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;         // a system control: its class's procedure answers by default
  WNDPROC previousProc_ = nullptr;  // the system control's procedure behind ours
  HFONT font_ = nullptr;
  HFONT layoutFont_ = nullptr;  // the font at 96 DPI that font_ was made from
  int dpi_ = kLayoutDpi;
  Place layout_;  // where it stands at 96 DPI
  std::string name_;
  std::string accessibleName_;
};

// Finds a direct or nested child window of `parent` by its control name,
// without regard to case ("btn3" finds "Btn3").
Window* FindControl(HWND parent, const std::string& name);

}  // namespace sorvel::ui
