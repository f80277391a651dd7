#include "tests/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include "platform/win32/Encoding.h"

namespace sorvel::win32::test {
namespace {

// The \\?\ form reaches paths of any length; it takes no "..".
std::wstring Extended(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  wchar_t full[4096];
  const DWORD length = GetFullPathNameW(path.c_str(), 4096, full, nullptr);
  if (length == 0 || length >= 4096) return path;
  return L"\\\\?\\" + std::wstring(full, length);
}

}  // namespace

std::wstring Wide(const std::string& cp932) {
  const auto wide = Cp932ToWide(cp932);
  EXPECT_TRUE(wide.has_value()) << "test data is not valid CP932";
  return wide.value_or(std::wstring());
}

std::string Narrow(const std::wstring& wide) {
  const auto bytes = WideToCp932(wide);
  EXPECT_TRUE(bytes.has_value()) << "test data has no CP932 spelling";
  return bytes.value_or(std::string());
}

TempFolder::TempFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  std::wstring base(temp, length);
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  path_ = base + L"\\sorvel-w32-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  RemoveTree(path_);
  MakeFolder(path_);
  wchar_t current[4096];
  const DWORD currentLength = GetCurrentDirectoryW(4096, current);
  previousDirectory_.assign(current, currentLength < 4096 ? currentLength : 0);
}

TempFolder::~TempFolder() {
  if (!previousDirectory_.empty()) SetCurrentDirectoryW(previousDirectory_.c_str());
  RemoveTree(path_);
}

void MakeFolder(const std::wstring& path) {
  ASSERT_TRUE(CreateDirectoryW(Extended(path).c_str(), nullptr))
      << "cannot create folder, error " << GetLastError();
}

void MakeFile(const std::wstring& path, const std::string& contents) {
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create file, error " << GetLastError();
  DWORD written = 0;
  const BOOL ok =
      contents.empty() ||
      WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok);
}

void RemoveTree(const std::wstring& path) {
  const std::wstring root = Extended(path);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((root + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = root + L"\\" + name;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(root.c_str());
}

std::wstring ExecutableFolder() {
  wchar_t path[4096];
  const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring UnixPathOnZ(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

bool WaitForWideFile(const std::wstring& path, std::wstring& contents, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += 50) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      wchar_t buffer[8192];
      DWORD read = 0;
      const BOOL ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr);
      CloseHandle(file);
      if (ok) {
        contents.assign(buffer, read / sizeof(wchar_t));
        return true;
      }
    }
    Sleep(50);
  }
  return false;
}

}  // namespace sorvel::win32::test
