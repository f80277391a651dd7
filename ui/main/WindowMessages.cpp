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

}  // namespace sorvel::ui
