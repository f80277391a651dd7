// The start-up steps that need no window.
#pragma once

#include <functional>
#include <string>

#include "core/LauncherContext.h"

namespace sorvel {

inline constexpr const char* kApplicationTitle = "Sorvel Launcher";
inline constexpr const char* kHelpFileName = "SorvelL.hlp";

// The current directory with a trailing backslash.
std::string InitHomeFolder(Platform& platform);

// True when the home folder is the root of a CD-ROM drive.
bool IsCdRomRoot(Platform& platform, const std::string& homeFolder);

// The folder the start-up scan searches: the home folder on a CD root,
// otherwise its parent (home + "..\").
std::string StartUpScanFolder(const LauncherState& state);

// The start-up steps of the main window's creation that need no window: fix
// the home folder, load the catalogue, run `buildTitleBoard`
// (may be empty), decide FromCdRom and run the first scan without icons. An
// error skips the remaining steps and is shown in the error box.
void RunStartUpSteps(LauncherContext& context, const std::function<void()>& buildTitleBoard);

}  // namespace sorvel
