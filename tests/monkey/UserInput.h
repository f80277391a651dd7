// Mouse and keyboard input as the user gives it, through SendInput: the
// system delivers it to the window under the pointer or with the keyboard
// focus and applies its own rules (disabled and covered windows, capture,
// modal loops, double clicks), so the monkey cannot do what a user cannot.
#pragma once

#include <windows.h>

namespace sorvel::test {

void MoveMouse(POINT screen);
void Click(POINT screen);
void DoubleClick(POINT screen);
// Presses and releases `key`, with Alt or Shift held down around it.
void PressKey(WORD key, bool alt = false, bool shift = false);

}  // namespace sorvel::test
