// The shell, help and icon services the main window calls. The window holds
// one set of them; tests replace them to see what would have been opened
// without starting a browser or a help viewer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace sorvel::ui {

// Handle of an icon as the icon extraction answers it; 0 and 1 are its two
// "no icon" answers.
using IconHandle = std::uintptr_t;

struct ShellServices {
  // Opens `file` with the shell's "open" verb; true when the shell took it.
  std::function<bool(HWND owner, const std::string& file, const std::string& directory, int show)>
      open;
  // The Windows directory.
  std::function<std::string()> windowsDirectory;
  // Opens the contents of a Windows Help file; true when the viewer took it.
  std::function<bool(HWND owner, const std::string& helpFile)> helpContents;
  // Opens the contents of a compiled HTML Help file; true when a window opened.
  std::function<bool(HWND owner, const std::string& chmFile)> htmlHelpContents;
  // The first icon of an executable: 0 none, 1 not an executable, otherwise
  // an icon the caller owns.
  std::function<IconHandle(const std::string& exeFile)> firstIcon;
};

// The system's services (platform/win32/Shell).
ShellServices SystemShellServices();

}  // namespace sorvel::ui
