#include "platform/win32/SystemLibrary.h"

#include <string>

namespace sorvel::win32 {

FARPROC SystemProcedure(const wchar_t* dll, const char* name) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  HMODULE module = LoadLibraryW((std::wstring(system, length) + L"\\" + dll).c_str());
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace sorvel::win32
