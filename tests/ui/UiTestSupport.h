// Helpers for driving the launcher's windows in-process in tests.
#pragma once

#include <windows.h>

#include <string>

namespace sorvel::test {

// Saves what `hwnd` shows (frame included) as a BMP file named `name`.bmp
// in the folder of SORVEL_ARTIFACTS (or the current folder); returns the path.
std::string SaveScreenshot(HWND hwnd, const std::string& name);

// Handles the messages waiting for this thread (paints, posted clicks).
void PumpMessages();

// A click on a child window at a point of its client area, as the mouse gives it.
void Click(HWND hwnd, int x = 2, int y = 2);

// Mouse movement over a child window at a point of its client area.
void MoveMouse(HWND hwnd, int x = 2, int y = 2);

// A fresh empty temporary folder (Windows path, UTF-16), removed by the caller.
std::wstring MakeTempFolder(const std::wstring& hint);
// Removes a folder tree.
void RemoveTree(const std::wstring& folder);
// Writes bytes to a file, creating folders on the way.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace sorvel::test
