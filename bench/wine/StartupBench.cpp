// Start-up and footprint of SorvelL.exe against their limits.
//
// For each catalogue size, each round starts, in turn and in an order that
// rotates from round to round, the launcher in its home folder, the minimal
// window program, and the floor (bench/floor: the plainest program that
// makes the launcher's windows, draws its pixels and reads its files), and
// measures from just before the process is created until its start-up is
// over. A program announces that by setting the event named in the
// environment variable SORVEL_BENCH_PAINTED: the launcher and the floor
// when their event loop first has nothing left to do (every window painted),
// the minimal window once it is painted; when any does not announce, all are
// timed until they are idle waiting for input with nothing left to paint.
// Each program's peak private memory is read once it is idle. Then the
// window is closed and the next program starts.
//
// The programs write the time of each step of their start-up into a table
// shared under the event's name; the medians of the steps are printed, step
// by step, so that the figures can be explained. The launcher's time and
// private memory against the floor's, as the median of the rounds' ratios
// (with the quartiles of the time's), are the figures with a target: what the launcher's own design
// costs over the work it must do. The floor against the minimal window is printed without a target:
// what Wine takes for the required windows, pictures and files.
//
// The footprint: the size of SorvelL.exe and the DLLs it imports.
//
//   StartupBench.exe SORVELL_EXE MINIMAL_EXE FLOOR_EXE ROUNDS ENTRIES=HOME_FOLDER...
#include <windows.h>

#include <algorithm>
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

// How much more than the floor the launcher may take, in time and in
// private memory, with any catalogue: its own design's cost.
constexpr double kOverFloorTarget = 1.10;

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

// The launcher's figure over the floor's, round by round. Under Wine the
// time to a program's main function alone wanders by tens of milliseconds
// from one start to the next, with the machine's state; the two programs
// start one after the other in the same round, so the median of the rounds'
// ratios compares them under the same conditions, where the ratio of the
// medians can pair a quick start of one with a slow start of the other.
std::vector<double> RoundRatios(const std::vector<double>& launcher,
                                const std::vector<double>& floor) {
  std::vector<double> ratios;
  for (std::size_t round = 0; round < launcher.size() && round < floor.size(); ++round) {
    if (floor[round] > 0) ratios.push_back(launcher[round] / floor[round]);
  }
  return ratios;
}

// The first (1) or third (3) quartile: how far the rounds' ratios spread.
double Quartile(std::vector<double> values, int quarter) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[(values.size() - 1) * static_cast<std::size_t>(quarter) / 4];
}

// The programs compared in each round.
struct Programs {
  std::wstring launcher, minimal, floor;
};
constexpr int kProgramCount = 3;  // in this order in the first round
constexpr const char* kFloorLabel = "floor (FloorWindow.exe)";

void PrintSeries(const Series& series, int rounds, bool byAnnouncement,
                 const Starts (&starts)[kProgramCount]) {
  const Starts& launcher = starts[0];
  const Starts& minimal = starts[1];
  const Starts& floor = starts[2];
  std::printf("\nStart-up with %d entries until %s, %d rounds (medians):\n", series.entries,
              byAnnouncement ? "announced" : "idle and painted", rounds);
  PrintSteps("SorvelL.exe", launcher);
  PrintSteps("minimal 640 x 450 window", minimal);
  PrintSteps(kFloorLabel, floor);
  Measured("SorvelL.exe", Median(launcher.ms), "ms");
  Measured("minimal 640 x 450 window", Median(minimal.ms), "ms");
  Measured(kFloorLabel, Median(floor.ms), "ms");
  PrintUsage("SorvelL.exe", launcher);
  PrintUsage("minimal window", minimal);
  PrintUsage(kFloorLabel, floor);
  Measured("minimal window's peak private memory", Median(minimal.peaks) / kMiB, "MiB");
  Measured("floor's peak private memory", Median(floor.peaks) / kMiB, "MiB");
  Measured("SorvelL.exe peak private memory", Median(launcher.peaks) / kMiB, "MiB");
  const std::string entries = std::to_string(series.entries) + " entries";
  FigureWithoutTarget(("floor / minimal window, " + entries).c_str(),
                      Median(floor.ms) / Median(minimal.ms), "x",
                      "(what the required work costs under Wine)");
  const std::vector<double> ratios = RoundRatios(launcher.ms, floor.ms);
  Measured("start-up / floor, ratio of the medians", Median(launcher.ms) / Median(floor.ms), "x");
  Measured("start-up / floor, rounds' lower quartile", Quartile(ratios, 1), "x");
  Measured("start-up / floor, rounds' upper quartile", Quartile(ratios, 3), "x");
  Figure(("start-up / floor, " + entries).c_str(), Median(ratios), "x", kOverFloorTarget);
  Figure(("private memory / floor's, " + entries).c_str(),
         Median(RoundRatios(launcher.peaks, floor.peaks)), "x", kOverFloorTarget);
}

bool MeasureSeries(const Programs& paths, const Series& series, int rounds) {
  const struct {
    const std::wstring& exe;
    std::wstring arguments;
  } programs[kProgramCount] = {
      {paths.launcher, L""}, {paths.minimal, L""}, {paths.floor, std::to_wstring(series.entries)}};
  // One start of each first: the first start of a program under Wine also
  // loads what later starts find cached, for all alike. It also tells
  // whether all announce the end of their start-up.
  bool byAnnouncement = true;
  for (const auto& program : programs) {
    const Start first = TimeStart(program.exe, program.arguments, series.home, false);
    if (!first.ok) return false;
    byAnnouncement = byAnnouncement && first.announced;
  }

  Starts starts[kProgramCount];
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < kProgramCount; ++step) {
      const int which = (step + round) % kProgramCount;
      const Start start =
          TimeStart(programs[which].exe, programs[which].arguments, series.home, byAnnouncement);
      if (!start.ok) return false;
      starts[which].Add(start);
    }
  }
  PrintSeries(series, rounds, byAnnouncement, starts);
  return true;
}

int Run(const Programs& programs, int rounds, const std::vector<Series>& series) {
  for (const Series& one : series) {
    if (!MeasureSeries(programs, one, rounds)) return 1;
  }
  std::printf("\n");
  return ReportFootprint(programs.launcher);
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
  constexpr int kFirstSeries = 5;
  std::vector<sorvel::bench::Series> series(argc > kFirstSeries ? argc - kFirstSeries : 0);
  bool valid = argc > kFirstSeries;
  for (int index = kFirstSeries; valid && index < argc; ++index) {
    valid = sorvel::bench::ParseSeries(argv[index], series[index - kFirstSeries]);
  }
  if (!valid) {
    std::fprintf(stderr,
                 "usage: StartupBench.exe SORVELL_EXE MINIMAL_EXE FLOOR_EXE ROUNDS "
                 "ENTRIES=HOME_FOLDER...\n");
    return 2;
  }
  const int rounds = _wtoi(argv[4]);
  return sorvel::bench::Run({argv[1], argv[2], argv[3]}, rounds < 1 ? 1 : rounds, series);
}
