// A top-level window of the launcher: the form font, the button-face
// background, showing modally with a modal result, and the event loop.
#pragma once

#include <functional>
#include <string>

#include "ui/controls/GlyphButton.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// Modal results.
constexpr int kModalNone = 0;
constexpr int kModalOk = 1;
constexpr int kModalCancel = 2;

// The launcher's font, "ＭＳ Ｐゴシック" with the Shift-JIS character set, at a
// height in pixels; one shared font per height, alive for the whole run.
HFONT FormFont(int pixelHeight = 12);

class Form : public Window {
 public:
  struct Args {
    const wchar_t* className = L"SorvelForm";
    std::string name;
    std::string caption;
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = 640, height = 450;
    HWND owner = nullptr;
  };
  bool CreateForm(const Args& args);

  // Shows the window (calling OnShow first) without waiting.
  void Show();
  // Shows the window modally and returns its modal result once it is set
  // by a button, or 2 when it is closed by its title bar.
  int ShowModal();
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }
  bool IsModal() const { return modal_; }
  void Close();

  // Centres the window on the screen: (screen - size) div 2, at least 0.
  void CenterOnScreen();

  // Runs the event loop until the quit message; returns its exit code.
  static int RunEventLoop();
  // Hook for tests: called once each time a modal loop has shown its window.
  static void SetModalShownHook(void (*hook)(Form& form));

 protected:
  // Where a control stands in its parent's client area.
  struct Place {
    int left = 0, top = 0, width = 0, height = 0;
  };
  // Creates one of the form's push buttons on `parent` (the form itself or
  // a panel of it), in the form's font, running `onClick` when clicked.
  bool CreateButton(GlyphButton& button, HWND parent, const std::string& name,
                    const std::string& caption, const Place& place, std::function<void()> onClick);

  virtual void OnCreate() {}  // the creation handler
  virtual void OnShow() {}    // the show handler, before it becomes visible
  // The window was closed by its title bar or Close; default hides a modal
  // window with result 2 and destroys a modeless one.
  virtual void OnClose();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int modalResult_ = kModalNone;
  bool modal_ = false;
};

}  // namespace sorvel::ui
