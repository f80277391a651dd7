#include "core/StartUp.h"

#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/InstallationScan.h"
#include "core/UserTexts.h"

namespace sorvel {

std::string InitHomeFolder(Platform& platform) {
  const std::string current = platform.CurrentDirectory();
  // A folder the platform cannot spell comes as "": taken as it is, the home
  // folder would become "\", the drive's root, and the catalogue would be
  // looked for and the scan run in another folder altogether.
  if (current.empty()) throw LauncherError(texts::kUnnamedHomeFolderText);
  // The backslash test looks at whole characters: a folder such as 計算表 ends
  // in the byte 0x5C, which is part of 表 and no separator.
  return cp932::WithTrailingBackslash(current);
}

bool IsCdRomRoot(Platform& platform, const std::string& homeFolder) {
  // The whole home folder is the root path asked about, so a folder below
  // the root of a CD-ROM does not count.
  return platform.DriveTypeOf(homeFolder) == DriveType::CdRom;
}

std::string StartUpScanFolder(const LauncherState& state) {
  return state.fromCdRom ? state.homeFolder : SeriesFolder(state.homeFolder);
}

void LoadCatalogueAtStartUp(LauncherContext& context) {
  LauncherState& state = context.state;
  state.homeFolder = InitHomeFolder(context.platform);
  state.catalogueLoaded = LoadCatalogue(context, kCatalogueFileName);
}

void ScanAtStartUp(LauncherContext& context) {
  LauncherState& state = context.state;
  state.fromCdRom = IsCdRomRoot(context.platform, state.homeFolder);
  ScanFolder(context, StartUpScanFolder(state), false);
}

}  // namespace sorvel
