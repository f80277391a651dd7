// The series checker: the launcher's start-up on a series, explained.
#pragma once

#include <string>

#include "check/CheckReport.h"
#include "check/LauncherRun.h"
#include "platform/Platform.h"

namespace sorvel::check {

// Checks the series whose launcher folder is the current directory, as the
// launcher would find it at start-up; with `asCdRomRoot` as the root of a
// CD-ROM, whatever the drive. It only reads, but moves the current
// directory as the launcher's scan does.
CheckReport CheckSeries(Platform& platform, bool asCdRomRoot);
// The same for a start-up the launcher has run.
CheckReport CheckRun(Platform& platform, const LauncherRun& run);

// Which ends of an executable stem a blank (space, tab or ideographic
// space) stands at: it is part of the name the launcher looks for.
enum class Ends { None, Start, End, Both };
Ends OuterBlanks(const std::string& stem);

}  // namespace sorvel::check
