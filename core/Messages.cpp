#include "core/Messages.h"

#include "core/LauncherError.h"

namespace sorvel {

void Messages::ShowError(const std::string& errorText) {
  ShowErrorBox(WithClosingPeriod(errorText));
}

}  // namespace sorvel
