// Helpers for driving the launcher's windows in-process in tests.
#pragma once

#include <windows.h>

#include <vector>

#include "tests/support/win32/Picture.h"
#include "tests/support/win32/TestFiles.h"

namespace sorvel::test {

// Handles the messages waiting for this thread (paints, posted clicks).
void PumpMessages();

// A click on a child window at a point of its client area, as the mouse gives it.
void Click(HWND hwnd, int x = 2, int y = 2);

// Mouse movement over a child window at a point of its client area.
void MoveMouse(HWND hwnd, int x = 2, int y = 2);

// Every descendant window of `top`, at every depth, in the system's order.
std::vector<HWND> Descendants(HWND top);

}  // namespace sorvel::test
