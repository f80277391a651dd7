// Start-up and footprint of SorvelL.exe against their limits.
//
// Each round starts, in alternating order, the launcher in its home folder
// and the minimal window program, and measures from just before the process
// is created until its main window is painted. A program announces its first
// paint by setting the event named in the environment variable
// SORVEL_BENCH_PAINTED; when either program does not, both are timed until
// they are idle waiting for input (WaitForInputIdle) with nothing left to
// paint in the top-level window or any visible child. The launcher's peak
// private memory is read once it is idle. Then the window is closed and the
// next program starts.
//
// The footprint: the size of SorvelL.exe and the DLLs it imports, each of
// which must be a system DLL (found in the system folder, not beside the
// program).
//
//   StartupBench.exe SORVELL_EXE HOME_FOLDER MINIMAL_EXE [ROUNDS]
// clang-format off
#include <windows.h>
#include <psapi.h>  // needs <windows.h> first
// clang-format on

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/wine/Figures.h"

namespace sorvel::bench {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr double kMiB = 1024.0 * 1024.0;

struct Start {
  bool ok = false;
  bool announced = false;  // the program announced its first paint
  double ms = 0;
  double peakPrivate = 0;  // bytes, once idle
};

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

void CloseProgram(const PROCESS_INFORMATION& process, HWND hwnd) {
  if (hwnd) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// The event a started program sets after its first paint, and the
// variable that names it to the program.
class PaintedEvent {
 public:
  PaintedEvent() {
    static int count = 0;
    name_ = L"SorvelBenchPainted-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++count);
    event_ = CreateEventW(nullptr, TRUE, FALSE, name_.c_str());
    SetEnvironmentVariableW(L"SORVEL_BENCH_PAINTED", name_.c_str());
  }
  ~PaintedEvent() {
    SetEnvironmentVariableW(L"SORVEL_BENCH_PAINTED", nullptr);
    if (event_) CloseHandle(event_);
  }
  PaintedEvent(const PaintedEvent&) = delete;
  PaintedEvent& operator=(const PaintedEvent&) = delete;
  HANDLE Handle() const { return event_; }
  bool IsSet() const { return event_ && WaitForSingleObject(event_, 0) == WAIT_OBJECT_0; }

 private:
  std::wstring name_;
  HANDLE event_ = nullptr;
};

bool IsIdleAndPainted(const PROCESS_INFORMATION& process) {
  if (WaitForInputIdle(process.hProcess, 0) != 0) return false;
  HWND hwnd = MainWindowOf(process.dwProcessId);
  return hwnd && IsPainted(hwnd);
}

// Starts `exe` in `folder` and times it until it announces its first paint
// (`byAnnouncement`) or is idle and painted. Also tells whether the program
// announced, and reads its memory once it is idle.
Start TimeStart(const std::wstring& exe, const std::wstring& folder, bool byAnnouncement) {
  Start result;
  PaintedEvent painted;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  const double begin = NowMs();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "cannot start %ls (%lu)\n", exe.c_str(), GetLastError());
    return result;
  }
  const HANDLE handles[] = {painted.Handle(), process.hProcess};
  for (;;) {
    const DWORD signalled = WaitForMultipleObjects(2, handles, FALSE, 1);
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
  result.announced = painted.IsSet();

  // The whole start-up is over once the program waits for input.
  WaitForInputIdle(process.hProcess, kStartTimeoutMs);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory)) {
    result.peakPrivate = static_cast<double>(memory.PeakPagefileUsage);
  }
  CloseProgram(process, MainWindowOf(process.dwProcessId));
  result.ok = true;
  return result;
}

// ---------------------------------------------------------------------------
// The executable's imports.

std::vector<char> ReadFileBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size)) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
      bytes.clear();
    }
  }
  CloseHandle(file);
  return bytes;
}

// Reads a PE32+ image's import and delay-import tables from the file.
class PeImage {
 public:
  explicit PeImage(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

  bool ImportedDlls(std::vector<std::string>& dlls) const {
    const auto* dos = At<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    nt_ = At<IMAGE_NT_HEADERS64>(static_cast<std::size_t>(dos->e_lfanew));
    if (!nt_ || nt_->Signature != IMAGE_NT_SIGNATURE ||
        nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
      return false;
    }
    const auto& directories = nt_->OptionalHeader.DataDirectory;
    for (DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress; rva != 0;
         rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto* import = AtRva<IMAGE_IMPORT_DESCRIPTOR>(rva);
      if (!import) return false;
      if (import->Name == 0) break;
      if (!AppendName(import->Name, dlls)) return false;
    }
    for (DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].VirtualAddress; rva != 0;
         rva += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
      const auto* import = AtRva<IMAGE_DELAYLOAD_DESCRIPTOR>(rva);
      if (!import) return false;
      if (import->DllNameRVA == 0) break;
      if (!AppendName(import->DllNameRVA, dlls)) return false;
    }
    return true;
  }

