// Test helper: writes its command line and current directory, as UTF-16
// lines, to the file named by SORVEL_ECHO_OUT. The file appears whole (it is
// written under another name first) so a waiting test never reads half of it.
#include <windows.h>

#include <string>

int main() {
  wchar_t target[4096];
  const DWORD length = GetEnvironmentVariableW(L"SORVEL_ECHO_OUT", target, 4096);
  if (length == 0 || length >= 4096) return 1;
  wchar_t directory[4096];
  const DWORD directoryLength = GetCurrentDirectoryW(4096, directory);
  if (directoryLength == 0 || directoryLength >= 4096) return 1;

  const std::wstring text =
      std::wstring(GetCommandLineW()) + L"\n" + std::wstring(directory, directoryLength) + L"\n";
  const std::wstring part = std::wstring(target, length) + L".part";
  HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  const BOOL ok = WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
  CloseHandle(file);
  if (!ok) return 1;
  return MoveFileExW(part.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
