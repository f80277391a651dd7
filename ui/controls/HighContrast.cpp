#include "ui/controls/HighContrast.h"

#include <windows.h>

namespace sorvel::ui {
namespace {

// Asked once, then again at each change: painting asks for every control.
std::optional<bool> reported;
std::optional<bool> decided;

bool AskSystem() {
  HIGHCONTRASTW state{};
  state.cbSize = sizeof(state);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(state), &state, 0) &&
         (state.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool HighContrastOn() {
  if (decided) return *decided;
  if (!reported) reported = AskSystem();
  return *reported;
}

void RefreshHighContrast() { reported = AskSystem(); }

void SetHighContrastOverride(std::optional<bool> on) { decided = on; }

}  // namespace sorvel::ui
