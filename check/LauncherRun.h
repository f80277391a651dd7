// The launcher's own start-up, run for the series checker: the same routines
// load the catalogue and scan the programs' folders, so the checker's
// verdicts are the launcher's. This is the one place that reads the
// launcher's state.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherState.h"
#include "core/Messages.h"
#include "platform/Platform.h"

namespace sorvel::check {

// Keeps what the launcher would show in its boxes.
class CapturedMessages : public Messages {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowErrorBox(const std::string& text) override { errors.push_back(text); }

  std::vector<std::string> messages;
  std::vector<std::string> errors;  // as the error box shows them
};

// One catalogue entry and what the start-up scan found for it.
struct LaunchedEntry {
  std::string title;
  std::string stem;
  std::string latestVersion;
  std::string folder;  // empty: not found
  std::string file;
  int matches = 0;
  std::vector<std::string> matchedFolders;  // in scan order; the last one wins
};

class LauncherRun {
 public:
  enum class Step { Done, LoadingCatalogue, Scanning };

  // Runs the start-up steps of the launcher in the current directory. With
  // `asCdRomRoot` the folder counts as the root of a CD-ROM, whatever its
  // drive is. `shownBefore` are boxes the launcher showed before these steps.
  LauncherRun(Platform& platform, bool asCdRomRoot, CapturedMessages shownBefore = {});

  const std::string& HomeFolder() const { return state_.homeFolder; }
  bool FromCdRom() const { return state_.fromCdRom; }
  // Nothing was found beside the launcher's folder and its own sub-folders
  // were searched instead, as a disc copied into a folder.
  bool CopiedDisc() const { return state_.copiedDisc; }
  bool CatalogueLoaded() const { return state_.catalogueLoaded; }
  // The step an error stopped, or Done.
  Step StoppedAt() const { return stoppedAt_; }
  const CapturedMessages& Boxes() const { return boxes_; }

  const std::string& Caption() const { return state_.caption; }
  const std::string& LastUpdate() const { return state_.lastUpdate; }
  // What the loader did with each line, with the box it showed for it.
  const CatalogueVerdict& Verdict() const { return state_.catalogueVerdict; }
  std::vector<LaunchedEntry> Entries() const;

  // The folder the start-up scan was given, and the folder listing it read:
  // the normalised folder.
  std::string ScannedFolder() const;
  const std::string& BaseFolder() const { return state_.baseFolder; }
  const std::string& ListingFolder() const { return state_.folderListing.Folder(); }
  // How many of the listed names are the root and the path's components,
  // which come before the sub-folders.
  int ListedPathItems() const { return state_.folderListing.PathItemCount(); }
  // What the scan made of each listed name, in the listing's order.
  const std::vector<FolderVerdict>& FolderVerdicts() const { return state_.folderVerdicts; }

  // The entry number the launcher takes a file of this name for; 0 for none.
  int EntryOfFile(const std::string& fileName) const;

 private:
  LauncherState state_;
  CapturedMessages boxes_;
  Step stoppedAt_ = Step::Done;
};

}  // namespace sorvel::check
