// Drives SorvelL.exe from outside, as a user does: starts it in its own
// process on a home folder, finds its windows and their controls by class
// and text, clicks them with posted messages (so the launcher's modal
// windows and boxes never block the test) and reads and closes its boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/win32/TestText.h"

namespace sorvel::test {

// SorvelL.exe as the build made it (env SORVEL_LAUNCHER_EXE, a Unix path),
// seen through Wine's drive Z:; empty when the variable is not set.
std::wstring LauncherPath();
// The demo series' launcher folder (env SORVEL_DEMO_SERIES, the Unix path of
// the folder the build lays it out in); empty when the variable is not set.
std::wstring DemoSeriesHome();

class LauncherProcess {
 public:
  LauncherProcess() = default;
  ~LauncherProcess();  // ends the launcher and what it started, if they still run
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  // Starts SorvelL.exe (the built one, or the copy `exe`) with
  // `currentDirectory` as its current directory, as a user does from the
  // folder's window. False when it could not be started.
  bool Start(const std::wstring& currentDirectory, const std::wstring& exe = LauncherPath());
  // The same on a system without the function `name` of kernel32, as
  // Windows 7 lacks some before its updates: the launcher's GetProcAddress
  // does not find it. False when it could not be hidden.
  bool StartWithoutKernel32Function(const std::wstring& currentDirectory, const std::wstring& exe,
                                    const char* name);

  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Handle() const { return process_.hProcess; }
  bool Running() const;

  // The exit code, or STILL_ACTIVE when it still runs after `milliseconds`.
  DWORD WaitForExit(DWORD milliseconds);

  // A visible top-level window of the launcher with this class; null when
  // none appeared in time or the launcher ended.
  HWND WaitForWindow(const wchar_t* className, DWORD milliseconds = 20000) const;
  // The visible top-level window of the launcher with this class now, or null.
  HWND WindowOfClass(const wchar_t* className) const;

  // The processes the launcher started that still run.
  std::vector<DWORD> Children() const;

  // Where a module is loaded in the launcher (by its file name, without
  // regard to case); null when it is not loaded.
  BYTE* ModuleBase(const std::wstring& fileName) const;
  // The full path of that module; empty when it is not loaded.
  std::wstring ModulePath(const std::wstring& fileName) const;

 private:
  PROCESS_INFORMATION process_{};
};

// A visible top-level window of any process with this class, or null.
HWND TopLevelWindow(const wchar_t* className, DWORD processId = 0);

std::wstring WindowText(HWND hwnd);
// The first child window, at any depth, with exactly this text; null when none.
HWND FindChildByText(HWND parent, const std::wstring& text);
// The first child window, at any depth, of this class and client size.
HWND FindChildBySize(HWND parent, const wchar_t* className, int width, int height);

// A click as the user gives it, posted: BM_CLICK to a push button, the left
// button pressed and released in the middle of any other control.
void PostClick(HWND control);

// Polls `condition` until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// A message box (class #32770) as the user sees it.
struct BoxSeen {
  std::wstring caption, text;
  bool hasIcon = false;
};
// Reads a message box and presses its OK button.
BoxSeen ReadAndCloseBox(HWND box);

// Whether this system has a default printer to print on.
bool HasDefaultPrinter();

}  // namespace sorvel::test
