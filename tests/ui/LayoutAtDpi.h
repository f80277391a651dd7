// What the launcher's windows look like at a DPI: every number of their
// layout at 96 DPI, scaled by the layout's rule. Shared by the tests that
// change a window's DPI and the tests that run at another system DPI.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/pictures/Png.h"

namespace sorvel::test {

// The height in pixels of the font a window answers WM_GETFONT with.
int FontHeightOf(HWND hwnd);

// The main window: its outer size, the side panel's controls, the pictures,
// the cursors and the fonts.
void ExpectMainWindowAt(ui::TfrmMain& window, int dpi);

// The title board: panels of `panelWidth` in columns starting at
// `columnLefts` (96-DPI numbers), their markers, fonts and bevels.
void ExpectBoardAt(ui::TfrmMain& window, int dpi, int panelWidth,
                   const std::vector<int>& columnLefts);

// The folder chooser, and the status window made after a main window of
// 640 x 450 at 96 DPI.
void ExpectChooserAt(const ui::TfrmChangeDrive& chooser, int dpi);
void ExpectStatusWindowAt(const ui::TfrmShow& window, int dpi);

// A larger rendering of a picture ("BACKGROUND_150"), decoded from the
// program's resources.
std::optional<png::Image> DecodedRendering(const std::wstring& name);

}  // namespace sorvel::test
