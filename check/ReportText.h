// The checker's report as text, in Japanese or English (CP932 bytes, lines
// ended by LF): its frame, with the sentences of EntryText and FindingText.
#pragma once

#include <string>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"
#include "platform/Platform.h"

namespace sorvel::check {

std::string ReportText(const CheckReport& report, Language language, const std::string& version);

// The launcher folder given on the command line cannot be entered.
std::string FolderErrorMessage(const std::string& folder, ErrorCode code, Language language);

// The report (or the help text) could not be written whole to standard
// output: a file system that is full, a pipe closed before the end.
std::string OutputErrorMessage(Language language);

// Asks for a key before the console made for the checker closes.
std::string PressAnyKeyMessage(Language language);

}  // namespace sorvel::check
