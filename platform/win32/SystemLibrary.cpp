#include "platform/win32/SystemLibrary.h"

#include <string>

namespace sorvel::win32 {

namespace {

// Whether SetDefaultDllDirectories made the system folder the whole search.
bool systemFolderOnly = false;

}  // namespace

void LoadDllsFromSystemFolderOnly() {
  // Takes the current directory out of every search by name, on every
  // Windows this program runs on. It does not touch the program's own
  // folder, which heads that search.
  SetDllDirectoryW(L"");
  // Only this takes the program's folder out too. Windows 7 has it only with
  // update KB2533623: looked up, not imported.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  systemFolderOnly = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC SystemProcedure(const wchar_t* dll, const char* name) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(system, length) + L"\\" + dll;
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
