// The series checker's command line and the choice of its language.
#pragma once

#include <string>
#include <vector>

namespace sorvel::check {

enum class Language { Japanese, English };

struct CheckOptions {
  bool languageGiven = false;
  Language language = Language::English;
  bool json = false;
  bool asCdRomRoot = false;
  bool help = false;
  bool version = false;
  // Position in the arguments of the launcher folder, -1 for the current one.
  int folderArgument = -1;
  // Not empty when the arguments cannot be used: what is wrong with them.
  std::string error;
};

// `arguments` without the program's name; options are ASCII, so any
// encoding of the others will do.
CheckOptions ParseCheckArguments(const std::vector<std::string>& arguments);

// The language a user's environment asks for: the first of LC_ALL,
// LC_MESSAGES and LANG that is set decides (a value starting with "ja" asks
// for Japanese); when none is set, the user's display language does.
Language LanguageFromEnvironment(const std::string& lcAll, const std::string& lcMessages,
                                 const std::string& lang, bool displayLanguageIsJapanese);

// Whether the checker waits for a key before it ends: only in a console made
// for it alone (double-clicked in Explorer, or a folder dropped on it), which
// closes with it, never when its output goes to a file or a pipe or when it
// runs in a console opened before.
bool WaitsForKeyBeforeClosing(bool outputIsConsole, bool inputIsConsole, unsigned processes);

// The usage text, in English and Japanese.
std::string UsageText();

}  // namespace sorvel::check
