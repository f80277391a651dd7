// SvlCheck.exe: checks a Sorvel series as the launcher finds it at start-up
// and tells its publisher every trap, in Japanese or English. The checking
// itself lives in check/; this entry reads the command line, picks the
// language, runs the check on the Win32 port and writes the report.
#include <string>
#include <vector>

#include "SorvelVersion.h"
#include "check/CheckOptions.h"
#include "check/ReportJson.h"
#include "check/ReportText.h"
#include "check/SeriesCheck.h"
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

// Writes `text` to standard output; when it cannot be written whole, says so
// on standard error and gives the exit code for it, so that a report that
// was not written never passes for a clean series.
int WriteOutput(const std::string& text, int exitCode, Language language) {
  if (win32::WriteText(StandardStream::Output, text)) return exitCode;
  win32::WriteText(StandardStream::Error, OutputErrorMessage(language) + "\n");
  return kExitUnreadable;
}

std::vector<std::string> Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(win32::WideToCp932Lenient(argv[i]));
  return arguments;
}

int Run(wchar_t** argv, const CheckOptions& options, Language language) {
  if (!options.error.empty()) {
    win32::WriteText(StandardStream::Error, "SvlCheck: " + options.error + "\n\n" + UsageText());
    return kExitUnreadable;
  }
  if (options.help) return WriteOutput(UsageText(), 0, language);
  if (options.version) return WriteOutput("SvlCheck " SORVEL_VERSION_TEXT "\n", 0, language);
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
  return WriteOutput(options.json ? ReportJson(report, language, SORVEL_VERSION_TEXT)
                                  : ReportText(report, language, SORVEL_VERSION_TEXT),
                     report.ExitCode(), language);
}

// Double-clicked in Explorer, or given a folder dropped on it, the checker
// has a console of its own that closes as it ends: the report, or the error,
// stays until a key is pressed.
void KeepAConsoleOfItsOwnOpen(Language language) {
  const win32::ConsoleUse use = win32::QueryConsoleUse();
  if (!WaitsForKeyBeforeClosing(use.outputIsConsole, use.inputIsConsole, use.processes)) return;
  win32::WaitForKey("\n" + PressAnyKeyMessage(language));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  sorvel::win32::LoadDllsFromSystemFolderOnly();
  const CheckOptions options = ParseCheckArguments(Arguments(argc, argv));
  const Language language = ChosenLanguage(options);
  const int exitCode = Run(argv, options, language);
  KeepAConsoleOfItsOwnOpen(language);
  return exitCode;
}
