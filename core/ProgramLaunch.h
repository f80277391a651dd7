// Starting a program of the series.
#pragma once

#include <string>

#include "core/LauncherContext.h"

namespace sorvel {

// Starts entry n where the latest scan found it: RunProgram(base folder +
// found folder, found file name). An entry not installed starts nothing.
void LaunchEntry(LauncherContext& context, int n);

// Moves the current directory to `folder` and starts `exeName` found there,
// without waiting. Failures are ignored.
void RunProgram(Platform& platform, const std::string& folder, const std::string& exeName);

// The folder where the latest scan found installed entry n: base folder +
// found folder.
std::string ProgramFolder(const LauncherState& state, int n);

}  // namespace sorvel
