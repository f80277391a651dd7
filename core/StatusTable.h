// The installation status table and its printed lines.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherState.h"

namespace sorvel {

using StatusRow = std::vector<std::string>;  // 7 cells
inline constexpr int kStatusColumns = 7;

StatusRow BuildStatusHeader();
std::vector<StatusRow> BuildStatusRows(const LauncherState& state);
std::string VersionFromFolder(const std::string& folderName);
// One printed line from cells 0 to 3 of a row.
std::string PrintLine(const StatusRow& row);

}  // namespace sorvel
