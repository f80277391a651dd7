// The two ways the launcher tells the user something.
#pragma once

#include <string>

namespace sorvel {

class Messages {
 public:
  virtual ~Messages() = default;
  // The plain message box: application title, no icon, one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The error box (stop icon); `text` is shown as given.
  virtual void ShowErrorBox(const std::string& text) = 0;

  // Shows an error's text in the error box, with the closing period rule.
  void ShowError(const std::string& errorText);
};

// The error box appends "." when the text's last character sorts above ".".
std::string WithClosingPeriod(const std::string& text);

}  // namespace sorvel
