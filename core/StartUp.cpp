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
  return state.fromCdRom ? state.homeFolder : SeriesFolder(state);
}

namespace {

bool AnyInstalled(const LauncherState& state) {
  for (int n = 1; n <= state.EntryCount(); ++n) {
    if (state.IsInstalled(n)) return true;
  }
  return false;
}

// Whether the home folder's own sub-folders hold a program of the catalogue,
// as a disc's root does. The look is taken on a copy of the state that no
// window hears, and the current directory is put back: a home folder that
// holds none, or cannot be read, leaves all as the first scan left it.
bool HomeFolderHoldsTheDisc(LauncherContext& context) {
  LauncherState trial = context.state;
  LauncherContext unheard{context.platform, context.messages, trial, nullptr};
  const std::string current = context.platform.CurrentDirectory();
  bool found = false;
  try {
    ScanFolder(unheard, trial.homeFolder, false);
    found = AnyInstalled(trial);
  } catch (const InOutError&) {
    // A sub-folder that cannot be entered: no disc is taken on its word.
  }
  if (!current.empty()) context.platform.ChangeDirectory(current);
  return found;
}

}  // namespace

void LoadCatalogueAtStartUp(LauncherContext& context) {
  LauncherState& state = context.state;
  state.homeFolder = InitHomeFolder(context.platform);
  state.catalogueLoaded = LoadCatalogue(context, kCatalogueFileName);
}

void ScanAtStartUp(LauncherContext& context) {
  LauncherState& state = context.state;
  state.fromCdRom = IsCdRomRoot(context.platform, state.homeFolder);
  ScanFolder(context, StartUpScanFolder(state), false);
  // Schools copy a disc into a folder of a hard disk or a server: its
  // programs then lie below the launcher, not beside it.
  if (state.fromCdRom || AnyInstalled(state) || !HomeFolderHoldsTheDisc(context)) return;
  state.copiedDisc = true;
  ScanFolder(context, StartUpScanFolder(state), false);
}

}  // namespace sorvel
