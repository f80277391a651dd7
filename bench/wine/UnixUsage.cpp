#include "bench/wine/UnixUsage.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace sorvel::bench {
namespace {

// The whole of a file of /proc (which reports no size), or empty.
std::string ReadProcFile(const std::wstring& path) {
  std::string contents;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return contents;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    contents.append(buffer, read);
  }
  CloseHandle(file);
  return contents;
}

template <typename Visit>
void ForEachNumberedEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (data.cFileName[0] >= L'0' && data.cFileName[0] <= L'9') visit(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// The number after `key` in a /proc status file.
double StatusValue(const std::string& status, const char* key) {
  const std::size_t at = status.find(key);
  return at == std::string::npos ? 0 : std::strtod(status.c_str() + at + strlen(key), nullptr);
}

// The minor faults of a task: the tenth field of its stat, counted after the
// command name, which is in parentheses and may hold blanks.
double MinorFaults(const std::string& stat) {
  const std::size_t end = stat.rfind(')');
  if (end == std::string::npos) return 0;
  std::istringstream fields(stat.substr(end + 1));
  std::string field;
  for (int index = 3; index <= 10 && fields >> field; ++index) {
  }
  return std::strtod(field.c_str(), nullptr);
}

}  // namespace

UnixUsage& UnixUsage::operator+=(const UnixUsage& other) {
  cpuMs += other.cpuMs;
  minorFaults += other.minorFaults;
  switches += other.switches;
  return *this;
}

UnixUsage UnixUsage::operator-(const UnixUsage& other) const {
  return {cpuMs - other.cpuMs, minorFaults - other.minorFaults, switches - other.switches};
}

UnixUsage UsageOf(unsigned pid) {
  const std::wstring tasks = L"Z:\\proc\\" + std::to_wstring(pid) + L"\\task";
  UnixUsage usage;
  ForEachNumberedEntry(tasks, [&](const wchar_t* task) {
    const std::wstring folder = tasks + L"\\" + task;
    // The first field of schedstat: nanoseconds spent on a CPU.
    usage.cpuMs += std::strtod(ReadProcFile(folder + L"\\schedstat").c_str(), nullptr) / 1e6;
    usage.minorFaults += MinorFaults(ReadProcFile(folder + L"\\stat"));
    const std::string status = ReadProcFile(folder + L"\\status");
    usage.switches += StatusValue(status, "\nvoluntary_ctxt_switches:");
  });
  return usage;
}

unsigned UnixPidOf(const std::wstring& exe) {
  char prefix[1024];
  const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  if (length == 0 || length >= sizeof prefix) return 0;
  // Entries of the environment end in a NUL; the search starts at one.
  const std::string prefixEntry = std::string(1, '\0') + "WINEPREFIX=" + prefix + '\0';
  const std::string commandLine(exe.begin(), exe.end());
  unsigned found = 0;
  ForEachNumberedEntry(L"Z:\\proc", [&](const wchar_t* pid) {
    if (found) return;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + pid;
    if (ReadProcFile(folder + L"\\cmdline").rfind(commandLine, 0) != 0) return;
    if (('\0' + ReadProcFile(folder + L"\\environ")).find(prefixEntry) == std::string::npos) return;
    found = static_cast<unsigned>(_wtoi(pid));
  });
  return found;
}

std::vector<unsigned> HelperPids() {
  std::vector<unsigned> pids;
  char value[256];
  const DWORD length = GetEnvironmentVariableA("SORVEL_BENCH_CPU_PIDS", value, sizeof value);
  if (length == 0 || length >= sizeof value) return pids;
  std::istringstream words(value);
  for (unsigned pid; words >> pid;) pids.push_back(pid);
  return pids;
}

UnixUsage UsageOf(const std::vector<unsigned>& pids) {
  UnixUsage usage;
  for (unsigned pid : pids) usage += UsageOf(pid);
  return usage;
}

}  // namespace sorvel::bench
