// The scan on real folders against its limit. The base folder holds many
// sub-folders and the home folder LAUNCH with the catalogue; each round runs,
// in alternating order, the start-up scan (a fresh state, the folder listing
// read afresh) and a bare enumeration of the same tree that opens each
// folder once and reads its entries (bench/floor/BareEnumeration.h, as the
// floor program reads them). Then the rescan (the folder listing
// kept, as the details command right after start-up finds it).
//
//   ScanBench.exe BASE_FOLDER [ROUNDS]
// clang-format off
#include <windows.h>
// Before the core's headers: it takes back the names that <windows.h> maps
// to its A/W functions, which the platform interface also uses.
#include "platform/win32/Win32Platform.h"
// clang-format on

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/BenchSeries.h"
#include "bench/CountingMessages.h"
#include "bench/floor/BareEnumeration.h"
#include "bench/wine/Figures.h"
#include "core/Catalogue.h"
#include "core/InstallationScan.h"
#include "platform/win32/Encoding.h"

namespace sorvel::bench {
namespace {

struct Launcher {
  win32::Win32Platform platform;
  CountingMessages messages;
  LauncherState state;
  LauncherContext context{platform, messages, state, nullptr};
};

// A launcher that has loaded the catalogue of the home folder.
bool Prepare(Launcher& launcher, const std::string& home) {
  launcher.state.homeFolder = home;
  return LoadCatalogue(launcher.context, kCatalogueFileName) && launcher.messages.shown == 0;
}

int Installed(const LauncherState& state) {
  int installed = 0;
  for (int n = 1; n <= state.EntryCount(); ++n) installed += state.IsInstalled(n) ? 1 : 0;
  return installed;
}

int Run(const std::wstring& base, int rounds) {
  const auto baseBytes = win32::WideToCp932(base);
  if (!baseBytes) return 2;
  const std::string home = *baseBytes + "\\" + kHomeFolderName + "\\";

  std::vector<double> scans, bares, rescans;
  int folders = 0, installed = 0;
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < 2; ++step) {
      if ((step + round) % 2 == 0) {
        Launcher launcher;
        if (!Prepare(launcher, home)) {
          std::fprintf(stderr, "no catalogue in %s\n", home.c_str());
          return 1;
        }
        launcher.platform.ChangeDirectory(home);
        const double start = NowMs();
        ScanFolder(launcher.context, home + "..\\", false);
        scans.push_back(NowMs() - start);
        folders = static_cast<int>(launcher.state.folderListing.Names().size());
        installed = Installed(launcher.state);
        // The details command's scan of the same folder, right after.
        const std::string listed = launcher.state.folderListing.Folder();
        const double again = NowMs();
        ScanFolder(launcher.context, listed, false);
        rescans.push_back(NowMs() - again);
      } else {
        const double start = NowMs();
        const int entries = floor::EnumerateSeries(base, [](const WIN32_FIND_DATAW&) {});
        bares.push_back(NowMs() - start);
        if (entries == 0) return 1;
      }
    }
  }
  std::printf("Scan of %d listed folders, %d of %d entries installed, %d rounds (medians):\n",
              folders, installed, kSeriesEntries, rounds);
  Measured("ScanFolder, first scan", Median(scans), "ms");
  Measured("ScanFolder, rescan (listing kept)", Median(rescans), "ms");
  Measured("bare enumeration of the same tree", Median(bares), "ms");
  // The scan reads what the bare enumeration reads, no more often.
  Figure("scan / bare enumeration", Median(scans) / Median(bares), "x", 1.0);
  return installed == kSeriesEntries ? 0 : 1;
}

}  // namespace
}  // namespace sorvel::bench

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ScanBench.exe BASE_FOLDER [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 7;
  return sorvel::bench::Run(argv[1], rounds < 1 ? 1 : rounds);
}
