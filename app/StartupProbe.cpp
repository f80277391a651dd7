#include "app/StartupProbe.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace sorvel {
namespace {

struct Probe {
  std::wstring event;  // empty: off
  StartupStepTable* table = nullptr;
};

Probe& State() {
  static Probe probe;
  return probe;
}

std::int64_t Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void Record(const char* step, std::int64_t ticks) {
  StartupStepTable* table = State().table;
  if (!table || table->count >= StartupStepTable::kCapacity) return;
  StartupStepTable::Step& entry = table->steps[table->count];
  std::strncpy(entry.name, step, StartupStepTable::kNameLength - 1);
  entry.name[StartupStepTable::kNameLength - 1] = '\0';
  entry.ticks = ticks;
  ++table->count;
}

}  // namespace

namespace probe {

void Start() {
  const std::int64_t started = Now();
  wchar_t name[128];
  const DWORD length = GetEnvironmentVariableW(L"SORVEL_BENCH_PAINTED", name, 128);
  if (length == 0 || length >= 128) return;
  Probe& probe = State();
  probe.event.assign(name, length);
  // A benchmark that keeps no step table only waits for the event.
  if (HANDLE mapping =
          OpenFileMappingW(FILE_MAP_WRITE, FALSE, StepTableName(probe.event).c_str())) {
    probe.table = static_cast<StartupStepTable*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(StartupStepTable)));
    CloseHandle(mapping);  // the view keeps the memory
  }
  if (probe.table) probe.table->count = 0;
  Record("main", started);
}

bool IsOn() { return !State().event.empty(); }

void Mark(const char* step) { Record(step, Now()); }

void AnnounceDone(const char* step) {
  if (!IsOn()) return;
  Mark(step);
  if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, State().event.c_str())) {
    SetEvent(event);
    CloseHandle(event);
  }
}

}  // namespace probe
}  // namespace sorvel
