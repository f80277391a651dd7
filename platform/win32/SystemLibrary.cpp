#include "platform/win32/SystemLibrary.h"

#include <string>

namespace sorvel::win32 {

void LoadDllsFromSystemFolderOnly() {
  SetDllDirectoryW(L"");
  // Windows 7 has it only with update KB2533623: looked up, not imported.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

FARPROC SystemProcedure(const wchar_t* dll, const char* name) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  HMODULE module = LoadLibraryW((std::wstring(system, length) + L"\\" + dll).c_str());
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace sorvel::win32
