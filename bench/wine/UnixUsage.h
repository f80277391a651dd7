// What Linux processes have used, read through Wine's drive Z: from /proc.
// Under load the wall-clock time of a start-up swings with the machine's
// other work; the work itself does not: the page faults and the waits (a
// round trip to the wineserver or the X server is one) of the program, and,
// nearly so, the CPU time of the program and its helpers.
#pragma once

#include <string>
#include <vector>

namespace sorvel::bench {

struct UnixUsage {
  double cpuMs = 0;
  double minorFaults = 0;
  // Voluntary context switches: each wait, for a reply of the wineserver or
  // the X server for instance; involuntary ones count the machine's load.
  double switches = 0;

  UnixUsage& operator+=(const UnixUsage& other);
  UnixUsage operator-(const UnixUsage& other) const;
};

// What every thread of Linux process `pid` has used; zeros when it is gone.
UnixUsage UsageOf(unsigned pid);

// The Linux process of the program `exe` (its Windows path, as its command
// line starts) that runs in this program's Wine prefix, or 0.
unsigned UnixPidOf(const std::wstring& exe);

// The Linux processes named in SORVEL_BENCH_CPU_PIDS (blank-separated): the
// wineserver and the X server that serve the programs measured.
std::vector<unsigned> HelperPids();

// What they have used together.
UnixUsage UsageOf(const std::vector<unsigned>& pids);

}  // namespace sorvel::bench
