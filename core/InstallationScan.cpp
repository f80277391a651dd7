#include "core/InstallationScan.h"

#include <algorithm>

#include "core/Cp932.h"
#include "core/FileProbe.h"
#include "core/LauncherError.h"

namespace sorvel {

namespace {

bool IsDriveRoot(const std::string& folder) {
  return folder.size() == 3 && folder[1] == ':' && folder[2] == '\\';
}

// A pattern for the entries of `folder`, whatever way the folder is spelled.
std::string InFolder(const std::string& folder, const char* pattern) {
  return cp932::WithTrailingBackslash(folder) + pattern;
}

void SortNoCase(Platform& platform, std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [&platform](const auto& a, const auto& b) {
    return platform.CompareNoCase(a, b) < 0;
  });
}

bool IsShownFolder(const FileInfo& info) {
  return (info.attributes & attr::kDirectory) != 0 &&
         (info.attributes & (attr::kHidden | attr::kSystem)) == 0 && info.name != "." &&
         info.name != "..";
}

bool IsShownFile(const FileInfo& info) {
  return (info.attributes & (attr::kDirectory | attr::kHidden | attr::kSystem)) == 0;
}

// The immediate sub-folders of `folder` in collation order, each name once.
// A folder that cannot be searched simply shows none.
std::vector<std::string> ReadSubFolders(Platform& platform, const std::string& folder) {
  std::vector<FileInfo> entries;
  std::vector<std::string> names;
  if (platform.List(InFolder(folder, "*"), entries) != error::kOk) return names;
  for (const FileInfo& info : entries) {
    if (IsShownFolder(info)) names.push_back(info.name);
  }
  SortNoCase(platform, names);
  names.erase(std::unique(names.begin(), names.end(),
                          [&platform](const auto& a, const auto& b) {
                            return platform.CompareNoCase(a, b) == 0;
                          }),
              names.end());
  return names;
}

// The executables of `folder`: plain files matching "*.exe", sorted.
std::vector<std::string> ReadExeNames(Platform& platform, const std::string& folder) {
  std::vector<FileInfo> entries;
  std::vector<std::string> names;
  if (platform.List(InFolder(folder, "*.exe"), entries) != error::kOk) return names;
  for (const FileInfo& info : entries) {
    if (IsShownFile(info)) names.push_back(info.name);
  }
  SortNoCase(platform, names);
  return names;
}

// Moves the current directory to `path`, or throws the platform's error.
std::string EnterFolder(Platform& platform, const std::string& path) {
  if (const ErrorCode code = platform.SetCurrentDirectory(path); code != error::kOk) {
    throw InOutError(code);
  }
  return NormalisedCurrentDirectory(platform);
}

// Points the file listing at `folder`; its names are re-read only when the
// folder differs from the one it shows. The listing stores the folder as the
// platform reports it, so a joined path with a doubled backslash (at a drive
// root) differs from it and is read afresh.
void PointFileListing(Platform& platform, Listing& listing, const std::string& folder) {
  if (cp932::EqualsNoCase(folder, listing.folder)) return;
  listing.folder = EnterFolder(platform, folder);
  listing.names = ReadExeNames(platform, listing.folder);
}

void RecordMatches(LauncherState& state, const std::string& folderName,
                   const std::vector<std::string>& fileNames) {
  for (const std::string& fileName : fileNames) {
    const int n = MatchExecutable(state, fileName);
    if (n < 1) continue;
    state.Result(n).folder = folderName;
    state.Result(n).exeName = fileName;
  }
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

std::string NormalisedCurrentDirectory(Platform& platform) {
  std::string folder = platform.CurrentDirectory();
  if (cp932::EndsWithBackslash(folder) && !IsDriveRoot(folder)) folder.pop_back();
  return folder;
}

std::vector<std::string> ReadFolderNames(Platform& platform, const std::string& folder) {
  std::vector<std::string> parts = cp932::SplitAtBackslashes(folder);
  std::vector<std::string> names;
  if (!parts.empty()) names.push_back(parts.front() + '\\');
  for (std::size_t index = 1; index < parts.size(); ++index) {
    if (!parts[index].empty()) names.push_back(parts[index]);
  }
  std::vector<std::string> subFolders = ReadSubFolders(platform, folder);
  names.insert(names.end(), subFolders.begin(), subFolders.end());
  return names;
}

void PointFolderListing(Platform& platform, Listing& listing, const std::string& path) {
  if (path.empty() || cp932::EqualsNoCase(path, listing.folder)) return;
  const std::string folder = EnterFolder(platform, path);
  listing.names = ReadFolderNames(platform, folder);
  listing.folder = folder;
}

void ScanFolder(LauncherContext& context, const std::string& path, bool withIcons) {
  Platform& platform = context.platform;
  LauncherState& state = context.state;

  PointFolderListing(platform, state.folderListing, path);
  for (ScanResult& result : state.results) result.folder.clear();
  state.baseFolder = cp932::WithTrailingBackslash(path);

  const std::vector<std::string> folderNames = state.folderListing.names;
  for (const std::string& name : folderNames) {
    if (!FileExistsLike(platform, state.baseFolder + name + "\\" + "*.exe")) continue;
    PointFileListing(platform, state.fileListing, state.folderListing.folder + "\\" + name);
    RecordMatches(state, name, state.fileListing.names);
  }
  ReportEntries(context, withIcons);
}

int MatchExecutable(LauncherState& state, const std::string& fileName) {
  const std::string lower = cp932::AsciiLower(fileName);
  for (int n = 1; n <= state.EntryCount(); ++n) {
    if (lower == state.Entry(n).exeStem + ".exe") {
      ++state.Result(n).matchCount;
      return n;
    }
  }
  return -1;
}

}  // namespace sorvel