 private:
  template <typename T>
  const T* At(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return nullptr;
    return reinterpret_cast<const T*>(bytes_.data() + offset);
  }
  // The file offset of a relative virtual address, through the sections.
  std::size_t Offset(DWORD rva) const {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt_);
    for (WORD index = 0; index < nt_->FileHeader.NumberOfSections; ++index, ++section) {
      if (reinterpret_cast<const char*>(section + 1) > bytes_.data() + bytes_.size()) break;
      const DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
        return rva - section->VirtualAddress + section->PointerToRawData;
      }
    }
    return bytes_.size();
  }
  template <typename T>
  const T* AtRva(DWORD rva) const {
    return At<T>(Offset(rva));
  }
  bool AppendName(DWORD rva, std::vector<std::string>& dlls) const {
    const std::size_t offset = Offset(rva);
    std::string name;
    for (std::size_t pos = offset; pos < bytes_.size() && bytes_[pos]; ++pos) name += bytes_[pos];
    if (name.empty()) return false;
    dlls.push_back(name);
    return true;
  }

  std::vector<char> bytes_;
  mutable const IMAGE_NT_HEADERS64* nt_ = nullptr;
};

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A system DLL lies in the system folder and not beside the program.
bool IsSystemDll(const std::string& dll, const std::wstring& programFolder) {
  const std::wstring name(dll.begin(), dll.end());
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  return FileExists(std::wstring(system) + L"\\" + name) &&
         !FileExists(programFolder + L"\\" + name);
}

int ReportFootprint(const std::wstring& exe) {
  std::vector<char> bytes = ReadFileBytes(exe);
  if (bytes.empty()) {
    std::fprintf(stderr, "cannot read %ls\n", exe.c_str());
    return 1;
  }
  const double size = static_cast<double>(bytes.size());
  std::vector<std::string> dlls;
  if (!PeImage(std::move(bytes)).ImportedDlls(dlls)) {
    std::fprintf(stderr, "cannot read the imports of %ls\n", exe.c_str());
    return 1;
  }
  int foreign = 0;
  std::printf("Imports of SorvelL.exe:");
  for (const std::string& dll : dlls) {
    const bool system = IsSystemDll(dll, FolderOf(exe));
    foreign += system ? 0 : 1;
    std::printf(" %s%s", dll.c_str(), system ? "" : " (NOT A SYSTEM DLL)");
  }
  std::printf("\n");
  Figure("SorvelL.exe size", size / kMiB, "MiB", 1.0);
  Figure("DLLs imported beyond the system's", foreign, "", 0.0);
  return 0;
}

int Run(const std::wstring& launcher, const std::wstring& home, const std::wstring& minimal,
        int rounds) {
  // One start of each first: the first start of a program under Wine also
  // loads what later starts find cached, for both alike. It also tells
  // whether both announce their first paint.
  const Start firstLauncher = TimeStart(launcher, home, false);
  const Start firstMinimal = TimeStart(minimal, home, false);
  if (!firstLauncher.ok || !firstMinimal.ok) return 1;
  const bool byAnnouncement = firstLauncher.announced && firstMinimal.announced;

  std::vector<double> launcherMs, minimalMs, peaks, minimalPeaks;
  for (int round = 0; round < rounds; ++round) {
    for (int step = 0; step < 2; ++step) {
      const bool ofLauncher = (step + round) % 2 == 0;
      const Start start = TimeStart(ofLauncher ? launcher : minimal, home, byAnnouncement);
      if (!start.ok) return 1;
      (ofLauncher ? launcherMs : minimalMs).push_back(start.ms);
      (ofLauncher ? peaks : minimalPeaks).push_back(start.peakPrivate);
    }
  }
  std::printf("Start-up until the painted window (%s), %d rounds (medians):\n",
              byAnnouncement ? "announced first paint" : "idle and painted", rounds);
  Measured("SorvelL.exe", Median(launcherMs), "ms");
  Measured("minimal 640 x 450 window", Median(minimalMs), "ms");
  Figure("start-up / minimal window", Median(launcherMs) / Median(minimalMs), "x", 1.25);
  Measured("minimal window's peak private memory", Median(minimalPeaks) / kMiB, "MiB");
  Figure("SorvelL.exe peak private memory", Median(peaks) / kMiB, "MiB", 8.0);
  return ReportFootprint(launcher);
}

}  // namespace
}  // namespace sorvel::bench

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: StartupBench.exe SORVELL_EXE HOME_FOLDER MINIMAL_EXE [ROUNDS]\n");
    return 2;
  }
  const int rounds = argc > 4 ? _wtoi(argv[4]) : 7;
  return sorvel::bench::Run(argv[1], argv[2], argv[3], rounds < 1 ? 1 : rounds);
}
