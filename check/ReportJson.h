// The checker's report in JSON, for scripts. The text is CP932 like every
// text of the core; the program writes it out as UTF-8. Names and messages
// are kept as the launcher reads them: a byte that is no CP932 character
// becomes U+FFFD.
#pragma once

#include <string>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"

namespace sorvel::check {

// `language` is the language of the "message" members.
std::string ReportJson(const CheckReport& report, Language language, const std::string& version);

// A JSON string of CP932 text: quotes, backslashes and control characters
// escaped, the two bytes of a double-byte character kept together (its
// second byte may be 0x5C, the backslash).
std::string JsonString(const std::string& cp932Text);

// The names the JSON gives kinds of findings, reasons of misses and encodings.
const char* FindingKindName(FindingKind kind);
const char* MissReasonName(MissReason reason);
const char* EncodingName(Encoding encoding);

}  // namespace sorvel::check
