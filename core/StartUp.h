// The start-up steps of the main window's creation that need no window. The
// window runs them in this order, building its title board between the two,
// under the one error guard of its creation handler: an error skips the
// steps after it and is shown in the error box.
#pragma once

#include <string>

#include "core/LauncherContext.h"
#include "core/LauncherFiles.h"

namespace sorvel {

// The current directory with a trailing backslash. Throws LauncherError when
// the platform cannot spell it.
std::string InitHomeFolder(Platform& platform);

// True when the home folder is the root of a CD-ROM drive.
bool IsCdRomRoot(Platform& platform, const std::string& homeFolder);

// The folder the start-up scan searches: the home folder on a CD root,
// otherwise the series' folder (above it, or the home folder itself for a
// disc copied into a folder).
std::string StartUpScanFolder(const LauncherState& state);

// Before the title board: fixes the home folder and loads the catalogue.
// Throws LauncherError when either cannot be read; the catalogue then
// counts as not loaded.
void LoadCatalogueAtStartUp(LauncherContext& context);

// After the title board: decides whether the launcher runs from a CD-ROM and
// runs the first scan, without icons. When the launcher is not at a CD's
// root and nothing is found beside it, its own folder is scanned as a disc's
// root; if a program is found there, the state takes it for a disc copied
// into a folder. Throws InOutError when the first folder cannot be entered.
void ScanAtStartUp(LauncherContext& context);

}  // namespace sorvel
