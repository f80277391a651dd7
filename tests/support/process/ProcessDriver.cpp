#include "tests/support/process/ProcessDriver.h"

#include <tlhelp32.h>
#include <winspool.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace sorvel::test {
namespace {

constexpr DWORD kPollMilliseconds = 20;

struct WindowQuery {
  const wchar_t* className;
  DWORD processId;  // 0: any process
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t className[64] = L"";
  GetClassNameW(hwnd, className, 64);
  if ((query->processId == 0 || owner == query->processId) && IsWindowVisible(hwnd) &&
      wcscmp(className, query->className) == 0) {
    query->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct ChildQuery {
  std::function<bool(HWND)> matches;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<ChildQuery*>(param);
  if (!query->matches(hwnd)) return TRUE;
  query->found = hwnd;
  return FALSE;
}

HWND FindChild(HWND parent, std::function<bool(HWND)> matches) {
  ChildQuery query{std::move(matches)};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

bool IsPushButton(HWND hwnd) {
  wchar_t className[64] = L"";
  GetClassNameW(hwnd, className, 64);
  // Common controls 6 registers versioned classes ("6.0...!Button").
  const size_t length = wcslen(className);
  return length >= 6 && _wcsicmp(className + length - 6, L"Button") == 0;
}

// Where kernel32 at `base` in this process keeps the export name `name`,
// as an offset from its base; 0 when it exports no such name.
DWORD ExportNameOffset(HMODULE module, const char* name) {
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (entry.VirtualAddress == 0) return 0;
  const auto* exports =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    if (strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0) return names[i];
  }
  return 0;
}

// Changes the name's last letter to the next one: the names stay sorted, so
// every other name is still found, and this one no more.
bool SpoilExportName(HANDLE process, BYTE* base, DWORD offset, const char* name) {
  BYTE* last = base + offset + strlen(name) - 1;
  const char spoiled = static_cast<char>(name[strlen(name) - 1] + 1);
  DWORD previous = 0;
  if (!VirtualProtectEx(process, last, 1, PAGE_READWRITE, &previous)) return false;
  const bool written = WriteProcessMemory(process, last, &spoiled, 1, nullptr) != FALSE;
  VirtualProtectEx(process, last, 1, previous, &previous);
  return written;
}

}  // namespace

namespace {

// The Unix path of the environment variable `name` as Wine's drive Z: shows
// it; empty when it is not set.
std::wstring PathFromEnvironment(const char* name) {
  const char* unixPath = std::getenv(name);
  if (!unixPath) return L"";
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

}  // namespace

std::wstring LauncherPath() { return PathFromEnvironment("SORVEL_LAUNCHER_EXE"); }

std::wstring DemoSeriesHome() {
  const std::wstring series = PathFromEnvironment("SORVEL_DEMO_SERIES");
  return series.empty() ? series : series + L"\\SERIES\\LAUNCH";
}

LauncherProcess::~LauncherProcess() {
  if (!process_.hProcess) return;
  for (DWORD child : Children()) {
    if (HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, child)) {
      TerminateProcess(handle, 99);
      CloseHandle(handle);
    }
  }
  if (Running()) TerminateProcess(process_.hProcess, 99);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool LauncherProcess::Start(const std::wstring& currentDirectory, const std::wstring& exe) {
  if (exe.empty()) return false;
  std::wstring commandLine = L"SorvelL.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process_) != FALSE;
}

bool LauncherProcess::StartWithoutKernel32Function(const std::wstring& currentDirectory,
                                                   const std::wstring& exe, const char* name) {
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const DWORD offset = ExportNameOffset(kernel32, name);
  if (exe.empty() || offset == 0) return false;
  std::wstring commandLine = L"SorvelL.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  // As its debugger until kernel32 is mapped, before any of its code runs.
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      DEBUG_ONLY_THIS_PROCESS, nullptr, currentDirectory.c_str(), &startup,
                      &process_)) {
    return false;
  }
  DebugSetProcessKillOnExit(FALSE);
  bool hidden = false;
  for (DEBUG_EVENT event{}; !hidden && WaitForDebugEvent(&event, 20000);) {
    DWORD answer = DBG_CONTINUE;
    if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
      CloseHandle(event.u.CreateProcessInfo.hFile);
    } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
      CloseHandle(event.u.LoadDll.hFile);
      if (event.u.LoadDll.lpBaseOfDll == kernel32) {
        hidden = SpoilExportName(process_.hProcess, static_cast<BYTE*>(event.u.LoadDll.lpBaseOfDll),
                                 offset, name);
        if (!hidden) break;
      }
    } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
               event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
      answer = DBG_EXCEPTION_NOT_HANDLED;
    } else if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
      break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
  }
  DebugActiveProcessStop(process_.dwProcessId);
  return hidden;
}

