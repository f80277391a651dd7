// Shell, help and icon services of the windows. Strings are CP932; a string
// that is not valid CP932 makes the call fail without reaching the system.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace sorvel::win32 {

// Opens `file` with the shell's "open" verb, `directory` being the default
// directory; true when the shell accepted it.
bool ShellOpen(HWND owner, const std::string& file, const std::string& directory, int show);

// The Windows directory; empty when it has no CP932 spelling.
std::string WindowsDirectory();

// Opens the contents page of a help file (HELP_CONTENTS, data 100).
bool OpenHelpContents(HWND owner, const std::string& helpFile);

// Opens a compiled help file (.chm) at its contents with HTML Help, whose
// hhctrl.ocx comes from the system folder; true when a help window opened.
bool OpenHtmlHelpContents(HWND owner, const std::string& chmFile);

// Closes every HTML Help window this process opened, as HTML Help asks of a
// program before it ends; does nothing when it opened none.
void CloseHtmlHelpWindows();

// The first icon of an executable as a handle value: 0 when the file holds
// no icon (or cannot be found), 1 when it is not an executable. The caller
// owns an icon it gets (DestroyIcon).
std::uintptr_t ExtractFirstIcon(HINSTANCE instance, const std::string& exePath);

}  // namespace sorvel::win32
