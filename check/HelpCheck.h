// What the help command finds in the launcher's folder, as the publisher
// needs to know it: Windows 10 and 11 open no Windows Help, and HTML Help
// shows no page from a share or from an unpacked zip still marked as
// downloaded.
#pragma once

#include <string>

#include "check/CheckReport.h"
#include "platform/Platform.h"

namespace sorvel::check {

void ReportHelpFiles(Platform& platform, const std::string& homeFolder, CheckReport& report);

}  // namespace sorvel::check
