// How many GUI objects a process holds. Windows answers GetGuiResources;
// Wine answers 0, so there the GDI objects are counted in the process's own
// GDI handle table (which Wine keeps where Windows keeps it, at the
// process's PEB) and its USER objects as its windows. A fresh USER handle's
// table slot tells whether the whole USER table grows.
#pragma once

#include <windows.h>

namespace sorvel::test {

struct GuiObjectCounts {
  long gdi = -1;                 // -1: not known
  long user = -1;                // USER objects; on Wine the process's windows
  bool fromHandleTable = false;  // counted by the Wine fallback
};

GuiObjectCounts CountGuiObjects(HANDLE process, DWORD processId);

// The table slot (low word) of a USER handle made and released now: USER
// handles are one table for the whole session and freed slots are used
// again first, so this rises only when the live handles of all processes
// outgrow the table's highest use so far.
int FreshUserSlot();

}  // namespace sorvel::test
