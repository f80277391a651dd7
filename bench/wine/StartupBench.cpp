// Start-up and footprint of SorvelL.exe against their limits.
//
// For each catalogue size, each round starts, in alternating order, the
// launcher in its home folder and the minimal window program, and measures
// from just before the process is created until its start-up is over. A
// program announces that by setting the event named in the environment
// variable SORVEL_BENCH_PAINTED: the launcher when its event loop first has
// nothing left to do (every window painted), the minimal window once it is
// painted; when either does not announce, both are timed until they are idle
// waiting for input with nothing left to paint. The launcher's peak private
// memory is read once it is idle. Then the window is closed and the next
// program starts.
//
// Both programs write the time of each step of their start-up into a table
// shared under the event's name; the medians of the steps are printed, step
// by step, so that the figures can be explained.
//
// The footprint: the size of SorvelL.exe and the DLLs it imports.
//
//   StartupBench.exe SORVELL_EXE MINIMAL_EXE ROUNDS ENTRIES=HOME_FOLDER...
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "bench/wine/Figures.h"
#include "bench/wine/Footprint.h"
#include "bench/wine/TimedStart.h"

namespace sorvel::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// How much slower than the minimal window the launcher may start: a single
// entry, a full board of three columns, and the catalogue's most.
double StartUpTarget(int entries) {
  if (entries <= 1) return 1.2;
  if (entries <= 18) return 1.25;
  return 1.5;
}
constexpr double kPrivateMemoryTargetMiB = 5.0;

struct Series {
  int entries = 0;
  std::wstring home;
};

// The starts of one program in all rounds.
struct Starts {
  std::vector<double> ms, peaks, cpu, faults, switches;
  std::vector<std::vector<std::pair<std::string, double>>> steps;

  void Add(const Start& start) {
    ms.push_back(start.ms);
    peaks.push_back(start.peakPrivate);
    cpu.push_back(start.usage.cpuMs);
    faults.push_back(start.usage.minorFaults);
    switches.push_back(start.usage.switches);
    steps.push_back(start.steps);
  }
};

// The steps' medians: each step's end after the process was created, and
// its own length (from the end of the step before), in the order of the
// first start that marked them.
void PrintSteps(const char* program, const Starts& starts) {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> ends, lengths;
  for (const auto& steps : starts.steps) {
    double previous = 0;
    for (const auto& [name, at] : steps) {
      if (!ends.count(name)) order.push_back(name);
      ends[name].push_back(at);
      lengths[name].push_back(at - previous);
      previous = at;
    }
  }
  std::printf("  %-28s %10s %10s\n", program, "ends at", "takes");
  std::printf("  %-28s %10s %10.1f\n", "(process created)", "0.0", 0.0);
  for (const std::string& name : order) {
    std::printf("  %-28s %10.1f %10.1f\n", name.c_str(), Median(ends[name]), Median(lengths[name]));
  }
}

void PrintUsage(const char* program, const Starts& starts) {
  std::printf("        %-24s CPU %7.1f ms, %7.0f page faults, %6.0f waits\n", program,
              Median(starts.cpu), Median(starts.faults), Median(starts.switches));
}

bool MeasureSeries(const std::wstring& launcher, const std::wstring& minimal, const Series& series,
                   int rounds, double& peakPrivate) {
  // One start of each first: the first start of a program under Wine also
  // loads what later starts find cached, for both alike. It also tells
  // whether both announce the end of their start-up.
  const Start firstLauncher = TimeStart(launcher, series.home, false);
  const Start firstMinimal = TimeStart(minimal, series.home, false);
  if (!firstLauncher.ok || !firstMinimal.ok) return false;
  const bool byAnnouncement = firstLauncher.announced && firstMinimal.announced;

  Starts launcherStarts, minimalStarts;
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < 2; ++step) {
      const bool ofLauncher = (step + round) % 2 == 0;
      const Start start = TimeStart(ofLauncher ? launcher : minimal, series.home, byAnnouncement);
      if (!start.ok) return false;
      (ofLauncher ? launcherStarts : minimalStarts).Add(start);
    }
  }
  std::printf("\nStart-up with %d entries until %s, %d rounds (medians):\n", series.entries,
              byAnnouncement ? "announced" : "idle and painted", rounds);
  PrintSteps("SorvelL.exe", launcherStarts);
  PrintSteps("minimal 640 x 450 window", minimalStarts);
  Measured("SorvelL.exe", Median(launcherStarts.ms), "ms");
  Measured("minimal 640 x 450 window", Median(minimalStarts.ms), "ms");
  PrintUsage("SorvelL.exe", launcherStarts);
  PrintUsage("minimal window", minimalStarts);
  Measured("minimal window's peak private memory", Median(minimalStarts.peaks) / kMiB, "MiB");
  Measured("SorvelL.exe peak private memory", Median(launcherStarts.peaks) / kMiB, "MiB");
  const std::string figure =
      "start-up / minimal window, " + std::to_string(series.entries) + " entries";
  Figure(figure.c_str(), Median(launcherStarts.ms) / Median(minimalStarts.ms), "x",
         StartUpTarget(series.entries));
  peakPrivate = Median(launcherStarts.peaks);
  return true;
}

int Run(const std::wstring& launcher, const std::wstring& minimal, int rounds,
        const std::vector<Series>& series) {
  double peakPrivate = 0;
  for (const Series& one : series) {
    if (!MeasureSeries(launcher, minimal, one, rounds, peakPrivate)) return 1;
  }
  std::printf("\n");
  // The most the launcher takes: with its largest catalogue, the last.
  Figure("SorvelL.exe peak private memory", peakPrivate / kMiB, "MiB", kPrivateMemoryTargetMiB);
  return ReportFootprint(launcher);
}

// "ENTRIES=HOME_FOLDER".
bool ParseSeries(const wchar_t* argument, Series& series) {
  const wchar_t* equals = std::wcschr(argument, L'=');
  if (!equals) return false;
  series.entries = _wtoi(argument);
  series.home = equals + 1;
  return series.entries > 0 && !series.home.empty();
}

}  // namespace
}  // namespace sorvel::bench

int wmain(int argc, wchar_t** argv) {
  std::vector<sorvel::bench::Series> series(argc > 4 ? argc - 4 : 0);
  bool valid = argc > 4;
  for (int index = 4; valid && index < argc; ++index) {
    valid = sorvel::bench::ParseSeries(argv[index], series[index - 4]);
  }
  if (!valid) {
    std::fprintf(stderr,
                 "usage: StartupBench.exe SORVELL_EXE MINIMAL_EXE ROUNDS ENTRIES=HOME_FOLDER...\n");
    return 2;
  }
  const int rounds = _wtoi(argv[3]);
  return sorvel::bench::Run(argv[1], argv[2], rounds < 1 ? 1 : rounds, series);
}
