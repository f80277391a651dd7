// The launcher moves its current directory into program folders, onto a
// CD-ROM and wherever the user browses, and it may lie on a share or in a
// download folder; a DLL lying there or beside it must never be loaded into
// the launcher by its bare name. The test puts a DLL into every folder of a
// series, the launcher itself into its home beside one, lets it start a
// program (which leaves its current directory in the program's folder) and
// then has the running launcher itself ask for the DLL by name, from a
// thread the test starts in it. HTML Help's DLL, which the launcher loads on
// its first help command, is planted beside it too.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "tests/session/SeriesTree.h"
#include "tests/support/process/ProcessDriver.h"
#include "tests/support/win32/TestText.h"

namespace sorvel::test {
namespace {

constexpr const wchar_t* kProbe = L"sorvel_cwd_probe.dll";

// Where a function of a system DLL of this process lies in the launcher:
// the same offset from the base of the same DLL there.
LPTHREAD_START_ROUTINE InLauncher(const LauncherProcess& launcher, FARPROC local) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(local), &module)) {
    return nullptr;
  }
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring name = std::wstring(path).substr(std::wstring(path).rfind(L'\\') + 1);
  BYTE* remoteBase = launcher.ModuleBase(name);
  if (!remoteBase) return nullptr;
  return reinterpret_cast<LPTHREAD_START_ROUTINE>(
      remoteBase + (reinterpret_cast<BYTE*>(local) - reinterpret_cast<BYTE*>(module)));
}

// Runs the kernel32 procedure `name` with one argument on a new thread
// inside the launcher; what it returned (its low half), 0 when it did not run.
DWORD CallInLauncher(const LauncherProcess& launcher, const char* name, void* argument) {
  const auto procedure =
      InLauncher(launcher, GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name));
  EXPECT_NE(procedure, nullptr) << name << " not found in the launcher";
  if (!procedure) return 0;
  DWORD result = 0;
  HANDLE thread =
      CreateRemoteThread(launcher.Handle(), nullptr, 0, procedure, argument, 0, nullptr);
  EXPECT_NE(thread, nullptr) << "no thread in the launcher, error " << GetLastError();
  if (thread) {
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
  }
  return result;
}

// Runs LoadLibraryW(`argument`) inside the launcher; the low half of the
// module handle it gave, 0 when it loaded nothing.
DWORD LoadLibraryInLauncher(const LauncherProcess& launcher, const std::wstring& argument) {
  const SIZE_T bytes = (argument.size() + 1) * sizeof(wchar_t);
  void* remoteText =
      VirtualAllocEx(launcher.Handle(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  EXPECT_NE(remoteText, nullptr);
  if (!remoteText) return 0;
  DWORD result = 0;
  if (WriteProcessMemory(launcher.Handle(), remoteText, argument.c_str(), bytes, nullptr)) {
    result = CallInLauncher(launcher, "LoadLibraryW", remoteText);
  }
  VirtualFreeEx(launcher.Handle(), remoteText, 0, MEM_RELEASE);
  return result;
}

// The folder a module of the launcher was loaded from, without regard to case.
std::wstring ModuleFolder(const LauncherProcess& launcher, const std::wstring& fileName) {
  std::wstring folder;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, launcher.Id());
  if (snapshot == INVALID_HANDLE_VALUE) return folder;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szModule, fileName.c_str()) != 0) continue;
    folder = entry.szExePath;
    folder.resize(folder.rfind(L'\\'));
    CharLowerW(folder.data());
  }
  CloseHandle(snapshot);
  return folder;
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH] = L"";
  GetSystemDirectoryW(system, MAX_PATH);
  CharLowerW(system);
  return system;
}

// Moves this process's current directory for a while.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::wstring& folder) {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    EXPECT_TRUE(SetCurrentDirectoryW(folder.c_str()));
  }
  ~CurrentDirectory() { SetCurrentDirectoryW(previous_); }

 private:
  wchar_t previous_[MAX_PATH] = L"";
};

// A DLL that shell32 imports, and shell32 is loaded only when the launcher
// first extracts an icon.
constexpr const wchar_t* kShellImport = L"shlwapi.dll";

struct SearchRow {
  const char* system;
  bool hideDefaultDirectories;  // a Windows 7 without update KB2533623
  // Windows 7 cannot take the program's folder out of the search by name:
  // without the update, a DLL beside the launcher would be found.
  bool probeBesideLauncher;
};

const SearchRow kSearchRows[] = {
    {"SetDefaultDllDirectories", false, true},
    {"no SetDefaultDllDirectories", true, false},
};

