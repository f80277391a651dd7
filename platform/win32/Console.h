// Standard output of a console program, and what it learns from its
// environment.
//
// Text is handed over as CP932 and written so that it reads right wherever
// it goes: on a console as Unicode (WriteConsoleW, whatever the console's
// code page), into a pipe or a file as UTF-8 bytes (what Wine under Linux,
// scripts and today's editors read).
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sorvel::win32 {

enum class StandardStream { Output, Error };

// False when the text could not be written whole.
bool WriteText(StandardStream stream, const std::string& cp932Text);

// How the program's console is shared, as far as standard input and output
// go through it.
struct ConsoleUse {
  bool outputIsConsole = false;  // false: a file or a pipe
  bool inputIsConsole = false;
  // The processes attached to the console, this one included; 0 when
  // there is no console or the system cannot say.
  unsigned processes = 0;
};
ConsoleUse QueryConsoleUse();

// Writes `cp932Prompt` to the console and waits until a key is pressed.
void WaitForKey(const std::string& cp932Prompt);

// An environment variable's value (ASCII expected); empty when not set.
std::string EnvironmentValue(const wchar_t* name);

// True when the user's display language is Japanese.
bool DisplayLanguageIsJapanese();

// Makes `folder` (as given on the command line) the current directory;
// returns 0 or the platform's error code.
ErrorCode EnterFolder(const std::wstring& folder);

}  // namespace sorvel::win32
