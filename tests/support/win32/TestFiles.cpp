#include "tests/support/win32/TestFiles.h"

#include <windows.h>

namespace sorvel::test {
namespace {

// The \\?\ form reaches paths of any length; it takes no "..".
std::wstring Extended(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  wchar_t full[4096];
  const DWORD length = GetFullPathNameW(path.c_str(), 4096, full, nullptr);
  if (length == 0 || length >= 4096) return path;
  return L"\\\\?\\" + std::wstring(full, length);
}

void RemoveFolderContents(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") RemoveTree(folder + L"\\" + name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

}  // namespace

std::wstring ExecutableFolder() {
  wchar_t path[4096];
  const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
  const std::wstring file(path, length);
  return file.substr(0, file.find_last_of(L'\\'));
}

std::wstring MakeTempFolder(const std::wstring& hint) {
  static int counter = 0;
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  std::wstring base(temp, length);
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  const std::wstring folder = base + L"\\sorvel-" + hint + L"-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void RemoveTree(const std::wstring& path) {
  const std::wstring target = Extended(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    RemoveFolderContents(target);
    RemoveDirectoryW(target.c_str());
  } else {
    DeleteFileW(target.c_str());
  }
}

bool CreateFolder(const std::wstring& path) {
  return CreateDirectoryW(Extended(path).c_str(), nullptr) != FALSE;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateFolder(path.substr(0, at));
  }
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                             &written, nullptr);
  CloseHandle(file);
  return ok && (bytes.empty() || written == bytes.size());
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[64 * 1024];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace sorvel::test
