#include "core/UserTexts.h"

#include <exception>
#include <new>

namespace sorvel::texts {

std::string InOutErrorText(ErrorCode code) {
  for (const auto& row : kInOutErrorTexts) {
    if (row.code == code && row.text != nullptr) return row.text;
  }
  return kOtherInOutErrorHead + std::to_string(code) + kOtherInOutErrorTail;
}

std::string InOutErrorReason(ErrorCode code) {
  for (const auto& row : kInOutErrorTexts) {
    if (row.code == code && row.reason != nullptr) return row.reason;
  }
  return "error " + std::to_string(code);
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

std::string CurrentErrorText() {
  try {
    throw;
  } catch (const LauncherError& e) {
    return ErrorText(e);
  } catch (const std::bad_alloc&) {
    return kOutOfMemoryText;
  } catch (const std::exception& e) {
    return e.what();
  }
}

}  // namespace sorvel::texts
