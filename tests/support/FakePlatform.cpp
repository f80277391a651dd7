#include "tests/support/FakePlatform.h"

#include <algorithm>
#include <stdexcept>

#include "tests/support/FakeNames.h"

namespace sorvel::test {

using fake::Fold;
using fake::HasInvalidChar;
using fake::IsSeparator;
using fake::NameKey;
using fake::SameName;
using fake::SplitPath;
using fake::WildMatch;

namespace {

constexpr ErrorCode kDirectoryName = 267;  // the path names a file, not a folder

// FNV-1a of an entry's name and kind; summed over a folder's entries, so
// that the digest does not depend on their order.
std::uint64_t EntryDigest(const std::string& name, std::uint32_t attributes) {
  std::uint64_t digest = 14'695'981'039'346'656'037ULL;
  const std::uint32_t kind = attributes & (attr::kDirectory | attr::kHidden | attr::kSystem);
  for (const char c : name + std::to_string(kind)) {
    digest = (digest ^ static_cast<unsigned char>(c)) * 1'099'511'628'211ULL;
  }
  return digest;
}

}  // namespace

FakePlatform::Node* FakePlatform::Node::Child(const std::string& childName) const {
  const auto found = index.find(NameKey(childName));
  return found == index.end() ? nullptr : found->second;
}

FakePlatform::Node& FakePlatform::Node::AddChild(const std::string& childName) {
  children.push_back(std::make_unique<Node>());
  Node& child = *children.back();
  child.name = childName;
  index[NameKey(childName)] = &child;
  return child;
}

void FakePlatform::Node::RemoveChild(const Node& child) {
  index.erase(NameKey(child.name));
  children.erase(std::find_if(children.begin(), children.end(),
                              [&child](const auto& node) { return node.get() == &child; }));
}

FakePlatform::FakePlatform() { AddDrive('C', DriveType::Fixed, true, "SYSTEM"); }

void FakePlatform::AddDrive(char letter, DriveType type, bool ready, const std::string& label) {
  Drive& drive = drives_[static_cast<char>(std::toupper(letter))];
  drive.type = type;
  drive.ready = ready;
  drive.label = label;
}

void FakePlatform::SetRemoteName(char letter, const std::string& remoteName) {
  drives_.at(static_cast<char>(std::toupper(letter))).remoteName = remoteName;
}

void FakePlatform::SetVolumeSerial(char letter, std::uint32_t serial) {
  drives_.at(static_cast<char>(std::toupper(letter))).serial = serial;
}

void FakePlatform::KeepFolderTimes(char letter) {
  drives_.at(static_cast<char>(std::toupper(letter))).keepsFolderTimes = true;
}

void FakePlatform::Touch(char drive, Node& folder) {
  if (!drives_.at(drive).keepsFolderTimes) folder.time = ++clock_;
}

void FakePlatform::AddFolder(const std::string& path, std::uint32_t attributes) {
  const Path resolved = Resolve(path);
  Node& folder = MakeFolders(resolved, resolved.parts.size());
  if (!resolved.parts.empty()) folder.attributes = attributes | attr::kDirectory;
}

void FakePlatform::AddFile(const std::string& path, const std::string& contents,
                           std::uint32_t attributes, std::uint64_t time) {
  const Path resolved = Resolve(path);
  if (resolved.parts.empty()) throw std::logic_error("no file name: " + path);
  Node& folder = MakeFolders(resolved, resolved.parts.size() - 1);
  Node* file = folder.Child(resolved.parts.back());
  if (file == nullptr) {
    file = &folder.AddChild(resolved.parts.back());
    Touch(resolved.drive, folder);
  }
  file->attributes = attributes;
  file->time = time;
  file->contents = contents;
}

void FakePlatform::Remove(const std::string& path) {
  const Path resolved = Resolve(path);
  if (resolved.parts.empty()) throw std::logic_error("cannot remove a root: " + path);
  const Lookup parent = Find(resolved, resolved.parts.size() - 1);
  if (parent.error != error::kOk) throw std::logic_error("no such entry: " + path);
  const Node* entry = parent.node->Child(resolved.parts.back());
  if (entry == nullptr) throw std::logic_error("no such entry: " + path);
  parent.node->RemoveChild(*entry);
  Touch(resolved.drive, *parent.node);
}

std::string FakePlatform::Snapshot() const {
  std::string lines;
  for (const auto& [letter, drive] : drives_) {
    lines += std::string(1, letter) + ": " + std::to_string(static_cast<int>(drive.type)) +
             (drive.ready ? " ready " : " not-ready ") + drive.label + " " + drive.remoteName +
             "\n";
    AppendSnapshot(drive.root, std::string(1, letter) + ":", lines);
  }
  return lines;
}

void FakePlatform::AppendSnapshot(const Node& node, const std::string& path, std::string& lines) {
  std::uint64_t digest = 14'695'981'039'346'656'037ULL;  // FNV-1a
  for (const char c : node.contents) {
    digest = (digest ^ static_cast<unsigned char>(c)) * 1'099'511'628'211ULL;
  }
  lines += path + " " + std::to_string(node.attributes) + " " + std::to_string(node.time) + " " +
           std::to_string(node.contents.size()) + " " + std::to_string(digest) + "\n";
  for (const auto& child : node.children) AppendSnapshot(*child, path + "\\" + child->name, lines);
}

void FakePlatform::SetOrder(const std::string& folderPath, const std::vector<std::string>& names) {
  const Path resolved = Resolve(folderPath);
  MakeFolders(resolved, resolved.parts.size()).listedFirst = names;
}

std::vector<const FakePlatform::Node*> FakePlatform::Node::Listed() const {
  // Each child's rank and key made once: a folder of thousands is sorted
  // without making keys for every comparison.
  struct Item {
    std::ptrdiff_t rank;
    std::string key;
    const Node* node;
  };
  std::vector<Item> items;
  items.reserve(children.size());
  for (const auto& child : children) {
    const auto first =
        std::find_if(listedFirst.begin(), listedFirst.end(),
                     [&child](const auto& name) { return SameName(name, child->name); });
    items.push_back({first - listedFirst.begin(), fake::ListsKey(child->name), child.get()});
  }
  std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.key != b.key ? a.key < b.key : a.node->name < b.node->name;
  });
  std::vector<const Node*> listed;
  listed.reserve(items.size());
  for (const Item& item : items) listed.push_back(item.node);
  return listed;
}

