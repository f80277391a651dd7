// SorvelL.exe started in its own process on a prepared home folder: what the
// user sees first (the message or error box, or the main window) and how the
// program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring LauncherPath() {
  const char* unixPath = std::getenv("SORVEL_LAUNCHER_EXE");
  if (!unixPath) return L"";
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

std::wstring MakeHomeFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring series = std::wstring(temp) + L"sorvel-app-" + name + L"-" +
                        std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(series.c_str(), nullptr);
  std::wstring home = series + L"\\LAUNCH";
  CreateDirectoryW(home.c_str(), nullptr);
  return home;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

struct Launched {
  PROCESS_INFORMATION process{};
  ~Launched() {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
  }
  DWORD WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(process.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }
};

void Start(Launched& launched, const std::wstring& home) {
  std::wstring exe = LauncherPath();
  ASSERT_FALSE(exe.empty()) << "SORVEL_LAUNCHER_EXE is not set";
  std::wstring commandLine = L"SorvelL.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             home.c_str(), &startup, &launched.process));
}

struct FoundWindow {
  DWORD processId;
  const wchar_t* className;
  HWND hwnd = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* wanted = reinterpret_cast<FoundWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t className[64] = L"";
  GetClassNameW(hwnd, className, 64);
  if (owner == wanted->processId && IsWindowVisible(hwnd) &&
      std::wstring(className) == wanted->className) {
    wanted->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Waits for a visible top-level window of the process with the given class.
HWND WaitForWindow(const Launched& launched, const wchar_t* className, DWORD milliseconds = 20000) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    FoundWindow found{launched.process.dwProcessId, className};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    if (found.hwnd) return found.hwnd;
    if (WaitForSingleObject(launched.process.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

// The text of a message box and whether it shows an icon; then closes it.
struct BoxSeen {
  std::wstring caption, text;
  bool hasIcon = false;
};

BoxSeen ReadAndCloseBox(HWND box) {
  BoxSeen seen;
  seen.caption = WindowText(box);
  seen.text = WindowText(GetDlgItem(box, 0xFFFF));
  // A box with an icon sets its text to the right of the icon; without one
  // the text starts at the margin. (The icon control itself is there in
  // both cases on some systems, only empty.)
  RECT textRect;
  GetWindowRect(GetDlgItem(box, 0xFFFF), &textRect);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&textRect), 2);
  seen.hasIcon = textRect.left >= 32;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return seen;
}

TEST(LauncherProcess, MissingCatalogueShowsOneMessageAndEnds) {
  std::wstring home = MakeHomeFolder(L"missing");
  Launched launched;
  Start(launched, home);
  HWND box = WaitForWindow(launched, L"#32770");
  ASSERT_NE(box, nullptr) << "no message box appeared";
  BoxSeen seen = ReadAndCloseBox(box);
  EXPECT_EQ(seen.caption, L"Sorvel Launcher");
  EXPECT_EQ(seen.text, home + L"\\SVLindex.txtがありません");
  EXPECT_FALSE(seen.hasIcon);
  EXPECT_EQ(launched.WaitForExit(20000), 0u);
}

TEST(LauncherProcess, UnusableCatalogueShowsTheErrorBoxAndEnds) {
  struct Case {
    const char* name;
    std::string bytes;
    std::wstring text;
  };
  const Case cases[] = {
      {"empty", "", L"リストのインデックスが範囲を超えています (0)"},
      {"one-line", "Caption only\r\n", L"リストのインデックスが範囲を超えています (1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring home = MakeHomeFolder(std::wstring(c.name, c.name + strlen(c.name)));
    WriteBytes(home + L"\\SVLindex.txt", c.bytes);
    Launched launched;
    Start(launched, home);
    HWND box = WaitForWindow(launched, L"#32770");
    ASSERT_NE(box, nullptr) << "no error box appeared";
    BoxSeen seen = ReadAndCloseBox(box);
    EXPECT_EQ(seen.caption, L"Sorvel Launcher");
    EXPECT_EQ(seen.text, c.text);
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_EQ(launched.WaitForExit(20000), 0u);
  }
}

TEST(LauncherProcess, CatalogueOpensTheMainWindowUntilItIsClosed) {
  std::wstring home = MakeHomeFolder(L"loaded");
  // Caption "算数セット" in CP932, date line, one program line.
  WriteBytes(home + L"\\SVLindex.txt",
             "\x8e\x5a\x90\x94\x83\x5a\x83\x62\x83\x67\r\n2026/12/01\r\nTitle,PROG,1.0,K\r\n");
  Launched launched;
  Start(launched, home);
  HWND main = WaitForWindow(launched, L"SorvelMainWindow");
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  EXPECT_EQ(WindowText(main), L"算数セット");
  EXPECT_EQ(launched.WaitForExit(300), static_cast<DWORD>(STILL_ACTIVE)) << "ended too early";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launched.WaitForExit(20000), 0u);
}

}  // namespace
