// Everything the launcher knows during one run: its folders, the catalogue
// and, per catalogue entry, what the scans found.
#pragma once

#include <string>
#include <vector>

#include "core/FileProbe.h"
#include "core/FolderListing.h"

namespace sorvel {

// One program line of the catalogue.
struct CatalogueEntry {
  std::string title;
  std::string exeStem;  // at most 8 bytes, A-Z lowered, no extension
  std::string latestVersion;
  std::string key;  // kept with the entry; the launcher makes no use of it
};

// What the catalogue loader did with one line of the file.
enum class LineFate {
  Taken,        // the caption, the date or a program's entry
  Malformed,    // a program line without exactly four fields: skipped
  Unspellable,  // characters CP932 lacks: a program line is skipped, the caption or date cut
};

struct LineVerdict {
  std::size_t index = 0;  // from 0
  LineFate fate = LineFate::Taken;
  int fieldCount = 0;   // a program line's comma-separated fields (0 for an empty line)
  std::string exeName;  // a taken program line's ExeName field, as written
  std::string message;  // the box the launcher shows for the line; empty: none
};

// The loader's verdict, in the file's order: the caption and the date only
// when they lost characters, then every program line.
struct CatalogueVerdict {
  std::string missingMessage;  // the box shown when there is no file
  std::vector<LineVerdict> lines;
};

// What the scan made of one name of its folder listing: it searches the
// folder's files only when the first "*.exe" match is a file it may date.
struct FolderVerdict {
  std::string name;
  FirstMatchProbe firstExe;
  bool Searched() const { return firstExe.kind == FirstMatch::File; }
};

// What the scans found of one catalogue entry.
struct ScanResult {
  // The sub-folder of the base folder that holds the executable, as the
  // latest scan found it; empty: not installed.
  std::string folder;
  // The executable's name as the folder listing spelled it; a later scan
  // that misses the entry leaves it, unused while `folder` is empty.
  std::string exeName;
  // Matching files counted since the counters were last cleared.
  int matchCount = 0;
  // The latest scan's folders holding a file it took for the entry, in scan
  // order: the last one wins, the others are passed over as copies.
  std::vector<std::string> matchedFolders;
};

struct LauncherState {
  std::string homeFolder;  // the current directory at start-up, ends in "\"
  std::string baseFolder;  // the latest scan's folder, ends in "\"
  bool fromCdRom = false;  // the home folder is the root of a CD-ROM
  // A disc copied into a folder: nothing was found beside the launcher's
  // folder, and its own sub-folders hold the programs, as on the disc.
  bool copiedDisc = false;
  bool catalogueLoaded = false;
  std::string caption;     // the catalogue's first line: the main window's caption
  std::string lastUpdate;  // its second line
  std::vector<std::string> catalogueLines;
  CatalogueVerdict catalogueVerdict;  // what the latest load did with each line

  // Entry number n (from 1) is entries[n - 1]; its scan result is
  // results[n - 1]. Both are sized once, when the catalogue is set.
  std::vector<CatalogueEntry> entries;
  std::vector<ScanResult> results;

  FolderListing folderListing;                // the scan's folders
  FileListing fileListing;                    // the scan's executables
  std::vector<FolderVerdict> folderVerdicts;  // the latest scan's, one per listed name

  int EntryCount() const { return static_cast<int>(entries.size()); }
  // Entry n and its scan result; n must lie in 1 .. EntryCount().
  const CatalogueEntry& Entry(int n) const { return entries.at(Index(n)); }
  const ScanResult& Result(int n) const { return results.at(Index(n)); }
  ScanResult& Result(int n) { return results.at(Index(n)); }
  // Found by the latest scan; false for any number outside the catalogue.
  bool IsInstalled(int n) const;

  // Replaces the catalogue; every entry starts with an empty scan result.
  void SetEntries(std::vector<CatalogueEntry> catalogue);
  // The details command counts the copies of one scan only.
  void ClearMatchCounts();

 private:
  static std::size_t Index(int n) { return static_cast<std::size_t>(n - 1); }
};

// The series' folder, which the chooser opens on and the menu toggle scans:
// the home folder's parent ("home\..\"), which holds the launcher's folder
// and, beside it, the programs' folders; for a disc copied into a folder,
// the home folder itself.
inline std::string SeriesFolder(const LauncherState& state) {
  return state.copiedDisc ? state.homeFolder : state.homeFolder + "..\\";
}

}  // namespace sorvel