void FakePlatform::InjectError(Operation operation, const std::string& path, ErrorCode code) {
  injections_.push_back({operation, Resolve(path).full, code});
}

void FakePlatform::PutCurrentDirectory(const std::string& path) {
  currentDirectory_ = Resolve(path).full;
}

FakePlatform::Path FakePlatform::Resolve(const std::string& path) const {
  Path result;
  const std::vector<std::string> current = SplitPath(currentDirectory_);
  std::string driveSpelling = current.front();
  std::vector<std::string> parts(current.begin() + 1, current.end());
  std::string rest = path;

  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    const bool sameDrive = std::toupper(path[0]) == std::toupper(driveSpelling[0]);
    driveSpelling = path.substr(0, 2);
    rest = path.substr(2);
    if (!sameDrive) parts.clear();
  } else if (path.size() >= 2 && IsSeparator(path.substr(0, 1)) && IsSeparator(path.substr(1, 1))) {
    result.error = error::kPathNotFound;  // network paths are not modelled
    return result;
  }
  if (!rest.empty() && IsSeparator(rest.substr(0, 1))) parts.clear();

  for (const std::string& part : SplitPath(rest)) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }

  result.drive = static_cast<char>(std::toupper(driveSpelling[0]));
  result.full = driveSpelling + "\\";
  for (std::size_t index = 0; index < parts.size(); ++index) {
    result.full += (index == 0 ? "" : "\\") + parts[index];
  }
  result.parts = std::move(parts);
  return result;
}

FakePlatform::Lookup FakePlatform::Find(const Path& path, std::size_t count) const {
  if (path.error != error::kOk) return {path.error, nullptr};
  const auto drive = drives_.find(path.drive);
  if (drive == drives_.end()) return {error::kPathNotFound, nullptr};
  if (!drive->second.ready) return {error::kNotReady, nullptr};

  Node* node = const_cast<Node*>(&drive->second.root);
  for (std::size_t index = 0; index < count; ++index) {
    if (!node->IsFolder()) return {error::kPathNotFound, nullptr};
    if (HasInvalidChar(path.parts[index], false)) return {error::kInvalidName, nullptr};
    node = node->Child(path.parts[index]);
    if (node == nullptr) {
      return {index + 1 == count ? error::kFileNotFound : error::kPathNotFound, nullptr};
    }
  }
  return {error::kOk, node};
}

