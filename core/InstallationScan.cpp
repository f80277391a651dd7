#include "core/InstallationScan.h"

#include <string>
#include <utility>
#include <vector>

#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/FileProbe.h"

namespace sorvel {

namespace {

// A later folder's file replaces an earlier one's: the last copy wins.
void RecordMatches(LauncherState& state, const std::string& folderName,
                   const std::vector<std::string>& fileNames) {
  for (const std::string& fileName : fileNames) {
    const int n = MatchExecutable(state, fileName);
    if (n < 1) continue;
    ScanResult& result = state.Result(n);
    result.folder = folderName;
    result.exeName = fileName;
    result.matchedFolders.push_back(folderName);
    ++result.matchCount;
  }
}

// A listed folder that the scan searches, with its "*.exe" matches.
struct ProgramFolder {
  const std::string* name;
  std::vector<FileInfo> exes;
};

// Judges every listed name by its first "*.exe" match; returns the folders
// whose files the scan reads, read in the same search.
std::vector<ProgramFolder> ProgramFolders(Platform& platform, LauncherState& state) {
  state.folderVerdicts.clear();
  std::vector<ProgramFolder> programFolders;
  for (const std::string& name : state.folderListing.Names()) {
    FolderVerdict verdict{name, {}};
    std::vector<FileInfo> exes;
    platform.FindFirstAndList(
        state.baseFolder + name + "\\*.exe",
        [&](const FileInfo& first) {
          verdict.firstExe = JudgeFirstMatch(platform, first);
          return verdict.Searched();
        },
        exes);
    if (verdict.Searched()) programFolders.push_back({&name, std::move(exes)});
    state.folderVerdicts.push_back(std::move(verdict));
  }
  return programFolders;
}

// Every entry's result goes to the window that shows the entries, which
// also starts the entry's hover marker afresh.
void ReportEntries(LauncherContext& context, bool withIcons) {
  if (context.listener == nullptr) return;
  const LauncherState& state = context.state;
  for (int n = 1; n <= state.EntryCount(); ++n) {
    const bool installed = state.IsInstalled(n);
    context.listener->SetEntryInstalled(n, installed);
    if (installed && withIcons) context.listener->LoadEntryIcon(n);
  }
}

}  // namespace

void ScanFolder(LauncherContext& context, const std::string& path, bool withIcons) {
  Platform& platform = context.platform;
  LauncherState& state = context.state;

  state.folderListing.PointAt(platform, path);
  for (ScanResult& result : state.results) {
    result.folder.clear();
    result.matchedFolders.clear();
  }
  state.baseFolder = cp932::WithTrailingBackslash(path);

  const std::vector<ProgramFolder> programFolders = ProgramFolders(platform, state);
  for (const ProgramFolder& program : programFolders) {
    // Every program folder lies on the base folder's drive. Only the last
    // listing outlives the scan: only its folder is worth a stamp.
    state.fileListing.PointAt(platform, state.folderListing.Folder() + "\\" + *program.name,
                              {.onCdRom = state.folderListing.OnCdRom(),
                               .kept = &program == &programFolders.back(),
                               .read = &program.exes});
    RecordMatches(state, *program.name, state.fileListing.Names());
  }
  ReportEntries(context, withIcons);
}

int MatchExecutable(const LauncherState& state, const std::string& fileName) {
  const std::string lower = cp932::AsciiLower(fileName);
  for (int n = 1; n <= state.EntryCount(); ++n) {
    if (lower == ProgramFileName(state.Entry(n).exeStem)) return n;
  }
  return -1;
}

}  // namespace sorvel
