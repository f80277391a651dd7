// Why the launcher does not find a program: the surveyed files that would be
// taken for the entry, and what keeps the launcher from them.
#pragma once

#include <string>
#include <vector>

#include "check/CheckReport.h"
#include "check/LauncherRun.h"
#include "check/SeriesSurvey.h"

namespace sorvel::check {

// The causes for entry `n` (from 1) that the launcher did not find; none
// when no surveyed file would be taken for it. `exeNames` are the ExeName
// fields as the catalogue writes them, one per entry.
std::vector<MissCause> MissCauses(const LauncherRun& run, const SeriesSurvey& survey,
                                  const std::vector<LaunchedEntry>& entries,
                                  const std::vector<std::string>& exeNames, int n);

}  // namespace sorvel::check
