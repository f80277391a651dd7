// The operating-system services the launcher core relies on.
//
// Every string is a byte string in CP932 (Shift-JIS). An implementation that
// talks to a Unicode file system converts at its own edge; a name that has no
// CP932 spelling is never handed out (see the implementation's notes).
//
// Error codes are the platform's own numbers (0 = success):
// 2 file not found, 3 path not found, 4 too many open files, 5 access denied,
// 21 drive not ready, 123 invalid name, ...
//
// Unexpected errors travel as exceptions (LauncherError, InOutError,
// PrintError) up to the event handler that caused them, which shows them in
// the error box; the core and the platform's services raise them alike. The
// port words nothing: its errors carry a code, and the core's table of texts
// (core/UserTexts.h) words every code.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorvel {

using ErrorCode = std::uint32_t;

namespace error {
constexpr ErrorCode kOk = 0;
constexpr ErrorCode kFileNotFound = 2;
constexpr ErrorCode kPathNotFound = 3;
constexpr ErrorCode kTooManyOpenFiles = 4;
constexpr ErrorCode kAccessDenied = 5;
constexpr ErrorCode kNotReady = 21;
constexpr ErrorCode kSharingViolation = 32;
constexpr ErrorCode kInvalidName = 123;
constexpr ErrorCode kDirectoryName = 267;  // the path names a file, not a folder
}  // namespace error

// Why the text printer cannot go on, apart from the errors of its calls.
enum class PrintFault : int {
  NoDefaultPrinter,  // Windows names no default printer
  InvalidPrinter,    // the default printer gives no device context
  AlreadyPrinting,   // a job is open already
  NoJob,             // a line or the end of a job without one
  Count,             // the number of faults: the core words each
};

// An unexpected error. The core throws it with the text the error box shows;
// the port throws only the classes below, whose codes the core words.
class LauncherError : public std::runtime_error {
 public:
  explicit LauncherError(const std::string& text) : std::runtime_error(text) {}
  std::string Text() const { return what(); }
};

// An input/output error, with its code. The port gives no text; the core,
// which words the code, gives the words as the text too, for a reader of the
// text that does not ask the table (the series checker's start-up run).
class InOutError : public LauncherError {
 public:
  explicit InOutError(ErrorCode code) : LauncherError({}), code_(code) {}
  ErrorCode Code() const { return code_; }

 private:
  ErrorCode code_;
};

// A fault of the text printer.
class PrintError : public LauncherError {
 public:
  explicit PrintError(PrintFault fault) : LauncherError({}), fault_(fault) {}
  PrintFault Fault() const { return fault_; }

 private:
  PrintFault fault_;
};

// Values of the platform's drive-type query.
enum class DriveType : int {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  CdRom = 5,
  RamDisk = 6,
};

// File attribute bits as the platform reports them.
namespace attr {
constexpr std::uint32_t kReadOnly = 0x01;
constexpr std::uint32_t kHidden = 0x02;
constexpr std::uint32_t kSystem = 0x04;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kNormal = 0x80;
}  // namespace attr

// One entry of a folder search.
struct FileInfo {
  std::string name;  // bare name, as the file system stores it
  std::uint32_t attributes = 0;
  std::uint64_t lastWriteTime = 0;  // 100 ns ticks since 1601-01-01, UTC
};

// An entry that FindFirst and List leave out because its name has no CP932
// spelling. Only the series checker asks for these, to tell a publisher why
// a program cannot be found.
struct ForeignEntry {
  std::string spelling;  // the name with a look-alike or "?" for what CP932 lacks
  std::uint32_t attributes = 0;
  std::vector<std::string> files;  // a folder's files, spelled the same way
};

// What a folder looks like from outside, to tell whether it changed since it
// was listed without listing it again: equal stamps of one folder mean that
// no entry was added, removed or renamed, and none hidden or shown.
struct FolderStamp {
  std::uint64_t lastWriteTime = 0;  // the folder's own
  std::uint64_t entryCount = 0;
  std::uint64_t entriesDigest = 0;  // of the entries' names and kinds, in any order
  bool operator==(const FolderStamp&) const = default;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The process's current directory, whatever its length.
  virtual std::string CurrentDirectory() = 0;
  // Moves the current directory; returns 0 or the platform's error code.
  virtual ErrorCode ChangeDirectory(const std::string& path) = 0;

  // Drive type of a root path such as "C:\"; a path below a root answers
  // NoRootDir, as the platform itself does.
  virtual DriveType DriveTypeOf(const std::string& rootPath) = 0;

  // First entry matching a pattern that may hold "*" and "?", in the file
  // system's own order; nullopt when nothing matches or the search fails.
  std::optional<FileInfo> FindFirst(const std::string& pattern) {
    std::vector<FileInfo> none;
    return FindFirstAndList(
        pattern, [](const FileInfo&) { return false; }, none);
  }
  // FindFirst's entry; when `readOn` accepts it, also every entry, as List
  // gives them, in `all`, from the same search: a folder judged by its first
  // match is searched once. `all` is empty otherwise, and when the search
  // fails before its end.
  virtual std::optional<FileInfo> FindFirstAndList(
      const std::string& pattern, const std::function<bool(const FileInfo&)>& readOn,
      std::vector<FileInfo>& all) = 0;

