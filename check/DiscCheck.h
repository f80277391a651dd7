// What only a pressed disc, or its image mounted as a drive, shows: the
// marks a mastering tool leaves on names, dates before 1980, an autorun.inf
// naming a file the disc does not hold. Read at the root of a CD-ROM only:
// a series folder on a hard disk has been through no mastering tool.
#pragma once

#include "check/CheckReport.h"
#include "check/LauncherRun.h"
#include "platform/Platform.h"

namespace sorvel::check {

// Adds the disc's findings to `report`.
void CheckDisc(Platform& platform, const LauncherRun& run, CheckReport& report);

}  // namespace sorvel::check
