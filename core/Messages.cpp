#include "core/Messages.h"

#include "core/Cp932.h"

namespace sorvel {

void Messages::ShowError(const std::string& errorText) {
  ShowErrorBox(WithClosingPeriod(errorText));
}

std::string WithClosingPeriod(const std::string& text) {
  const std::size_t last = cp932::LastCharStart(text);
  if (last == std::string::npos) return text;
  // The whole last character against "." byte by byte: every double-byte
  // character sorts above it, as do letters, digits and most punctuation.
  return text.compare(last, std::string::npos, ".") > 0 ? text + "." : text;
}

}  // namespace sorvel