  // Every entry matching a pattern (including "." and ".." where the file
  // system reports them), in the file system's own order. A pattern that
  // matches nothing gives 0 and an empty list; a folder that cannot be
  // searched gives its error code.
  virtual ErrorCode List(const std::string& pattern, std::vector<FileInfo>& out) = 0;

  // The stamp of a folder, in one call; nullopt when it cannot be read.
  // A platform that cannot tell answers nullopt, so that every listing is
  // read afresh there.
  virtual std::optional<FolderStamp> StampOf(const std::string& folder) {
    static_cast<void>(folder);
    return std::nullopt;
  }

  // Converts a UTC file time to local file time (same units).
  virtual std::uint64_t FileTimeToLocal(std::uint64_t utcFileTime) = 0;

  // Absolute, normalised form of a path ("..\" parts resolved), relative
  // paths taken against the current directory.
  virtual std::string FullPath(const std::string& path) = 0;

  // The user locale's case-insensitive collation: <0, 0 or >0.
  virtual int CompareNoCase(const std::string& a, const std::string& b) = 0;
  // A key of `name` in the same collation: keys in byte order are the names
  // in CompareNoCase's order, equal keys are names it holds equal. A long
  // listing is sorted by keys made once per name instead of comparing names.
  virtual std::string CollationKey(const std::string& name) = 0;

  // Reads a whole file, opened for reading while others may only read it.
  virtual ErrorCode ReadWholeFile(const std::string& path, std::string& contents) = 0;

  // Starts a program without waiting for it: `application` is the file to
  // run, `commandLine` what the program sees as its command line. The new
  // process inherits the current directory. Returns false when it failed.
  virtual bool StartProcess(const std::string& application, const std::string& commandLine) = 0;

  // Bit n set when drive letter 'A' + n exists.
  virtual std::uint32_t LogicalDrives() = 0;
  // Volume label of a root such as "C:\"; nullopt when it cannot be read.
  virtual std::optional<std::string> VolumeLabel(const std::string& root) = 0;
  // Serial number of the volume in the drive of a root such as "Q:\", which
  // tells another disc from the one read before without reading a folder;
  // nullopt when it cannot be read (no disc).
  virtual std::optional<std::uint32_t> VolumeSerial(const std::string& root) = 0;
  // Remote name of a network drive such as "X:"; nullopt when unknown.
  virtual std::optional<std::string> NetworkRemoteName(const std::string& drive) = 0;

  // The exact CP932 spelling of a UTF-16 text, for a catalogue saved in
  // Unicode; nullopt when a character has none (no look-alike, no default
  // character), a lone surrogate included. The characters of
  // kCp932TypedForms are spelled as their Windows forms.
  virtual std::optional<std::string> Cp932FromUtf16(const std::u16string& text) = 0;

  // The CP932 character Windows puts for one character CP932 lacks (its
  // best fit: "e" for U+00E9), for naming it in a report; nullopt when
  // there is none.
  virtual std::optional<std::string> Cp932LookAlike(const std::u16string& /*character*/) {
    return std::nullopt;
  }

  // The entries of `folder` that FindFirst and List leave out for their
  // names. A file system whose names are all CP932 has none.
  virtual std::vector<ForeignEntry> ForeignEntries(const std::string& /*folder*/) { return {}; }
};

// Seven CP932 characters have two Unicode forms: the one JIS-based tables
// give (what macOS and Linux input methods type, and ICU and Java write) and
// the one Windows gives for the same bytes (81 60 reads as U+FF5E, not
// U+301C). A text saved on another system means CP932's own character.
struct Cp932TypedForm {
  char16_t typed;
  char16_t windows;
};
inline constexpr Cp932TypedForm kCp932TypedForms[] = {
    {0x301C, 0xFF5E},  // WAVE DASH, 81 60
    {0x2016, 0x2225},  // DOUBLE VERTICAL LINE, 81 61
    {0x2212, 0xFF0D},  // MINUS SIGN, 81 7C
    {0x00A2, 0xFFE0},  // CENT SIGN, 81 91
    {0x00A3, 0xFFE1},  // POUND SIGN, 81 92
    {0x00AC, 0xFFE2},  // NOT SIGN, 81 CA
    {0x2014, 0x2015},  // EM DASH, 81 5C
};

// The Windows form of a character typed in its other form; any other
// character as it is.
constexpr char16_t WindowsForm(char16_t unit) {
  for (const Cp932TypedForm& form : kCp932TypedForms) {
    if (form.typed == unit) return form.windows;
  }
  return unit;
}

}  // namespace sorvel