bool LauncherProcess::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD LauncherProcess::WaitForExit(DWORD milliseconds) {
  if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND LauncherProcess::WindowOfClass(const wchar_t* className) const {
  return TopLevelWindow(className, process_.dwProcessId);
}

HWND LauncherProcess::WaitForWindow(const wchar_t* className, DWORD milliseconds) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = WindowOfClass(className);
        return found != nullptr || !Running();
      },
      milliseconds);
  return found;
}

std::vector<DWORD> LauncherProcess::Children() const {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == process_.dwProcessId && entry.th32ProcessID != 0)
      children.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return children;
}

namespace {

// The module `fileName` of process `id`; false when it is not loaded.
bool FindModule(DWORD id, const std::wstring& fileName, MODULEENTRY32W& entry) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  entry = MODULEENTRY32W{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    found = _wcsicmp(entry.szModule, fileName.c_str()) == 0;
    if (found) break;
  }
  CloseHandle(snapshot);
  return found;
}

}  // namespace

BYTE* LauncherProcess::ModuleBase(const std::wstring& fileName) const {
  MODULEENTRY32W entry;
  return FindModule(process_.dwProcessId, fileName, entry) ? entry.modBaseAddr : nullptr;
}

std::wstring LauncherProcess::ModulePath(const std::wstring& fileName) const {
  MODULEENTRY32W entry;
  return FindModule(process_.dwProcessId, fileName, entry) ? entry.szExePath : L"";
}

HWND TopLevelWindow(const wchar_t* className, DWORD processId) {
  WindowQuery query{className, processId};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::wstring WindowText(HWND hwnd) {
  // Asked of the window itself: an edit field of another process keeps its
  // text where GetWindowText does not look.
  wchar_t text[1024] = L"";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           5000, &length)) {
    GetWindowTextW(hwnd, text, 1024);
  }
  return text;
}

HWND FindChildByText(HWND parent, const std::wstring& text) {
  return FindChild(parent, [&text](HWND hwnd) { return WindowText(hwnd) == text; });
}

HWND FindChildBySize(HWND parent, const wchar_t* className, int width, int height) {
  return FindChild(parent, [=](HWND hwnd) {
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    RECT client;
    GetClientRect(hwnd, &client);
    return wcscmp(name, className) == 0 && client.right == width && client.bottom == height;
  });
}

void PostClick(HWND control) {
  if (IsPushButton(control)) {
    PostMessageW(control, BM_CLICK, 0, 0);
    return;
  }
  RECT client;
  GetClientRect(control, &client);
  const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMilliseconds);
  }
}

BoxSeen ReadAndCloseBox(HWND box) {
  BoxSeen seen;
  seen.caption = WindowText(box);
  HWND text = GetDlgItem(box, 0xFFFF);
  seen.text = WindowText(text);
  // A box with an icon sets its text to the right of the icon; without one
  // the text starts at the margin. (The icon control itself is there in
  // both cases on some systems, only empty.)
  RECT textRect;
  GetWindowRect(text, &textRect);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&textRect), 2);
  seen.hasIcon = textRect.left >= 32;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return seen;
}

bool HasDefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  return size != 0;
}

}  // namespace sorvel::test
