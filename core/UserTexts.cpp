#include "core/UserTexts.h"

namespace sorvel::texts {

std::string InOutErrorText(ErrorCode code) {
  for (const auto& row : kInOutErrorTexts) {
    if (row.code == code) return row.text;
  }
  return kOtherInOutErrorHead + std::to_string(code) + kOtherInOutErrorTail;
}

std::string PrintFaultText(PrintFault fault) {
  for (const auto& row : kPrintFaultTexts) {
    if (row.fault == fault) return row.text;
  }
  return {};
}

std::string ErrorText(const LauncherError& error) {
  if (const auto* inOut = dynamic_cast<const InOutError*>(&error)) {
    return InOutErrorText(inOut->Code());
  }
  if (const auto* print = dynamic_cast<const PrintError*>(&error)) {
    return PrintFaultText(print->Fault());
  }
  return error.Text();
}

}  // namespace sorvel::texts
