// What the series checker found: every catalogue entry with the launcher's
// verdict and, for a program it does not find, why; then the problems of the
// series as a whole. All text is CP932, as the launcher reads and shows it.
#pragma once

#include <string>
#include <vector>

#include "check/FindingKinds.h"

namespace sorvel::check {

// Where the launcher looks for the programs at start-up.
enum class Layout {
  HardDisk,   // the folders beside the launcher's folder (its parent's sub-folders)
  CdRomRoot,  // the sub-folders of the launcher's folder, the root of a CD-ROM
  // A disc copied into a folder: nothing beside the launcher's folder, so its
  // own sub-folders, as at the root of a CD-ROM.
  CopiedDisc,
};

// How the catalogue file is encoded, as far as its bytes tell.
enum class Encoding {
  Cp932,
  Utf8WithBom,
  Utf8,
  Utf16,
  Utf16WithoutBom,  // read as CP932, so it ends at its first NUL byte
  NotCp932,         // read as CP932, with bytes that are no CP932 character
  Utf32,
  Count  // not an encoding: how many there are, for the tables of encodings
};

// Why the launcher does not find a program that is on the disk.
enum class MissReason {
  SameStem,              // an earlier entry has the same stem and is taken instead
  SkippedForSubFolder,   // its folder's first "*.exe" entry is a folder
  SkippedForDate,        // its folder's first "*.exe" entry is dated outside 1980..2107
  HiddenFile,            // the file is hidden or a system file
  HiddenFolder,          // its folder is hidden or a system folder
  ForeignFolderName,     // its folder's name has characters CP932 lacks
  ForeignFileName,       // its own name has characters CP932 lacks
  InsideLauncherFolder,  // in a sub-folder of the launcher's folder, on a hard disk
  NameCut,               // named after the whole ExeName, not its first 8 bytes
  Count                  // not a reason: how many there are, for the tables of reasons
};

struct MissCause {
  MissReason reason = MissReason::SameStem;
  std::string folder;         // where the file lies
  std::string file;           // the file's name as listed
  std::string firstEntry;     // a skipped folder's first "*.exe" entry
  bool datedTooEarly = true;  // SkippedForDate: before 1980 (false: after 2107)
  int otherEntry = 0;         // SameStem: the entry that is taken instead
};

struct EntryReport {
  int number = 0;
  std::string title;
  std::string exeName;  // the catalogue's ExeName field as written
  std::string stem;     // what the launcher keeps of it
  std::string latestVersion;
  bool installed = false;
  // Installed: where the launcher finds it and how many copies it counted.
  std::string folder;
  std::string file;
  std::string version;
  int copies = 0;
  // Missing: empty when the program is simply not on the disk.
  std::vector<MissCause> causes;

  // Installed: none; not on the disk: a warning; on the disk but not found: an error.
  Severity severity() const;
};

struct Finding {
  FindingKind kind = FindingKind::CatalogueMissing;
  int entry = 0;  // entry number, 0 for none
  int line = 0;   // catalogue line, from 1
  int count = 0;
  Encoding encoding = Encoding::Cp932;
  std::string text{};
  std::vector<std::string> names{};
  unsigned errorCode = 0;  // the platform's error code, 0 for none

  Severity severity() const { return RowOf(kind).severity; }
};

struct CheckReport {
  std::string homeFolder;     // the launcher's folder, with a trailing backslash
  std::string scannedFolder;  // as the launcher passes it to its scan
  Layout layout = Layout::HardDisk;
  bool catalogueLoaded = false;
  Encoding encoding = Encoding::Cp932;
  std::string caption;
  std::string lastUpdate;
  // The start-up scan ran, so the entries carry the launcher's verdicts.
  bool scanned = false;
  std::vector<EntryReport> entries;
  std::vector<Finding> findings;
  // The catalogue could not be read or the programs' folder not entered, so
  // the series could not be checked whole.
  bool incomplete = false;

  int Errors() const;
  int Warnings() const;
  // 0 without errors, 1 with errors, 2 when the series could not be read.
  int ExitCode() const;
};

// Exit code when the checker cannot even start on the folder.
inline constexpr int kExitUnreadable = 2;

}  // namespace sorvel::check
