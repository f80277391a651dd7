// The launcher's message box and error box: modal, owned by no window so
// that they are centred on the screen, captioned with the application title.
#pragma once

#include <exception>
#include <string>

#include "core/Messages.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

class WindowMessages : public Messages {
 public:
  // No icon, one OK button.
  void ShowMessage(const std::string& text) override;
  // The stop icon, one OK button.
  void ShowErrorBox(const std::string& text) override;
};

// An error that escaped a window's handler in the error box's words: a
// window the system would not make by its name, anything else as the core
// words its errors. The one place that words an exception for the windows.
std::string ErrorBoxText(const std::exception_ptr& error);

// The reporter the windows' error guard is given: each error shown in
// `messages`' error box.
Window::ErrorReporter ErrorBoxReporter(Messages& messages);

}  // namespace sorvel::ui
