// One timed start of a program for the start-up benchmark: from just before
// its process is created until its main window is painted, then its memory,
// the times of its start-up steps, and the window closed again.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bench/wine/UnixUsage.h"

namespace sorvel::bench {

struct Start {
  bool ok = false;
  bool announced = false;  // the program announced that it was done
  double ms = 0;
  double peakPrivate = 0;  // bytes, once idle
  // What the start-up used (see UnixUsage.h): the program's page faults and
  // context switches, the CPU time of the program and its helpers; zeros
  // when the program's Linux process was not found.
  UnixUsage usage;
  // The steps the program marked, each with its end in ms from the start.
  std::vector<std::pair<std::string, double>> steps;
};

// Starts `exe` in `folder`, with `arguments` after its name, and times it until it announces the
// end of its start-up through the event named in SORVEL_BENCH_PAINTED
// (`byAnnouncement`), or until it is idle, waiting for input, with nothing
// left to paint in its main window or any visible child.
Start TimeStart(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                bool byAnnouncement);

}  // namespace sorvel::bench
