// What the checker says about one catalogue entry: where the launcher finds
// the program, or why it does not.
#pragma once

#include <string>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"

namespace sorvel::check {

// What the launcher makes of an entry: where it is, or why it is not found.
std::string EntryMessage(const CheckReport& report, const EntryReport& entry, Language language);

// One reason why the launcher does not find a program that is there.
std::string CauseMessage(const EntryReport& entry, const MissCause& cause, Language language);

// A problem entry's line under the errors or warnings; the details are
// given with the entry.
std::string EntryProblemLine(const CheckReport& report, const EntryReport& entry,
                             Language language);

}  // namespace sorvel::check
