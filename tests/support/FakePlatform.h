// An in-memory file system and process table that behaves like Windows for
// the launcher core's tests.
//
// - Drive letters with types; a drive that is not ready answers 21.
// - Names are looked up without regard to the case of A-Z (double-byte
//   characters compare exactly) and keep the case they were created with.
// - Paths are resolved as Windows resolves them: "." and ".." parts, doubled
//   backslashes, "/" as a separator, relative paths against the current
//   directory, "X:" alone meaning the drive's root (unless it is the current
//   drive: then the current directory). The resolved path keeps the caller's
//   spelling and a final separator, as GetFullPathName does.
// - A file's name searched as a folder ("FILE.TXT\*") answers 123.
// - tests/support/PlatformContract.h holds what the fake answers to what the
//   real port answers under Wine.
// - Entries are enumerated in the order NTFS and Wine give, by name (see
//   fake::ListsBefore), unless SetOrder puts some first; non-root folders
//   report "." and ".." first.
// - CompareNoCase is a plain byte compare with A-Z folded, everywhere (the
//   real user-locale collation differs for punctuation and kana).
// - File times are converted to local time with a fixed offset (+9 h).
// - Unicode text converts to CP932 only for the characters of
//   fake::Cp932Spelling; all others count as unspellable. Of the characters
//   CP932 lacks, only U+00E9 has a look-alike ("e").
// - A folder's time moves whenever an entry is added to it or removed from
//   it, as on NTFS, unless its drive keeps folder times as FAT does.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Platform.h"

namespace sorvel::test {

struct LaunchRecord {
  std::string application;
  std::string commandLine;
  std::string currentDirectory;  // when the program was started
  bool started = false;          // what StartProcess answered
};

class FakePlatform : public Platform {
 public:
  // 2001-04-01 00:00 UTC.
  static constexpr std::uint64_t kDefaultTime = 126'305'568'000'000'000ULL;
  static constexpr std::int64_t kHourTicks = 36'000'000'000LL;

  enum class Operation { ChangeDirectory, List, ReadFile };

  // Starts with drive C: (fixed, label "SYSTEM") and current directory C:\.
  FakePlatform();

  void AddDrive(char letter, DriveType type, bool ready = true, const std::string& label = "");
  void SetRemoteName(char letter, const std::string& remoteName);
  // The serial number of the volume in the drive: 1 until another disc is put in.
  void SetVolumeSerial(char letter, std::uint32_t serial);
  // The drive's folders keep their times when entries come and go (FAT).
  void KeepFolderTimes(char letter);
  // Creates the folder and every missing parent folder.
  void AddFolder(const std::string& path, std::uint32_t attributes = attr::kDirectory);
  // Creates the file (and its parent folders) or replaces its contents.
  void AddFile(const std::string& path, const std::string& contents = "",
               std::uint32_t attributes = attr::kArchive, std::uint64_t time = kDefaultTime);
  // Deletes a file, or a folder with everything in it, as another program
  // (or the user) may do while the launcher runs.
  void Remove(const std::string& path);
  // Enumeration order of a folder: these names first, in this order, then
  // the others by name, as a FAT drive may list the entries made first.
  void SetOrder(const std::string& folder, const std::vector<std::string>& names);
  // The operation fails with `code` for this path (folder of a List).
  void InjectError(Operation operation, const std::string& path, ErrorCode code);
  // Sets the current directory without logging (test set-up).
  void PutCurrentDirectory(const std::string& path);
  void SetLocalOffset(std::int64_t ticks) { localOffset_ = ticks; }
  // The current directory is there but has no name the launcher can spell:
  // CurrentDirectory answers "" (paths still resolve against it).
  void MakeCurrentDirectoryUnnamed() { currentDirectoryUnnamed_ = true; }

  // The whole file system, one line per drive and per entry (path,
  // attributes, time stamp, size and a digest of the contents): equal
  // snapshots mean nothing was created, deleted, renamed or changed.
  std::string Snapshot() const;

