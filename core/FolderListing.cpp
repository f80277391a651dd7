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

// A name and its collation key.
struct Keyed {
  std::string key;
  std::string name;
};

// The entries that `shown` accepts, in collation order, each with its key:
// a key is made once per name, and a folder of thousands of sub-folders is
// sorted by comparing bytes.
template <typename Filter>
std::vector<Keyed> Sorted(Platform& platform, std::vector<FileInfo> entries, Filter shown) {
  std::vector<Keyed> keyed;
  for (FileInfo& info : entries) {
    if (shown(info)) keyed.push_back({platform.CollationKey(info.name), std::move(info.name)});
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  return keyed;
}

// The entries of `folder` matching `pattern` that `shown` accepts, sorted
// as above. A folder that cannot be searched shows none.
template <typename Filter>
std::vector<Keyed> ReadSorted(Platform& platform, const std::string& folder, const char* pattern,
                              Filter shown) {
  std::vector<FileInfo> entries;
  if (platform.List(cp932::InFolder(folder, pattern), entries) != error::kOk) entries.clear();
  return Sorted(platform, std::move(entries), shown);
}

std::vector<std::string> NamesOf(std::vector<Keyed>&& keyed) {
  std::vector<std::string> names;
  names.reserve(keyed.size());
  for (Keyed& each : keyed) names.push_back(std::move(each.name));
  return names;
}

// The immediate sub-folders of `folder`, each name once.
std::vector<std::string> ReadSubFolders(Platform& platform, const std::string& folder) {
  std::vector<Keyed> keyed = ReadSorted(platform, folder, "*", IsShownFolder);
  keyed.erase(std::unique(keyed.begin(), keyed.end(),
                          [](const Keyed& a, const Keyed& b) { return a.key == b.key; }),
              keyed.end());
  return NamesOf(std::move(keyed));
}

// Whether the parts of a normalised folder's path start with a network
// share's root, "\\HOST\SHARE".
bool OnShare(const std::vector<std::string>& parts) {
  return parts.size() >= 4 && parts[0].empty() && parts[1].empty();
}

// The root of a normalised folder: "Q:\" of "Q:\ALGEBR12", "\\HOST\SHARE\" of
// a folder on a network share.
std::string RootOf(const std::string& folder) {
  const std::vector<std::string> parts = cp932::SplitAtBackslashes(folder);
  if (OnShare(parts)) return "\\\\" + parts[2] + "\\" + parts[3] + "\\";
  return parts.front() + "\\";
}

}  // namespace

std::string EnterFolder(Platform& platform, const std::string& path) {
  if (const ErrorCode code = platform.ChangeDirectory(path); code != error::kOk) {
    throw InOutError(code);
  }
  std::string folder = platform.CurrentDirectory();
  if (cp932::EndsWithBackslash(folder) && !IsDriveRoot(folder)) folder.pop_back();
  return folder;
}

std::vector<std::string> PathItems(const std::string& folder) {
  const std::vector<std::string> parts = cp932::SplitAtBackslashes(folder);
  std::vector<std::string> items;
  std::size_t first = 1;
  if (OnShare(parts)) {
    items.push_back("\\\\" + parts[2] + "\\" + parts[3]);
    first = 4;
  } else if (!parts.empty()) {
    items.push_back(parts.front() + '\\');
  }
  for (std::size_t index = first; index < parts.size(); ++index) {
    if (!parts[index].empty()) items.push_back(parts[index]);
  }
  return items;
}

std::string PathItemFolder(const std::string& folder, int index) {
  const std::vector<std::string> items = PathItems(folder);
  if (index < 0 || index >= static_cast<int>(items.size())) return std::string();
  std::string path = RootOf(folder);  // spelled as a folder: "C:\", "\\HOST\SHARE\"
  for (int part = 1; part <= index; ++part) {
    path = cp932::WithTrailingBackslash(path) + items[static_cast<std::size_t>(part)];
  }
  return path;
}

bool IsOnCdRom(Platform& platform, const std::string& folder) {
  return platform.DriveTypeOf(RootOf(folder)) == DriveType::CdRom;
}

void FolderWatch::Note(Platform& platform, const std::string& folder, bool onCdRom) {
  onCdRom_ = onCdRom;
  stamp_ = onCdRom_ ? std::nullopt : platform.StampOf(folder);
  discSerial_ = onCdRom_ ? platform.VolumeSerial(RootOf(folder)) : std::nullopt;
}

bool FolderWatch::Unchanged(Platform& platform, const std::string& folder) const {
  // A disc whose serial cannot be read (taken out) counts as another one:
  // reading the folder again tells what became of it.
  if (onCdRom_) {
    return discSerial_.has_value() && platform.VolumeSerial(RootOf(folder)) == discSerial_;
  }
  // A folder whose stamp cannot be read (gone, or a platform that cannot
  // tell) counts as changed: reading it again tells what became of it.
  return stamp_.has_value() && platform.StampOf(folder) == stamp_;
}

void FolderListing::PointAt(Platform& platform, const std::string& path) {
  if (path.empty()) return;
  if (cp932::EqualsNoCase(path, folder_) && watch_.Unchanged(platform, folder_)) return;
  const std::string folder = EnterFolder(platform, path);
  FolderWatch watch;
  watch.Note(platform, folder, IsOnCdRom(platform, folder));
  std::vector<std::string> names = PathItems(folder);
  const int pathItems = static_cast<int>(names.size());
  const std::vector<std::string> subFolders = ReadSubFolders(platform, folder);
  names.insert(names.end(), subFolders.begin(), subFolders.end());
  folder_ = folder;
  names_ = std::move(names);
  pathItems_ = pathItems;
  watch_ = watch;
}

std::string FolderListing::ItemFolder(int index) const {
  if (index < pathItems_) return PathItemFolder(folder_, index);
  if (index >= static_cast<int>(names_.size())) return std::string();
  return cp932::WithTrailingBackslash(folder_) + names_[static_cast<std::size_t>(index)];
}

void FileListing::PointAt(Platform& platform, const std::string& folder, const Reading& reading) {
  if (cp932::EqualsNoCase(folder, folder_) && watch_.Unchanged(platform, folder_)) return;
  std::string entered = EnterFolder(platform, folder);
  // The watch is kept only together with the names it was noted for.
  FolderWatch watch;
  if (reading.kept) watch.Note(platform, entered, reading.onCdRom);
  // A kept listing reads its folder after noting it, so that a change made
  // since shows at the next look.
  names_ = NamesOf(reading.kept || reading.read == nullptr
                       ? ReadSorted(platform, entered, "*.exe", IsShownFile)
                       : Sorted(platform, *reading.read, IsShownFile));
  folder_ = std::move(entered);
  watch_ = watch;
}

}  // namespace sorvel
