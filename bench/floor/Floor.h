// The floor under the launcher's start-up: the plainest program that does
// everything the launcher must do before it is idle, and nothing more. It
// makes the same windows (classes of its own, with the launcher's styles,
// parents, places, fonts, icon and cursors), draws the same pixels with
// plain GDI calls (every panel's bevel and caption, both pictures), and
// reads the same files: the catalogue's bytes, split at line ends and commas,
// and a bare enumeration of the folders the first scan reads. No catalogue
// rules, no state, no checks: an entry is installed when a file in a
// sub-folder of the base folder is named as its executable, ignoring case.
//
// The launcher cannot start faster than this without doing less than it
// must; tests/ui/DpiTest.cpp holds the two to the same pixels.
#pragma once

#include <windows.h>

#include <string>

namespace sorvel::floor {

struct FloorOptions {
  // Where the start-up's steps are marked (the start-up probe), or nullptr.
  void (*mark)(const char* step) = nullptr;
  // Closing the main window ends the event loop (the program), as the
  // launcher's does; false in a test that opens the floor in its process.
  bool endsProgram = true;
};

// Opens the floor for the series whose home folder is `home` (the launcher's
// folder, without a trailing backslash): the main window shown, centred and
// painted, the first side button focused. Nullptr when the catalogue cannot
// be read or a window cannot be made. The window is the caller's to destroy.
HWND OpenFloor(const std::wstring& home, const FloorOptions& options);

}  // namespace sorvel::floor
