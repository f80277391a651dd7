// A top-level window of the launcher: the form font, the button-face
// background, showing modally with a modal result, and the event loop.
#pragma once

#include <string>

#include "ui/controls/Fonts.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// Modal results.
constexpr int kModalNone = 0;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

class Form : public Window {
 public:
  struct Args {
    const wchar_t* className = L"SorvelForm";
    std::string name{};
    std::string caption{};
    Place place{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};  // on the screen
    HWND owner = nullptr;
  };
  // Creates the window, hidden, in the form's font, and runs its creation
  // handler. False, after the error box, when the window cannot be created;
  // an error in the creation handler is shown and the window stays.
  bool CreateForm(const Args& args);

  // Shows the window (calling OnShow first) without waiting.
  void Show();
  // Shows the window modally and returns its modal result once it is set
  // by a button, or 2 when it is closed by its title bar.
  int ShowModal();
  void SetModalResult(int result) { modalResult_ = result; }
  void Close();

  // Centres the window on the screen: (screen - size) div 2, at least 0.
  void CenterOnScreen();

  // Runs the event loop until the quit message; returns its exit code.
  // `onFirstIdle`, when given, is called once, the first time the loop finds
  // no message (nothing left to paint either) and is about to wait.
  static int RunEventLoop(void (*onFirstIdle)() = nullptr);
  // Hook for tests: called once each time a modal loop has shown its window.
  static void SetModalShownHook(void (*hook)(Form& form));

 protected:
  virtual void OnCreate() {}  // the creation handler
  virtual void OnShow() {}    // the show handler, before it becomes visible
  // The window was closed by its title bar or Close; default hides a modal
  // window with result 2 and destroys a modeless one.
  virtual void OnClose();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The control that takes the focus when the window is first activated;
  // nullptr: the first control in the tab order.
  virtual HWND FirstFocus() const { return nullptr; }

 private:
  // The keyboard focus across activations, for WM_ACTIVATE: leaving the
  // window keeps the control that had the focus; coming back gives it the
  // focus again, or else FirstFocus(). True when it placed the focus: the
  // message is then handled, so that the window itself does not take it.
  bool RestoreFocus(WPARAM wParam);

  void OnDpiChange(int dpi, const RECT& suggested);

  int modalResult_ = kModalNone;
  bool modal_ = false;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left
};

}  // namespace sorvel::ui
