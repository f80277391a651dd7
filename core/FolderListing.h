// The scan's two listings, kept from one scan to the next: the folders of a
// base folder (also what the folder chooser shows) and the executables of a
// program folder. Each reads its folder afresh when it is pointed at another
// one or when its folder changed since it was read; a folder on a CD-ROM is
// read again only when another disc was put in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sorvel {

// Moves the current directory to `path`, or throws the platform's error;
// returns the directory normalised: without its trailing backslash, except
// at a drive's root.
std::string EnterFolder(Platform& platform, const std::string& path);

// Whether `folder` (normalised) lies on a CD-ROM drive: one question to the
// platform about the folder's root.
bool IsOnCdRom(Platform& platform, const std::string& folder);

// The root and each component of a normalised folder's path, as a folder
// list shows them. A network share's root ("\\HOST\SHARE") is one item, as a
// drive's root ("C:\") is: its host alone is no folder.
std::vector<std::string> PathItems(const std::string& folder);
// The folder that path item `index` of `folder` opens ("C:\", "C:\SERIES";
// "\\HOST\SHARE\"); empty when there is no such item.
std::string PathItemFolder(const std::string& folder, int index);

// What a listing keeps of its folder to tell, without reading it again,
// whether the folder is still as it was read: of a folder on a CD-ROM, whose
// disc never changes while it is in the drive, the disc's serial number;
// otherwise the folder's stamp.
class FolderWatch {
 public:
  // Notes `folder` (normalised) before its entries are read, so that a
  // change made while they are read shows at the next look; `onCdRom` says
  // whether it lies on a CD-ROM drive (see IsOnCdRom).
  void Note(Platform& platform, const std::string& folder, bool onCdRom);
  // True while the noted `folder` is as it was when noted.
  bool Unchanged(Platform& platform, const std::string& folder) const;
  bool OnCdRom() const { return onCdRom_; }

 private:
  bool onCdRom_ = false;
  std::optional<FolderStamp> stamp_;
  std::optional<std::uint32_t> discSerial_;
};

// The names a folder list shows for a folder: the root ("C:\", or a network
// share's "\\HOST\SHARE"), each component of the folder's path from the top
// down, the folder's own name last, then its sub-folders.
class FolderListing {
 public:
  // Points the listing at `path`. An empty path, or one that equals the
  // listing's folder without regard to case while that folder is unchanged,
  // keeps the names read before, and the current directory stays. Otherwise
  // the current directory moves to `path` (InOutError when it cannot be
  // entered; the listing then stays as it was), the folder becomes its
  // normalised full path and the names are read afresh.
  void PointAt(Platform& platform, const std::string& path);

  // A normalised full path without trailing backslash except at a drive
  // root ("C:\", "C:\SERIES"); empty until a folder was read.
  const std::string& Folder() const { return folder_; }
  // The root and the path's components, then the sub-folders that are
  // neither hidden nor system, in the platform's case-insensitive collation
  // order, each name once, in the case the file system stores.
  const std::vector<std::string>& Names() const { return names_; }
  // How many of the names are the root and the path's components.
  int PathItemCount() const { return pathItems_; }
  // The folder that name `index` opens: the root, a folder of the path down
  // to that component, or a sub-folder; empty when there is no such name.
  std::string ItemFolder(int index) const;
  // Whether the folder lies on a CD-ROM drive, as asked when it was read.
  bool OnCdRom() const { return watch_.OnCdRom(); }

 private:
  std::string folder_;
  std::vector<std::string> names_;
  int pathItems_ = 0;
  FolderWatch watch_;
};

// The executables of a program folder ("*.exe").
class FileListing {
 public:
  // Points the listing at `folder`, as FolderListing::PointAt does. The
  // folder is kept as the platform reports it, so a joined path with a
  // doubled backslash (at a drive root) differs from it and is read afresh.
  struct Reading {
    // Whether the folder lies on a CD-ROM drive: the scan passes on what
    // the base folder's listing knows, as its program folders share its drive.
    bool onCdRom = false;
    // False when another folder's listing replaces this one before anybody
    // looks again: the folder is then not stamped, and is read afresh if
    // pointed at again.
    bool kept = true;
    // The folder's "*.exe" matches as read already (the scan reads them
    // when it judges the folder), taken instead of a reading of its own
    // unless the listing is kept; nullptr: none.
    const std::vector<FileInfo>* read = nullptr;
  };
  void PointAt(Platform& platform, const std::string& folder, const Reading& reading);

  const std::string& Folder() const { return folder_; }
  // The plain files (neither folders nor hidden nor system) matching
  // "*.exe", without path, in the platform's case-insensitive order.
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::string folder_;
  std::vector<std::string> names_;
  FolderWatch watch_;
};

}  // namespace sorvel
