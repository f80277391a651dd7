// The window classes of the launcher's own windows, and those of the system
// controls it uses.
#pragma once

#include <windows.h>

namespace sorvel::ui {

// Registers `className` once for this program, with the launcher's icon,
// `cursor` (nullptr: the arrow), `background` and `proc`; a class that is
// registered already is left as it is.
void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HBRUSH background, WNDPROC proc);

// Has comctl32 register its classes, once for the process: the themed
// controls of common controls 6 are its, and a system control of ours is
// made only after it. The program calls it at start-up.
void RegisterCommonControlClasses();

}  // namespace sorvel::ui
