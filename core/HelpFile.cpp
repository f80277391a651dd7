#include "core/HelpFile.h"

#include <span>

#include "core/LauncherFiles.h"

namespace sorvel {
namespace {

struct HelpForm {
  const char* fileName;
  HelpViewer viewer;
};

constexpr HelpForm kOnThisComputer[] = {
    {kHtmlHelpFileName, HelpViewer::HtmlHelp},
    {kHelpPageFileName, HelpViewer::Shell},
    {kWinHelpFileName, HelpViewer::WinHelp},
};

// HTML Help leaves a compiled file's pages blank outside the local
// computer's zone; the browser shows the plain page from there.
constexpr HelpForm kOnNetwork[] = {
    {kHelpPageFileName, HelpViewer::Shell},
    {kHtmlHelpFileName, HelpViewer::HtmlHelp},
    {kWinHelpFileName, HelpViewer::WinHelp},
};

bool IsFile(Platform& platform, const std::string& path) {
  const std::optional<FileInfo> found = platform.FindFirst(path);
  return found && (found->attributes & attr::kDirectory) == 0;
}

HelpToOpen ToOpen(const HelpForm& form, const std::string& homeFolder) {
  // Windows Help keeps the bare name it was always given.
  if (form.viewer == HelpViewer::WinHelp) return {form.fileName, form.viewer};
  return {homeFolder + form.fileName, form.viewer};
}

}  // namespace

bool OnNetwork(Platform& platform, const std::string& homeFolder) {
  if (homeFolder.rfind("\\\\", 0) == 0) return true;
  if (homeFolder.size() < 2 || homeFolder[1] != ':') return false;
  return platform.DriveTypeOf(homeFolder.substr(0, 2) + "\\") == DriveType::Remote;
}

HelpToOpen ChooseHelp(Platform& platform, const std::string& homeFolder) {
  const std::span<const HelpForm> order =
      OnNetwork(platform, homeFolder) ? std::span<const HelpForm>(kOnNetwork) : kOnThisComputer;
  for (const HelpForm& form : order) {
    if (IsFile(platform, homeFolder + form.fileName)) return ToOpen(form, homeFolder);
  }
  return ToOpen(order.back(), homeFolder);
}

}  // namespace sorvel