FakePlatform::Node& FakePlatform::MakeFolders(const Path& path, std::size_t count) {
  if (path.error != error::kOk || drives_.count(path.drive) == 0) {
    throw std::logic_error("cannot create " + path.full);
  }
  Node* node = &drives_[path.drive].root;
  for (std::size_t index = 0; index < count; ++index) {
    Node* child = node->Child(path.parts[index]);
    if (child == nullptr) {
      child = &node->AddChild(path.parts[index]);
      Touch(path.drive, *node);
    }
    node = child;
  }
  return *node;
}

ErrorCode FakePlatform::InjectedError(Operation operation, const std::string& fullPath) const {
  for (const Injection& injection : injections_) {
    if (injection.operation == operation && SameName(injection.fullPath, fullPath)) {
      return injection.code;
    }
  }
  return error::kOk;
}

ErrorCode FakePlatform::ChangeDirectory(const std::string& path) {
  const Path resolved = Resolve(path);
  if (resolved.error != error::kOk) return resolved.error;
  if (const ErrorCode code = InjectedError(Operation::ChangeDirectory, resolved.full)) {
    return code;
  }
  const Lookup found = Find(resolved, resolved.parts.size());
  if (found.error != error::kOk) return found.error;
  if (!found.node->IsFolder()) return kDirectoryName;
  currentDirectory_ = resolved.full;
  directoryChanges.push_back(resolved.full);
  return error::kOk;
}

DriveType FakePlatform::DriveTypeOf(const std::string& rootPath) {
  driveQueries.push_back(rootPath);
  const bool isRoot =
      (rootPath.size() == 2 || (rootPath.size() == 3 && IsSeparator(rootPath.substr(2)))) &&
      rootPath[1] == ':';
  if (!isRoot) return DriveType::NoRootDir;
  const auto drive = drives_.find(static_cast<char>(std::toupper(rootPath[0])));
  return drive == drives_.end() ? DriveType::NoRootDir : drive->second.type;
}

std::optional<FileInfo> FakePlatform::FindFirstAndList(
    const std::string& pattern, const std::function<bool(const FileInfo&)>& readOn,
    std::vector<FileInfo>& all) {
  const Path resolved = Resolve(pattern);
  if (resolved.error == error::kOk) probes.push_back(resolved.full);
  std::vector<FileInfo> entries;
  all.clear();
  if (Search(resolved, entries) != error::kOk || entries.empty()) return std::nullopt;
  if (readOn(entries.front())) all = entries;
  return entries.front();
}

ErrorCode FakePlatform::List(const std::string& pattern, std::vector<FileInfo>& out) {
  const Path resolved = Resolve(pattern);
  if (resolved.error == error::kOk && !resolved.parts.empty()) listings.push_back(resolved.full);
  return Search(resolved, out);
}

ErrorCode FakePlatform::Search(const Path& resolved, std::vector<FileInfo>& out) const {
  out.clear();
  if (resolved.error != error::kOk) return resolved.error;
  if (resolved.parts.empty()) return error::kFileNotFound;

  const std::string& mask = resolved.parts.back();
  if (HasInvalidChar(mask, true)) return error::kInvalidName;
  const std::size_t depth = resolved.parts.size() - 1;
  const Lookup folder = Find(resolved, depth);
  if (folder.error != error::kOk)
    return folder.error == error::kFileNotFound ? error::kPathNotFound : folder.error;
  if (!folder.node->IsFolder()) return error::kInvalidName;  // a file's name taken for a folder's
  const std::string folderPath = resolved.full.substr(0, resolved.full.size() - mask.size());
  if (const ErrorCode code = InjectedError(Operation::List, Resolve(folderPath).full)) return code;

  if (depth > 0) {
    for (const char* dots : {".", ".."}) {
      if (WildMatch(mask, dots)) out.push_back({dots, attr::kDirectory, folder.node->time});
    }
  }
  for (const Node* child : folder.node->Listed()) {
    if (WildMatch(mask, child->name)) out.push_back({child->name, child->attributes, child->time});
  }
  return error::kOk;
}

