// The launcher's message box and error box: modal, owned by no window so
// that they are centred on the screen, captioned with the application title.
#pragma once

#include <string>

#include "core/Messages.h"

namespace sorvel::ui {

class WindowMessages : public Messages {
 public:
  // No icon, one OK button.
  void ShowMessage(const std::string& text) override;
  // The stop icon, one OK button.
  void ShowErrorBox(const std::string& text) override;
};

}  // namespace sorvel::ui
