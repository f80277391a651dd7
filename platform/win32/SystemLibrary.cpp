#include "platform/win32/SystemLibrary.h"

#include <string>

namespace sorvel::win32 {

namespace {

// Whether SetDefaultDllDirectories made the system folder the whole search.
bool systemFolderOnly = false;

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return std::wstring(system, length);
}

}  // namespace

void LoadDllsFromSystemFolderOnly() {
  // Puts the system folder in the place of the current directory in every
  // search by name, on every Windows this program runs on (an empty name
  // would take it out as well, but Wine takes an empty name for none). It
  // does not touch the program's own folder, which heads that search.
  const std::wstring system = SystemFolder();
  if (!system.empty()) SetDllDirectoryW(system.c_str());
  // Only this takes the program's folder out too. Windows 7 has it only with
  // update KB2533623: looked up, not imported.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  systemFolderOnly = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC SystemProcedure(const wchar_t* dll, const char* name) {
  const std::wstring system = SystemFolder();
  if (system.empty()) return nullptr;
  const std::wstring path = system + L"\\" + dll;
  // By its full path, so the DLL itself is the system's. Without the default
  // directories the DLLs it imports would still be searched for in the
  // program's folder first; LOAD_WITH_ALTERED_SEARCH_PATH, which Windows 7
  // has without the update, searches the DLL's own folder, the system
  // folder, in its place.
  HMODULE module =
      LoadLibraryExW(path.c_str(), nullptr, systemFolderOnly ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace sorvel::win32
