// Everything the launcher knows during one run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sorvel {

// Handle of an icon held by a marker image; 0 = none. Values 0 and 1 are the
// "no icon" answers of the icon extraction.
using IconHandle = std::uintptr_t;

// One element of the four catalogue lists.
struct CatalogueEntry {
  std::string Title;
  std::string ExeStem;  // at most 8 bytes, A-Z lowered, no extension
  std::string LatestVersion;
  std::string Key;
};

// A folder and the names read from it; re-read only when the folder changes.
struct Listing {
  std::string folder;  // empty until first read
  std::vector<std::string> names;
};

// Per-entry arrays hold entry numbers 1..50 at least (element 0 unused) and
// grow with the catalogue, so entries beyond 50 are kept as well.
constexpr int kMinEntrySlots = 51;

struct LauncherState {
  std::string HomeFolder;
  std::string BaseFolder;
  bool FromCdRom = false;
  bool CatalogueLoaded = false;
  std::string WindowCaption;
  std::string LastUpdate;

  std::vector<std::string> lstTitle;
  std::vector<std::string> lstEXE;
  std::vector<std::string> lstNewVersion;
  std::vector<std::string> lstKey;
  std::vector<std::string> lstBuffer;  // the catalogue file's lines

  std::vector<std::string> FoundFolder = std::vector<std::string>(kMinEntrySlots);
  std::vector<std::string> FoundExe = std::vector<std::string>(kMinEntrySlots);
  std::vector<int> MatchCount = std::vector<int>(kMinEntrySlots);
  std::vector<IconHandle> MarkerIcon = std::vector<IconHandle>(kMinEntrySlots);
  std::vector<bool> MarkerSet = std::vector<bool>(kMinEntrySlots);

  bool MenuShown = true;

  Listing drbMain;  // the scan's folder listing
  Listing flbExe;   // the scan's file listing ("*.exe")

  int EntryCount() const { return static_cast<int>(lstTitle.size()); }
  CatalogueEntry Entry(int n) const;  // n from 1
  bool IsInstalled(int n) const;      // FoundFolder[n] not empty

  // Makes room in the per-entry arrays for entry numbers up to `count`.
  void ReserveEntries(int count);
};

}  // namespace sorvel
