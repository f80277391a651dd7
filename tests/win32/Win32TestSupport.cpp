#include "tests/win32/Win32TestSupport.h"

#include <gtest/gtest.h>

#include "platform/win32/Encoding.h"

namespace sorvel::win32::test {
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

TempFolder::TempFolder() : path_(sorvel::test::MakeTempFolder(L"w32")) {
  wchar_t current[4096];
  const DWORD currentLength = GetCurrentDirectoryW(4096, current);
  previousDirectory_.assign(current, currentLength < 4096 ? currentLength : 0);
}

TempFolder::~TempFolder() {
  if (!previousDirectory_.empty()) SetCurrentDirectoryW(previousDirectory_.c_str());
  RemoveTree(path_);
}

void MakeFolder(const std::wstring& path) {
  ASSERT_TRUE(sorvel::test::CreateFolder(path)) << "cannot create folder, error " << GetLastError();
}

void MakeFile(const std::wstring& path, const std::string& contents) {
  ASSERT_TRUE(sorvel::test::WriteFileBytes(path, contents))
      << "cannot write file, error " << GetLastError();
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
