// Whether Windows runs a high-contrast theme. While it does, the controls
// that paint themselves take the theme's system colours instead of their
// own fixed ones (the pictures stay as they are); otherwise nothing changes.
#pragma once

#include <optional>

namespace sorvel::ui {

// The state the system last reported (SPI_GETHIGHCONTRAST), or the one set
// below.
bool HighContrastOn();

// Asks the system again: a top-level window calls it when the system tells
// of changed colours or settings (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE).
void RefreshHighContrast();

// Decides the state instead of the system, until nullopt gives it back:
// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails), so the
// tests say it is on here.
void SetHighContrastOverride(std::optional<bool> on);

}  // namespace sorvel::ui
