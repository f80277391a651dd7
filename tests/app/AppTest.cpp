// SorvelL.exe started in its own process on a prepared home folder: what the
// user sees first (the message or error box, or the main window) and how the
// program ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/process/ProcessDriver.h"
#include "tests/support/win32/TestFiles.h"

namespace sorvel::test {
namespace {

std::wstring MakeHomeFolder(const std::wstring& name) {
  std::wstring home = MakeTempFolder(L"app-" + name) + L"\\LAUNCH";
  CreateFolder(home);
  return home;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(path, bytes));
}

void Start(LauncherProcess& launcher, const std::wstring& home) {
  ASSERT_FALSE(LauncherPath().empty()) << "SORVEL_LAUNCHER_EXE is not set";
  ASSERT_TRUE(launcher.Start(home));
}

TEST(LauncherProcess, MissingCatalogueShowsOneMessageAndEnds) {
  std::wstring home = MakeHomeFolder(L"missing");
  LauncherProcess launched;
  Start(launched, home);
  HWND box = launched.WaitForWindow(L"#32770");
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
    LauncherProcess launched;
    Start(launched, home);
    HWND box = launched.WaitForWindow(L"#32770");
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
  LauncherProcess launched;
  Start(launched, home);
  HWND main = launched.WaitForWindow(L"SorvelMainWindow");
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  EXPECT_EQ(WindowText(main), L"算数セット");
  // The shell, the network names and the spooler serve later commands
  // only: started and idle, the launcher has not loaded them. (COM comes in
  // with any window under Wine.)
  ASSERT_EQ(WaitForInputIdle(launched.Handle(), 20000), 0u);
  for (const wchar_t* dll : {L"shell32.dll", L"mpr.dll", L"winspool.drv"}) {
    EXPECT_EQ(launched.ModuleBase(dll), nullptr) << dll << " loaded at start-up";
  }
  EXPECT_EQ(launched.WaitForExit(300), static_cast<DWORD>(STILL_ACTIVE)) << "ended too early";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(launched.WaitForExit(20000), 0u);
}

}  // namespace
}  // namespace sorvel::test
