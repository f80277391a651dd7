// The installation status table and its printed lines.
#pragma once

#include <iterator>
#include <string>
#include <vector>

#include "core/LauncherState.h"
#include "core/UserTexts.h"

namespace sorvel {

// As many columns as the table has titles.
inline constexpr int kStatusColumns = static_cast<int>(std::size(texts::kStatusColumnTitles));
using StatusRow = std::vector<std::string>;  // kStatusColumns cells

StatusRow BuildStatusHeader();
std::vector<StatusRow> BuildStatusRows(const LauncherState& state);
std::string VersionFromFolder(const std::string& folderName);
// One printed line from cells 0 to 3 of a row.
std::string PrintLine(const StatusRow& row);

}  // namespace sorvel
