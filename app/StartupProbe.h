// The started program's side of the start-up benchmark
// (bench/wine/StartupBench.cpp). The benchmark names an event in the
// environment variable SORVEL_BENCH_PAINTED; a program that finds it sets the
// event once its start-up is over and writes the time of each step of its
// start-up into the step table the benchmark shares under the event's name.
// Without the variable the probe stays off and costs nothing.
#pragma once

#include <cstdint>
#include <string>

namespace sorvel {

// The step table, in shared memory named StepTableName(event). Times are
// QueryPerformanceCounter ticks, which all processes share.
struct StartupStepTable {
  static constexpr int kCapacity = 32;
  static constexpr int kNameLength = 40;
  struct Step {
    char name[kNameLength];
    std::int64_t ticks;
  };
  std::int32_t count;
  Step steps[kCapacity];
};

inline std::wstring StepTableName(const std::wstring& event) { return event + L"-steps"; }

namespace probe {

// Reads SORVEL_BENCH_PAINTED, once; when it names an event, the probe is on
// and the step "main" is marked.
void Start();
bool IsOn();
// Records the end of step `step` (a literal), when the probe is on.
void Mark(const char* step);
// Marks `step` and sets the event, when the probe is on.
void AnnounceDone(const char* step);

}  // namespace probe
}  // namespace sorvel
