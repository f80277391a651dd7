// The search for installed programs of the catalogue.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherContext.h"

namespace sorvel {

// Scans `path` (may hold "..\" parts, may lack the trailing backslash).
// Throws InOutError when a folder cannot be entered.
void ScanFolder(LauncherContext& context, const std::string& path, bool withIcons);

// Entry number whose stem + ".exe" equals `fileName` (A-Z lowered), counting
// the match; -1 when none.
int MatchExecutable(LauncherState& state, const std::string& fileName);

// The folder listing (also shown by the folder chooser). Pointing it at a
// path that differs from its folder without regard to case moves the current
// directory there (throws InOutError when it cannot be entered) and re-reads
// the names; an empty path or the same folder keeps the names read before.
void PointFolderListing(Platform& platform, Listing& listing, const std::string& path);

// The names the folder listing shows for `folder` (a normalised full path):
// the drive root ("C:\"), each component of the path from the top down, then
// the sub-folders that are neither hidden nor system, in the platform's
// case-insensitive collation order, each name once.
std::vector<std::string> ReadFolderNames(Platform& platform, const std::string& folder);

// The current directory without its trailing backslash, except at a root.
std::string NormalisedCurrentDirectory(Platform& platform);

}  // namespace sorvel
