#include "core/FolderListing.h"

#include <algorithm>
#include <utility>

#include "core/Cp932.h"
#include "platform/Platform.h"

namespace sorvel {

namespace {

bool IsDriveRoot(const std::string& folder) {
  return folder.size() == 3 && folder[1] == ':' && folder[2] == '\\';
}

bool IsShownFolder(const FileInfo& info) {
  return (info.attributes & attr::kDirectory) != 0 &&
         (info.attributes & (attr::kHidden | attr::kSystem)) == 0 && info.name != "." &&
         info.name != "..";
}

bool IsShownFile(const FileInfo& info) {
  return (info.attributes & (attr::kDirectory | attr::kHidden | attr::kSystem)) == 0;
}

// The names of the entries of `folder` matching `pattern` that `shown`
// accepts, in collation order. A folder that cannot be searched shows none.
template <typename Filter>
std::vector<std::string> ReadNames(Platform& platform, const std::string& folder,
                                   const char* pattern, Filter shown) {
  std::vector<FileInfo> entries;
  std::vector<std::string> names;
  if (platform.List(cp932::InFolder(folder, pattern), entries) != error::kOk) return names;
  for (const FileInfo& info : entries) {
    if (shown(info)) names.push_back(info.name);
  }
  std::stable_sort(names.begin(), names.end(), [&platform](const auto& a, const auto& b) {
    return platform.CompareNoCase(a, b) < 0;
  });
  return names;
}

// The immediate sub-folders of `folder`, each name once.
std::vector<std::string> ReadSubFolders(Platform& platform, const std::string& folder) {
  std::vector<std::string> names = ReadNames(platform, folder, "*", IsShownFolder);
  names.erase(std::unique(names.begin(), names.end(),
                          [&platform](const auto& a, const auto& b) {
                            return platform.CompareNoCase(a, b) == 0;
                          }),
              names.end());
  return names;
}

// The root and each component of a normalised folder's path.
std::vector<std::string> PathItems(const std::string& folder) {
  const std::vector<std::string> parts = cp932::SplitAtBackslashes(folder);
  std::vector<std::string> items;
  if (!parts.empty()) items.push_back(parts.front() + '\\');
  for (std::size_t index = 1; index < parts.size(); ++index) {
    if (!parts[index].empty()) items.push_back(parts[index]);
  }
  return items;
}

// Moves the current directory to `path`, or throws the platform's error;
// returns the directory without its trailing backslash, except at a root.
std::string EnterFolder(Platform& platform, const std::string& path) {
  if (const ErrorCode code = platform.ChangeDirectory(path); code != error::kOk) {
    throw InOutError(code);
  }
  std::string folder = platform.CurrentDirectory();
  if (cp932::EndsWithBackslash(folder) && !IsDriveRoot(folder)) folder.pop_back();
  return folder;
}

}  // namespace

void FolderListing::PointAt(Platform& platform, const std::string& path) {
  if (path.empty() || cp932::EqualsNoCase(path, folder_)) return;
  const std::string folder = EnterFolder(platform, path);
  std::vector<std::string> names = PathItems(folder);
  const int pathItems = static_cast<int>(names.size());
  const std::vector<std::string> subFolders = ReadSubFolders(platform, folder);
  names.insert(names.end(), subFolders.begin(), subFolders.end());
  folder_ = folder;
  names_ = std::move(names);
  pathItems_ = pathItems;
}

void FileListing::PointAt(Platform& platform, const std::string& folder) {
  if (cp932::EqualsNoCase(folder, folder_)) return;
  folder_ = EnterFolder(platform, folder);
  names_ = ReadNames(platform, folder_, "*.exe", IsShownFile);
}

}  // namespace sorvel
