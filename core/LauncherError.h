// Unexpected errors: they travel up to the event handler that caused them,
// which shows their text in the error box.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Platform.h"

namespace sorvel {

class LauncherError : public std::runtime_error {
 public:
  explicit LauncherError(const std::string& text) : std::runtime_error(text) {}
  std::string Text() const { return what(); }
};

// An input/output error of the platform, with its code.
class InOutError : public LauncherError {
 public:
  explicit InOutError(ErrorCode code);
  ErrorCode Code() const { return code_; }

 private:
  ErrorCode code_;
};

// The text of an input/output error code ("ファイルが見つかりません" for 2, ...).
std::string InOutErrorText(ErrorCode code);

// The error box appends "." when the text's last character sorts above ".".
std::string WithClosingPeriod(const std::string& text);

}  // namespace sorvel
