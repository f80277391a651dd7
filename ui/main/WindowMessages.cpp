#include "ui/main/WindowMessages.h"

#include <windows.h>

#include "core/UserTexts.h"
#include "platform/win32/Encoding.h"

namespace sorvel::ui {
namespace {

void ShowBox(const std::string& text, UINT icon) {
  // Task-modal: every window of the launcher waits until the box is closed.
  MessageBoxW(nullptr, win32::Cp932ToWideLenient(text).c_str(),
              win32::Cp932ToWideLenient(texts::kApplicationTitle).c_str(),
              MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace

void WindowMessages::ShowMessage(const std::string& text) { ShowBox(text, 0); }

void WindowMessages::ShowErrorBox(const std::string& text) { ShowBox(text, MB_ICONSTOP); }

std::string ErrorBoxText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const WindowNotMade& notMade) {
    return texts::WindowNotMadeText(notMade.WindowName());
  } catch (...) {
    return texts::CurrentErrorText();
  }
}

Window::ErrorReporter ErrorBoxReporter(Messages& messages) {
  return [&messages](const std::exception_ptr& error) { messages.ShowError(ErrorBoxText(error)); };
}

}  // namespace sorvel::ui
