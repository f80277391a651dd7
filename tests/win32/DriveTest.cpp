// Drive queries against the test prefix: Q: is a CD-ROM whose contents lie
// in a Unix folder, R: points at a missing folder (not ready).
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/win32/Win32Platform.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

// The Unix folder behind Q:, from SORVEL_CDROM_DIR or beside the prefix.
std::string CdRomUnixFolder() {
  if (const char* dir = std::getenv("SORVEL_CDROM_DIR"); dir != nullptr && *dir != '\0') return dir;
  const char* prefix = std::getenv("WINEPREFIX");
  return prefix == nullptr ? std::string() : std::string(prefix) + "/../wine-drives/cdrom";
}

class DriveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string unix = CdRomUnixFolder();
    if (unix.empty()) GTEST_SKIP() << "not running in the test prefix (no WINEPREFIX)";
    launch_ = test::UnixPathOnZ(std::wstring(unix.begin(), unix.end())) + L"\\LAUNCH";
    test::RemoveTree(launch_);
    test::MakeFolder(launch_);
    wchar_t current[MAX_PATH];
    previous_.assign(current, GetCurrentDirectoryW(MAX_PATH, current));
  }
  void TearDown() override {
    if (!previous_.empty()) SetCurrentDirectoryW(previous_.c_str());
    if (!launch_.empty()) test::RemoveTree(launch_);
  }

  std::wstring launch_;
  std::wstring previous_;
  Win32Platform platform_;
};

TEST_F(DriveTest, OnlyARootAnswersItsDriveType) {
  struct Case {
    const char* path;
    DriveType type;
  };
  const Case cases[] = {
      {"Q:\\", DriveType::CdRom},
      {"q:\\", DriveType::CdRom},
      {"C:\\", DriveType::Fixed},
      {"Q:\\LAUNCH\\", DriveType::NoRootDir},
      {"Q:\\LAUNCH", DriveType::NoRootDir},
      {"Q:\\LAUNCH\\..\\", DriveType::NoRootDir},
      {"C:\\windows\\", DriveType::NoRootDir},
      {"Q:", DriveType::NoRootDir},
      {"", DriveType::NoRootDir},
      {"\\\\server\\", DriveType::NoRootDir},
      // Wine answers "no root" for the drive whose folder is missing.
      {"R:\\", DriveType::NoRootDir},
  };
  for (const Case& c : cases) EXPECT_EQ(platform_.DriveTypeOf(c.path), c.type) << c.path;
}

TEST_F(DriveTest, RootPathsAreRecognisedWhole) {
  EXPECT_TRUE(IsRootPath("Z:\\"));
  EXPECT_TRUE(IsRootPath("\\\\server\\share\\"));
  EXPECT_TRUE(IsRootPath("\\\\サーバ\\表\\"));  // 0x5C trail bytes inside the names
  EXPECT_FALSE(IsRootPath("\\\\server\\share"));
  EXPECT_FALSE(IsRootPath("\\\\server\\share\\dir\\"));
  EXPECT_FALSE(IsRootPath("\\\\\\share\\"));
  EXPECT_FALSE(IsRootPath("\\\\表x\\"));  // one name: the 0x5C of 表 is no separator
  EXPECT_FALSE(IsRootPath("1:\\"));
}

TEST_F(DriveTest, AFolderOnTheCdRomCanBeEnteredAndListed) {
  ASSERT_EQ(platform_.ChangeDirectory("Q:\\LAUNCH"), error::kOk);
  EXPECT_EQ(platform_.CurrentDirectory(), "Q:\\LAUNCH");
  std::vector<FileInfo> out;
  EXPECT_EQ(platform_.List("Q:\\*", out), error::kOk);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(),
                          [](const FileInfo& info) { return info.name == "LAUNCH"; }));
  EXPECT_EQ(platform_.FullPath("Q:\\LAUNCH\\..\\"), "Q:\\");
}

TEST_F(DriveTest, DrivesAndVolumes) {
  const std::uint32_t drives = platform_.LogicalDrives();
  EXPECT_TRUE(drives & (1u << ('C' - 'A')));
  EXPECT_TRUE(drives & (1u << ('Q' - 'A')));
  EXPECT_TRUE(platform_.VolumeLabel("C:\\").has_value());
  EXPECT_EQ(platform_.VolumeLabel("Q:\\LAUNCH\\"), std::nullopt);  // not a root
  EXPECT_EQ(platform_.NetworkRemoteName("C:"), std::nullopt);
}

TEST_F(DriveTest, DriveNotReadyGivesTheSystemsCode) {
  // Wine reports the drive whose folder is missing as a missing path (3)
  // where Windows says "not ready" (21); the code is passed on as given.
  SetCurrentDirectoryW(L"R:\\");
  const DWORD systemCode = GetLastError();
  ASSERT_TRUE(systemCode == ERROR_PATH_NOT_FOUND || systemCode == ERROR_NOT_READY) << systemCode;
  EXPECT_EQ(platform_.ChangeDirectory("R:\\"), systemCode);
  std::vector<FileInfo> out;
  EXPECT_EQ(platform_.List("R:\\*", out), systemCode);
  EXPECT_EQ(platform_.FindFirst("R:\\*"), std::nullopt);
}

}  // namespace
}  // namespace sorvel::win32
