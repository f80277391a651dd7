// The search for installed programs of the catalogue.
#pragma once

#include <string>

#include "core/LauncherContext.h"

namespace sorvel {

// Scans `path` (may hold "..\" parts, may lack the trailing backslash).
// Throws InOutError when a folder cannot be entered.
void ScanFolder(LauncherContext& context, const std::string& path, bool withIcons);

// Entry number whose program file name equals `fileName` (A-Z lowered); -1
// when none. It counts nothing: the scan counts the matches it records.
int MatchExecutable(const LauncherState& state, const std::string& fileName);

}  // namespace sorvel
