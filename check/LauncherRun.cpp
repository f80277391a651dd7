#include "check/LauncherRun.h"

#include <exception>
#include <utility>

#include "core/InstallationScan.h"
#include "core/LauncherContext.h"
#include "core/StartUp.h"
#include "core/UserTexts.h"

namespace sorvel::check {

LauncherRun::LauncherRun(Platform& platform, bool asCdRomRoot, CapturedMessages shownBefore)
    : boxes_(std::move(shownBefore)) {
  LauncherContext context{platform, boxes_, state_, nullptr};
  // The launcher's start-up steps in its order; an error skips the rest and
  // goes to the error box, as in the main window's creation.
  try {
    stoppedAt_ = Step::LoadingCatalogue;
    LoadCatalogueAtStartUp(context);
    stoppedAt_ = Step::Scanning;
    if (asCdRomRoot) {
      state_.fromCdRom = true;
      ScanFolder(context, StartUpScanFolder(state_), false);
    } else {
      ScanAtStartUp(context);
    }
    stoppedAt_ = Step::Done;
  } catch (const std::exception&) {
    boxes_.ShowError(texts::CurrentErrorText());
  }
}

std::vector<LaunchedEntry> LauncherRun::Entries() const {
  std::vector<LaunchedEntry> entries;
  for (int n = 1; n <= state_.EntryCount(); ++n) {
    const CatalogueEntry& entry = state_.Entry(n);
    const ScanResult& result = state_.Result(n);
    LaunchedEntry launched{entry.title, entry.exeStem,     entry.latestVersion,  "",
                           "",          result.matchCount, result.matchedFolders};
    if (state_.IsInstalled(n)) {
      launched.folder = result.folder;
      launched.file = result.exeName;
    }
    entries.push_back(launched);
  }
  return entries;
}

std::string LauncherRun::ScannedFolder() const { return StartUpScanFolder(state_); }

int LauncherRun::EntryOfFile(const std::string& fileName) const {
  const int n = MatchExecutable(state_, fileName);
  return n >= 1 ? n : 0;
}

}  // namespace sorvel::check