TEST(LauncherDllSearch, ADllInTheCurrentDirectoryOrBesideTheLauncherIsNeverLoadedByItsName) {
  ASSERT_FALSE(DemoSeriesHome().empty()) << "SORVEL_DEMO_SERIES is not set";
  for (const SearchRow& row : kSearchRows) {
    SCOPED_TRACE(row.system);
    SeriesTree series(L"dll");
    series.WriteCatalogue("数学シリーズ\r\n2026/04/01\r\n代数入門,ALGEBRA1,1.3,alg\r\n");
    series.Install(L"ALGEBR12", L"algebra1.exe", Sample::WithIcon);
    for (const wchar_t* folder : {L".", L"LAUNCH", L"ALGEBR12"}) {
      if (row.probeBesideLauncher || std::wstring(folder) != L"LAUNCH") {
        series.CopyBuilt(kProbe, folder);
      }
    }
    const std::wstring planted = series.Path(std::wstring(L".\\") + kProbe);
    ASSERT_TRUE(CopyFileW(planted.c_str(),
                          series.Path(std::wstring(L"LAUNCH\\") + kShellImport).c_str(), FALSE));
    // HTML Help's DLL planted where the help command sets the current
    // directory, beside the launcher, with a compiled help for it to open.
    ASSERT_TRUE(CopyFileW(planted.c_str(), series.Path(L"LAUNCH\\hhctrl.ocx").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((DemoSeriesHome() + L"\\SorvelL.chm").c_str(),
                          series.Path(L"LAUNCH\\SorvelL.chm").c_str(), FALSE));

    // Without the launcher's precautions the system finds the DLL there: this
    // test process has none.
    {
      CurrentDirectory inProgramFolder(series.Path(L"ALGEBR12"));
      HMODULE probe = LoadLibraryW(kProbe);
      ASSERT_NE(probe, nullptr) << "the DLL is not found in the current directory even here";
      FreeLibrary(probe);
    }

    LauncherProcess launcher;
    ASSERT_FALSE(LauncherPath().empty()) << "SORVEL_LAUNCHER_EXE is not set";
    const std::wstring besideTheDll = series.Path(L"LAUNCH\\SorvelL.exe");
    ASSERT_TRUE(CopyFileW(LauncherPath().c_str(), besideTheDll.c_str(), FALSE));
    if (row.hideDefaultDirectories) {
      ASSERT_TRUE(launcher.StartWithoutKernel32Function(series.home, besideTheDll,
                                                        "SetDefaultDllDirectories"));
    } else {
      ASSERT_TRUE(launcher.Start(series.home, besideTheDll));
    }
    HWND main = launcher.WaitForWindow(L"SorvelMainWindow");
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    // The launch leaves the launcher's current directory in the program's folder.
    PostClick(FindChildByText(main, PanelText(L"代数入門")));
    ASSERT_EQ(StartedPrograms(launcher, 1),
              std::vector<std::wstring>{series.Path(L"ALGEBR12") + L"|algebra1.exe"});

    EXPECT_EQ(LoadLibraryInLauncher(launcher, kProbe), 0u);
    EXPECT_EQ(launcher.ModuleBase(kProbe), nullptr) << "the launcher loaded the DLL by its name";
    // By its full path it is loaded: the request did reach the launcher.
    EXPECT_NE(LoadLibraryInLauncher(launcher, series.Path(L"ALGEBR12\\sorvel_cwd_probe.dll")), 0u);
    EXPECT_NE(launcher.ModuleBase(kProbe), nullptr);

    // The small picture's rescan extracts the icons through shell32, loaded
    // then with what it imports from the system folder.
    EXPECT_EQ(launcher.ModuleBase(L"shell32.dll"), nullptr) << "shell32 is loaded from the start";
    PostClick(FindChildBySize(main, L"SorvelBevelPanel", 90, 74));
    EXPECT_TRUE(WaitUntil([&] { return launcher.ModuleBase(L"shell32.dll") != nullptr; }, 10000))
        << "shell32 was not loaded";
    EXPECT_EQ(ModuleFolder(launcher, kShellImport), SystemFolder())
        << "shell32's import came from elsewhere";
    if (HWND box = launcher.WindowOfClass(L"#32770")) ReadAndCloseBox(box);

    // The help command loads HTML Help from the system folder by its full
    // path, also where a bare name would find the planted one: Windows 7
    // without its update KB2533623 searches the program's folder first (the
    // row without the function has that order already).
    if (!row.hideDefaultDirectories) {
      EXPECT_NE(CallInLauncher(launcher, "SetDefaultDllDirectories",
                               reinterpret_cast<void*>(LOAD_LIBRARY_SEARCH_APPLICATION_DIR |
                                                       LOAD_LIBRARY_SEARCH_SYSTEM32)),
                0u);
    }
    PostClick(FindChildByText(main, L"ヘルプ"));
    EXPECT_TRUE(WaitUntil([&] { return !launcher.ModulePath(L"hhctrl.ocx").empty(); }, 20000))
        << "HTML Help was not loaded";
    wchar_t system[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring loaded = launcher.ModulePath(L"hhctrl.ocx");
    EXPECT_EQ(_wcsnicmp(loaded.c_str(), system, length), 0) << Utf8(loaded);

    EndStartedPrograms(launcher);
    PostClick(FindChildByText(main, L"終了"));
    EXPECT_EQ(launcher.WaitForExit(20000), 0u);
  }
}

}  // namespace
}  // namespace sorvel::test