std::optional<FolderStamp> FakePlatform::StampOf(const std::string& folder) {
  const Path resolved = Resolve(folder);
  if (resolved.error != error::kOk) return std::nullopt;
  stamps.push_back(resolved.full);
  const Lookup found = Find(resolved, resolved.parts.size());
  if (found.error != error::kOk || !found.node->IsFolder()) return std::nullopt;
  // A folder that cannot be searched cannot be counted either.
  if (InjectedError(Operation::List, resolved.full) != error::kOk) return std::nullopt;
  FolderStamp stamp;
  stamp.lastWriteTime = found.node->time;
  for (const auto& child : found.node->children) {
    ++stamp.entryCount;
    stamp.entriesDigest += EntryDigest(child->name, child->attributes);
  }
  return stamp;
}

std::uint64_t FakePlatform::FileTimeToLocal(std::uint64_t utcFileTime) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(utcFileTime) + localOffset_);
}

std::string FakePlatform::FullPath(const std::string& path) {
  const Path resolved = Resolve(path);
  if (resolved.error != error::kOk) return path;
  // A final separator stays, as GetFullPathName keeps it; the current
  // drive alone ("C:") gives the current directory with one.
  const bool driveAlone = path.size() == 2 && path[1] == ':';
  const bool separatorLast = driveAlone || (!path.empty() && SplitPath(path).back().empty());
  return separatorLast && !resolved.parts.empty() ? resolved.full + "\\" : resolved.full;
}

int FakePlatform::CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t pos = 0; pos < common; ++pos) {
    const auto left = static_cast<unsigned char>(Fold(a[pos]));
    const auto right = static_cast<unsigned char>(Fold(b[pos]));
    if (left != right) return left < right ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string FakePlatform::CollationKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = Fold(c);
  return key;
}

ErrorCode FakePlatform::ReadWholeFile(const std::string& path, std::string& contents) {
  const Path resolved = Resolve(path);
  if (resolved.error != error::kOk) return resolved.error;
  if (const ErrorCode code = InjectedError(Operation::ReadFile, resolved.full)) return code;
  const Lookup found = Find(resolved, resolved.parts.size());
  if (found.error != error::kOk) return found.error;
  if (found.node->IsFolder()) return error::kAccessDenied;
  contents = found.node->contents;
  return error::kOk;
}

bool FakePlatform::StartProcess(const std::string& application, const std::string& commandLine) {
  const Path resolved = Resolve(application);
  const Lookup found = Find(resolved, resolved.parts.size());
  const bool started = found.error == error::kOk && !found.node->IsFolder();
  launches.push_back({application, commandLine, currentDirectory_, started});
  return started;
}

std::uint32_t FakePlatform::LogicalDrives() {
  std::uint32_t bits = 0;
  for (const auto& [letter, drive] : drives_) bits |= 1U << (letter - 'A');
  return bits;
}

std::optional<std::string> FakePlatform::VolumeLabel(const std::string& root) {
  if (root.empty()) return std::nullopt;
  const auto drive = drives_.find(static_cast<char>(std::toupper(root[0])));
  if (drive == drives_.end() || !drive->second.ready) return std::nullopt;
  return drive->second.label;
}

std::optional<std::uint32_t> FakePlatform::VolumeSerial(const std::string& root) {
  if (!VolumeLabel(root)) return std::nullopt;  // no such drive, or no disc in it
  return drives_.at(static_cast<char>(std::toupper(root[0]))).serial;
}

std::optional<std::string> FakePlatform::NetworkRemoteName(const std::string& driveName) {
  if (driveName.empty()) return std::nullopt;
  const auto drive = drives_.find(static_cast<char>(std::toupper(driveName[0])));
  if (drive == drives_.end() || drive->second.type != DriveType::Remote ||
      drive->second.remoteName.empty()) {
    return std::nullopt;
  }
  return drive->second.remoteName;
}

std::optional<std::string> FakePlatform::Cp932FromUtf16(const std::u16string& text) {
  return fake::Cp932Spelling(text);
}

std::optional<std::string> FakePlatform::Cp932LookAlike(const std::u16string& character) {
  // The one look-alike the tests ask for, as Windows' best fit gives it.
  if (character == u"\u00E9") return "e";
  return std::nullopt;
}

}  // namespace sorvel::test
