// The window classes of the launcher's own windows.
#pragma once

#include <windows.h>

namespace sorvel::ui {

// Registers `className` once for this program, with the launcher's icon,
// `cursor` (nullptr: the arrow), `background` and `proc`; a class that is
// registered already is left as it is.
void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HBRUSH background, WNDPROC proc);

}  // namespace sorvel::ui
