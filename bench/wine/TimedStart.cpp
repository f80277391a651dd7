#include "bench/wine/TimedStart.h"

// clang-format off
#include <windows.h>
#include <psapi.h>  // needs <windows.h> first
// clang-format on

#include <cstdio>

#include "app/StartupProbe.h"
#include "bench/wine/Figures.h"

namespace sorvel::bench {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;

struct FindWindowOf {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK MatchProcessWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<FindWindowOf*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  if (GetWindow(hwnd, GW_OWNER) != nullptr) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The visible, unowned top-level window of the process, if it has one.
HWND MainWindowOf(DWORD processId) {
  FindWindowOf search{processId};
  EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindUnpainted(HWND hwnd, LPARAM lParam) {
  if (IsWindowVisible(hwnd) && GetUpdateRect(hwnd, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
  }
  return TRUE;
}

bool IsPainted(HWND hwnd) {
  if (GetUpdateRect(hwnd, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(hwnd, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

bool IsIdleAndPainted(const PROCESS_INFORMATION& process) {
  if (WaitForInputIdle(process.hProcess, 0) != 0) return false;
  HWND hwnd = MainWindowOf(process.dwProcessId);
  return hwnd && IsPainted(hwnd);
}

void CloseProgram(const PROCESS_INFORMATION& process, HWND hwnd) {
  if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// The event a started program sets when its start-up is over, the variable
// that names it to the program, and the table of step times shared under
// the event's name.
class ProbeChannel {
 public:
  ProbeChannel() {
    static int count = 0;
    name_ = L"SorvelBenchPainted-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++count);
    event_ = CreateEventW(nullptr, TRUE, FALSE, name_.c_str());
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(StartupStepTable), StepTableName(name_).c_str());
    if (mapping_) {
      table_ = static_cast<StartupStepTable*>(
          MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(StartupStepTable)));
    }
    SetEnvironmentVariableW(L"SORVEL_BENCH_PAINTED", name_.c_str());
  }
  ~ProbeChannel() {
    SetEnvironmentVariableW(L"SORVEL_BENCH_PAINTED", nullptr);
    if (table_) UnmapViewOfFile(table_);
    if (mapping_) CloseHandle(mapping_);
    if (event_) CloseHandle(event_);
  }
  ProbeChannel(const ProbeChannel&) = delete;
  ProbeChannel& operator=(const ProbeChannel&) = delete;

  HANDLE Event() const { return event_; }

  // The steps marked so far, in ms after `beginMs`.
  std::vector<std::pair<std::string, double>> Steps(double beginMs) const {
    std::vector<std::pair<std::string, double>> steps;
    if (!table_) return steps;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    const int count = std::min(table_->count, StartupStepTable::kCapacity);
    for (int index = 0; index < count; ++index) {
      const StartupStepTable::Step& step = table_->steps[index];
      const std::string name(step.name, strnlen(step.name, StartupStepTable::kNameLength));
      steps.emplace_back(name, static_cast<double>(step.ticks) / ticksPerMs - beginMs);
    }
    return steps;
  }

 private:
  std::wstring name_;
  HANDLE event_ = nullptr;
  HANDLE mapping_ = nullptr;
  StartupStepTable* table_ = nullptr;
};

}  // namespace

Start TimeStart(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                bool byAnnouncement) {
  Start result;
  ProbeChannel probe;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  static const std::vector<unsigned> helpers = HelperPids();
  const UnixUsage helpersBefore = UsageOf(helpers);
  const double begin = NowMs();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %ls (%lu)\n", exe.c_str(), GetLastError());
    return result;
  }
  const HANDLE handles[] = {probe.Event(), process.hProcess};
  for (;;) {
    const DWORD signalled = WaitForMultipleObjects(2, handles, FALSE, byAnnouncement ? 100 : 1);
    if (signalled == WAIT_OBJECT_0) break;
    const bool gone = signalled == WAIT_OBJECT_0 + 1;
    if (gone || NowMs() - begin > kStartTimeoutMs) {
      std::fprintf(stderr, "%ls showed no painted window\n", exe.c_str());
      CloseProgram(process, nullptr);
      return result;
    }
    if (!byAnnouncement && IsIdleAndPainted(process)) break;
  }
  result.ms = NowMs() - begin;
  const UnixUsage helpersUsage = UsageOf(helpers) - helpersBefore;
  if (const unsigned pid = UnixPidOf(exe)) {
    result.usage = UsageOf(pid);
    result.usage.cpuMs += helpersUsage.cpuMs;
  }

  // The whole start-up is over once the program waits for input. A program
  // that announces does so just before it waits.
  WaitForInputIdle(process.hProcess, kStartTimeoutMs);
  result.announced = WaitForSingleObject(probe.Event(), byAnnouncement ? 0 : 2000) == WAIT_OBJECT_0;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    result.peakPrivate = static_cast<double>(memory.PeakPagefileUsage);
  }
  result.steps = probe.Steps(begin);
  CloseProgram(process, MainWindowOf(process.dwProcessId));
  result.ok = true;
  return result;
}

}  // namespace sorvel::bench
