// A thin base for every window of the launcher, top-level or child.
//
// One static window procedure stores `this` at WM_NCCREATE and hands every
// later message to the virtual OnMessage. Every message handler runs inside
// one guard: an error escaping a handler is shown in the error box (through
// the reporter set with SetErrorReporter) and the event loop goes on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace sorvel::ui {

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

  void SetBounds(int left, int top, int width, int height);
  RECT Bounds() const;  // relative to the parent's client area
  int Width() const;
  int Height() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFont(HFONT font);  // not owned
  HFONT Font() const { return font_; }
  void Invalidate();

  // Paints the client area; serves WM_PAINT and WM_PRINTCLIENT alike, so a
  // test can paint a window into a memory DC.
  virtual void Paint(HDC dc, const RECT& client);
  // False leaves painting to the window class (standard controls).
  virtual bool PaintsItself() const { return false; }

  // Where errors escaping a handler go (the application's error box).
  static void SetErrorReporter(std::function<void(const std::string&)> reporter);
  // Runs `handler` inside the error guard; returns false when it threw.
  static bool Guard(const std::function<void()>& handler);

 protected:
  struct CreateArgs {
    const wchar_t* className = nullptr;  // registered by Create when new
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;
    int id = 0;
    HCURSOR cursor = nullptr;     // class cursor for new classes
    HBRUSH background = nullptr;  // class background for new classes
  };
  // Creation args for a child control placed where its own args say
  // (parent, left, top, width, height); the caller adds the rest.
  template <class ControlArgs>
  static CreateArgs ChildCreateArgs(const ControlArgs& args) {
    CreateArgs create;
    create.left = args.left;
    create.top = args.top;
    create.width = args.width;
    create.height = args.height;
    create.parent = args.parent;
    return create;
  }
  // Creates a window of a class of our own (registered on first use).
  bool Create(const CreateArgs& args);
  // Creates a standard control (BUTTON, EDIT, ...) and subclasses it so that
  // it still reaches OnMessage.
  bool CreateStandard(const wchar_t* className, const CreateArgs& args);

  // Handles one message. The default paints windows that paint
  // themselves, hands WM_COMMAND and WM_DRAWITEM back to the child control
  // that sent them, and passes everything else to the window class.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification this control sent to its parent (BN_CLICKED, LBN_DBLCLK,
  // CBN_SELCHANGE, ...), handed back to it.
  virtual void OnNotify(WORD /*code*/) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND hwnd);

  HWND hwnd_ = nullptr;
  WNDPROC standardProc_ = nullptr;
  HFONT font_ = nullptr;
  std::string name_;
};

// Finds a direct or nested child window of `parent` by its control name,
// without regard to case ("btn3" finds "Btn3").
Window* FindControl(HWND parent, const std::string& name);

}  // namespace sorvel::ui
