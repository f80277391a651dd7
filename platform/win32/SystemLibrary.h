// Procedures of system DLLs that the launcher loads when it first calls
// them, not with the program: each DLL imported costs every start time and
// memory (under Wine each one is mapped and set up as the process starts),
// while the shell, the network names and the spooler serve only later
// commands. The DLLs come from the system folder only, never from the
// current directory, and stay loaded.
#pragma once

#include <windows.h>

namespace sorvel::win32 {

// From now on every DLL of this process, the system's own dependencies
// included, comes from the system folder: never from the current directory,
// which follows program folders and CD-ROMs, nor from the program's own
// folder, which may be a share or a download folder. Called first thing.
// A Windows 7 without update KB2533623 can only take the current directory
// out of the search by name; there the DLLs of SystemProcedure and what they
// import still come from the system folder, but a name a system DLL asks
// for later is looked for beside the program first.
void LoadDllsFromSystemFolderOnly();

// The procedure `name` of the system DLL `dll` ("shell32.dll"), loading the
// DLL by its full path on the first call; nullptr when either cannot be
// found.
FARPROC SystemProcedure(const wchar_t* dll, const char* name);

// The same, as a pointer to the procedure's own type: the caller keeps it,
// typically in a function-local static.
template <typename Procedure>
Procedure* SystemProcedureOf(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Procedure*>(reinterpret_cast<void*>(SystemProcedure(dll, name)));
}

}  // namespace sorvel::win32
