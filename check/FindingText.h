// What the checker says about each finding of a series: the catalogue's
// faults, copies, cut names, names the launcher cannot spell, missing files.
#pragma once

#include <string>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"

namespace sorvel::check {

// One finding as a sentence.
std::string FindingMessage(const CheckReport& report, const Finding& finding, Language language);

}  // namespace sorvel::check
