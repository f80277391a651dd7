#include "check/HelpCheck.h"

#include <optional>
#include <string_view>

#include "core/LauncherFiles.h"

namespace sorvel::check {
namespace {

// Every compiled HTML Help file starts with these bytes.
constexpr std::string_view kChmSignature = "ITSF";

bool IsFile(Platform& platform, const std::string& path) {
  const std::optional<FileInfo> found = platform.FindFirst(path);
  return found && (found->attributes & attr::kDirectory) == 0;
}

// A file that cannot be read is not judged: the launcher may still open it.
bool LacksChmSignature(Platform& platform, const std::string& path) {
  std::string contents;
  if (platform.ReadWholeFile(path, contents) != error::kOk) return false;
  return contents.compare(0, kChmSignature.size(), kChmSignature) != 0;
}

void Add(CheckReport& report, FindingKind kind) {
  report.findings.push_back(Finding{.kind = kind});
}

}  // namespace

void ReportHelpFiles(Platform& platform, const std::string& homeFolder, CheckReport& report) {
  const std::string chmPath = homeFolder + kHtmlHelpFileName;
  const bool chm = IsFile(platform, chmPath);
  const bool page = IsFile(platform, homeFolder + kHelpPageFileName);
  const bool winHelp = IsFile(platform, homeFolder + kWinHelpFileName);
  if (!chm && !page) {
    Add(report, winHelp ? FindingKind::WinHelpOnly : FindingKind::MissingHelpFile);
    return;
  }
  if (chm && LacksChmSignature(platform, chmPath)) Add(report, FindingKind::ChmNotCompiled);
  if (chm && !page) Add(report, FindingKind::ChmWithoutPage);
}

}  // namespace sorvel::check
