// The checker's report as text, in Japanese or English (CP932 bytes, lines
// ended by LF), and the sentences it is made of.
#pragma once

#include <string>

#include "core/check/CheckOptions.h"
#include "core/check/CheckReport.h"
#include "platform/Platform.h"

namespace sorvel::check {

std::string ReportText(const CheckReport& report, Language language, const std::string& version);

// One finding as a sentence.
std::string FindingMessage(const CheckReport& report, const Finding& finding, Language language);
// What the launcher makes of an entry: where it is, or why it is not found.
std::string EntryMessage(const CheckReport& report, const EntryReport& entry, Language language);
// One reason why the launcher does not find a program that is there.
std::string CauseMessage(const EntryReport& entry, const MissCause& cause, Language language);

// The launcher folder given on the command line cannot be entered.
std::string FolderErrorMessage(const std::string& folder, ErrorCode code, Language language);

}  // namespace sorvel::check
