// The questions the fake answers for the core's tests, put to the real port
// on real folders.
#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"
#include "tests/support/PlatformContract.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

using sorvel::test::ContractEntry;
using test::TempFolder;

void Make(const TempFolder& temp, const ContractEntry& entry) {
  const std::wstring path = temp.Join(test::Wide(entry.path));
  if (entry.attributes & attr::kDirectory) {
    test::MakeFolder(path);
    return;
  }
  test::MakeFile(path, entry.contents);
  HANDLE file =
      CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << entry.path;
  const FILETIME time{static_cast<DWORD>(entry.time), static_cast<DWORD>(entry.time >> 32)};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time)) << entry.path;
  CloseHandle(file);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), entry.attributes)) << entry.path;
}

TEST(Win32PlatformContractTest, AnswersAsTheFakeDoes) {
  TempFolder temp;
  for (const ContractEntry& entry : sorvel::test::ContractTree()) Make(temp, entry);
  Win32Platform platform;
  sorvel::test::ExpectPlatformContract(platform, temp.Cp932());
}

}  // namespace
}  // namespace sorvel::win32
