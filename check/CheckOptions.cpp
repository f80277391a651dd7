#include "check/CheckOptions.h"

namespace sorvel::check {

namespace {

bool ParseLanguage(const std::string& value, Language& language) {
  if (value == "ja") {
    language = Language::Japanese;
  } else if (value == "en") {
    language = Language::English;
  } else {
    return false;
  }
  return true;
}

}  // namespace

CheckOptions ParseCheckArguments(const std::vector<std::string>& arguments) {
  CheckOptions options;
  const auto fail = [&options](const std::string& text) {
    if (options.error.empty()) options.error = text;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--cd") {
      options.asCdRomRoot = true;
    } else if (argument == "--help" || argument == "-h" || argument == "/?") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--lang" || argument.rfind("--lang=", 0) == 0) {
      std::string value;
      if (argument == "--lang") {
        if (i + 1 < arguments.size()) value = arguments[++i];
      } else {
        value = argument.substr(7);
      }
      if (!ParseLanguage(value, options.language)) fail("--lang takes ja or en");
      options.languageGiven = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      fail("unknown option " + argument);
    } else if (options.folderArgument >= 0) {
      fail("only one launcher folder can be checked at a time");
    } else {
      options.folderArgument = static_cast<int>(i);
    }
  }
  return options;
}

Language LanguageFromEnvironment(const std::string& lcAll, const std::string& lcMessages,
                                 const std::string& lang, bool displayLanguageIsJapanese) {
  for (const std::string* value : {&lcAll, &lcMessages, &lang}) {
    if (!value->empty()) return value->rfind("ja", 0) == 0 ? Language::Japanese : Language::English;
  }
  return displayLanguageIsJapanese ? Language::Japanese : Language::English;
}

bool WaitsForKeyBeforeClosing(bool outputIsConsole, bool inputIsConsole, unsigned processes) {
  return outputIsConsole && inputIsConsole && processes == 1;
}

std::string UsageText() {
  return "usage: SvlCheck.exe [--lang ja|en] [--json] [--cd] [LAUNCHER-FOLDER]\n"
         "\n"
         "Checks a Sorvel series as the launcher finds it at start-up: the catalogue\n"
         "SVLindex.txt in LAUNCHER-FOLDER (default: the current folder) and the program\n"
         "folders beside it (on the root of a CD-ROM: below it). It only reads.\n"
         "\n"
         "  --lang ja|en  language of the report (default: LC_ALL, LC_MESSAGES or LANG,\n"
         "                else the display language of Windows)\n"
         "  --json        a report for scripts, in JSON\n"
         "  --cd          check the folder as the root of a CD-ROM, as the pressed disc\n"
         "  --version     the checker's version\n"
         "\n"
         "Exit code: 0 no errors, 1 errors (a missing catalogue is one), 2 the series could\n"
         "not be checked: the folder, its catalogue or the programs' folder cannot be read\n"
         "(or the arguments are wrong).\n"
         "\n"
         "使い方: SvlCheck.exe [--lang ja|en] [--json] [--cd] [ランチャーのフォルダ]\n"
         "ランチャーが起動時に見るとおりにシリーズを点検します。読み取るだけで、何も書き込みません"
         "。\n";
}

}  // namespace sorvel::check
