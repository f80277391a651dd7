// SvlCheck.exe: checks a Sorvel series as the launcher finds it at start-up
// and tells its publisher every trap, in Japanese or English.
// First: it includes <windows.h> and takes back the names the port shares
// with the system's macros.
#include <string>
#include <vector>

#include "SorvelVersion.h"
#include "core/check/CheckOptions.h"
#include "core/check/ReportJson.h"
#include "core/check/ReportText.h"
#include "core/check/SeriesCheck.h"
#include "platform/win32/Console.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

namespace {

using namespace sorvel;
using namespace sorvel::check;
using win32::StandardStream;

Language ChosenLanguage(const CheckOptions& options) {
  if (options.languageGiven) return options.language;
  return LanguageFromEnvironment(
      win32::EnvironmentValue(L"LC_ALL"), win32::EnvironmentValue(L"LC_MESSAGES"),
      win32::EnvironmentValue(L"LANG"), win32::DisplayLanguageIsJapanese());
}

int Run(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(win32::WideToCp932Lenient(argv[i]));
  const CheckOptions options = ParseCheckArguments(arguments);
  if (!options.error.empty()) {
    win32::WriteText(StandardStream::Error, "SvlCheck: " + options.error + "\n\n" + UsageText());
    return kExitUnreadable;
  }
  if (options.help) {
    win32::WriteText(StandardStream::Output, UsageText());
    return 0;
  }
  if (options.version) {
    win32::WriteText(StandardStream::Output, "SvlCheck " SORVEL_VERSION_TEXT "\n");
    return 0;
  }
  const Language language = ChosenLanguage(options);
  if (options.folderArgument >= 0) {
    const wchar_t* folder = argv[options.folderArgument + 1];
    if (const ErrorCode code = win32::EnterFolder(folder); code != error::kOk) {
      win32::WriteText(
          StandardStream::Error,
          FolderErrorMessage(win32::WideToCp932Lenient(folder), code, language) + "\n");
      return kExitUnreadable;
    }
  }
  win32::Win32Platform platform;
  const CheckReport report = CheckSeries(platform, options.asCdRomRoot);
  win32::WriteText(StandardStream::Output, options.json
                                               ? ReportJson(report, language, SORVEL_VERSION_TEXT)
                                               : ReportText(report, language, SORVEL_VERSION_TEXT));
  return report.ExitCode();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  sorvel::win32::LoadDllsFromSystemFolderOnly();
  return Run(argc, argv);
}
