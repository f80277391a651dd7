// Timing and reporting shared by the programs that measure under Wine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace sorvel::bench {

// Milliseconds from the performance counter.
inline double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// One figure with its target, in the form scripts/bench.sh collects.
inline void Figure(const char* name, double value, const char* unit, double limit) {
  std::printf("FIGURE  %-44s %10.3f %-3s target <= %-8.3f %s\n", name, value, unit, limit,
              value <= limit ? "met" : "MISSED");
}

// A figure that explains others, with what it means instead of a target.
inline void FigureWithoutTarget(const char* name, double value, const char* unit,
                                const char* meaning) {
  std::printf("FIGURE  %-44s %10.3f %-3s %s\n", name, value, unit, meaning);
}

// A measured value shown beside the figures, without a target.
inline void Measured(const char* name, double value, const char* unit) {
  std::printf("        %-44s %10.3f %s\n", name, value, unit);
}

}  // namespace sorvel::bench