  // Every successful ChangeDirectory, as resolved; every List pattern, every
  // FindFirst (and FindFirstAndList) pattern and every folder whose stamp was asked, resolved;
  // every root whose drive type was asked, as given.
  std::vector<std::string> directoryChanges;
  std::vector<std::string> listings;
  std::vector<std::string> probes;
  std::vector<std::string> stamps;
  std::vector<std::string> driveQueries;
  std::vector<LaunchRecord> launches;

  std::string CurrentDirectory() override {
    return currentDirectoryUnnamed_ ? std::string() : currentDirectory_;
  }
  ErrorCode ChangeDirectory(const std::string& path) override;
  DriveType DriveTypeOf(const std::string& rootPath) override;
  std::optional<FileInfo> FindFirstAndList(const std::string& pattern,
                                           const std::function<bool(const FileInfo&)>& readOn,
                                           std::vector<FileInfo>& all) override;
  ErrorCode List(const std::string& pattern, std::vector<FileInfo>& out) override;
  std::optional<FolderStamp> StampOf(const std::string& folder) override;
  std::uint64_t FileTimeToLocal(std::uint64_t utcFileTime) override;
  std::string FullPath(const std::string& path) override;
  int CompareNoCase(const std::string& a, const std::string& b) override;
  std::string CollationKey(const std::string& name) override;
  ErrorCode ReadWholeFile(const std::string& path, std::string& contents) override;
  bool StartProcess(const std::string& application, const std::string& commandLine) override;
  std::uint32_t LogicalDrives() override;
  std::optional<std::string> VolumeLabel(const std::string& root) override;
  std::optional<std::uint32_t> VolumeSerial(const std::string& root) override;
  std::optional<std::string> NetworkRemoteName(const std::string& drive) override;
  std::optional<std::string> Cp932FromUtf16(const std::u16string& text) override;
  std::optional<std::string> Cp932LookAlike(const std::u16string& character) override;

 private:
  struct Node {
    std::string name;
    std::uint32_t attributes = attr::kDirectory;
    std::uint64_t time = kDefaultTime;
    std::string contents;
    std::vector<std::unique_ptr<Node>> children;  // in creation order
    std::vector<std::string> listedFirst;         // SetOrder's names
    // The children by their name with A-Z folded: a name is looked up as a
    // file system does, without walking the whole folder.
    std::unordered_map<std::string, Node*> index;

    bool IsFolder() const { return (attributes & attr::kDirectory) != 0; }
    Node* Child(const std::string& childName) const;
    Node& AddChild(const std::string& childName);
    // The children in the order the folder lists them.
    std::vector<const Node*> Listed() const;
    void RemoveChild(const Node& child);
  };
  struct Drive {
    DriveType type = DriveType::Fixed;
    bool ready = true;
    bool keepsFolderTimes = false;
    std::string label;
    std::string remoteName;
    std::uint32_t serial = 1;
    Node root;
  };
  struct Path {
    ErrorCode error = error::kOk;
    char drive = 0;    // upper case
    std::string full;  // "X:\A\B", the caller's spelling
    std::vector<std::string> parts;
  };
  struct Lookup {
    ErrorCode error = error::kOk;
    Node* node = nullptr;
  };

  Path Resolve(const std::string& path) const;
  // The node at `parts[0 .. count)` of a resolved path.
  Lookup Find(const Path& path, std::size_t count) const;
  Node& MakeFolders(const Path& path, std::size_t count);
  // An entry was added to `folder` or removed from it.
  void Touch(char drive, Node& folder);
  // The entries of a resolved pattern's folder that match it.
  ErrorCode Search(const Path& resolved, std::vector<FileInfo>& out) const;
  ErrorCode InjectedError(Operation operation, const std::string& fullPath) const;
  static void AppendSnapshot(const Node& node, const std::string& path, std::string& lines);

  std::map<char, Drive> drives_;
  std::string currentDirectory_ = "C:\\";
  bool currentDirectoryUnnamed_ = false;
  std::uint64_t clock_ = kDefaultTime;  // the time a folder changed last
  std::int64_t localOffset_ = 9 * kHourTicks;
  struct Injection {
    Operation operation;
    std::string fullPath;
    ErrorCode code;
  };
  std::vector<Injection> injections_;
};

}  // namespace sorvel::test
