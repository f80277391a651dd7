// The scan's tests rely on the fake resolving paths as Windows does.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/FakePlatform.h"

namespace sorvel::test {
namespace {

TEST(FakePlatformTest, ResolvesPathsLikeWindows) {
  FakePlatform fake;
  fake.AddDrive('Q', DriveType::CdRom);
  fake.AddFolder("C:\\SERIES\\LAUNCH");
  fake.AddFolder("C:\\計算表\\ソフト");
  fake.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
  const struct {
    std::string path;
    std::string full;
  } cases[] = {
      {"C:\\SERIES\\LAUNCH\\..\\", "C:\\SERIES"},
      {"..\\..\\..", "C:\\"},
      {"Q:\\\\ALGEBR12", "Q:\\ALGEBR12"},
      {"C:\\a\\.\\b\\", "C:\\a\\b"},
      {"x.exe", "C:\\SERIES\\LAUNCH\\x.exe"},
      {"\\TOP", "C:\\TOP"},
      {"C:", "C:\\SERIES\\LAUNCH"},
      {"Q:", "Q:\\"},
      {"C:\\計算表\\ソフト\\..", "C:\\計算表"},
      {"c:/series/", "c:\\series"},
  };
  for (const auto& c : cases) EXPECT_EQ(fake.FullPath(c.path), c.full) << c.path;

  EXPECT_EQ(fake.ChangeDirectory("c:\\計算表\\ソフト\\"), error::kOk);
  EXPECT_EQ(fake.CurrentDirectory(), "c:\\計算表\\ソフト");
  EXPECT_EQ(fake.ChangeDirectory("C:\\計算表\\MISSING"), error::kFileNotFound);
  EXPECT_EQ(fake.ChangeDirectory("C:\\NONE\\MISSING"), error::kPathNotFound);
  EXPECT_EQ(fake.DriveTypeOf("Q:\\"), DriveType::CdRom);
  EXPECT_EQ(fake.DriveTypeOf("Q:\\LAUNCH\\"), DriveType::NoRootDir);
}

TEST(FakePlatformTest, ListsInFileSystemOrderWithDots) {
  FakePlatform fake;
  fake.AddFile("C:\\P\\b.exe");
  fake.AddFile("C:\\P\\A.EXE");
  fake.AddFolder("C:\\P\\sub");
  fake.SetOrder("C:\\P", {"sub"});
  std::vector<FileInfo> entries;
  ASSERT_EQ(fake.List("C:\\P\\*", entries), error::kOk);
  std::vector<std::string> names;
  for (const FileInfo& info : entries) names.push_back(info.name);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "sub", "b.exe", "A.EXE"}));
  ASSERT_EQ(fake.List("c:\\p\\*.exe", entries), error::kOk);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_EQ(fake.List("C:\\P\\*.txt", entries), error::kOk);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(fake.List("C:\\NONE\\*", entries), error::kPathNotFound);
}

TEST(FakePlatformTest, StampsChangeWhenEntriesComeAndGo) {
  const struct {
    const char* label;
    std::string folder;
    std::function<void(FakePlatform&)> change;
    bool changed;
  } cases[] = {
      {"nothing", "C:\\P", [](FakePlatform&) {}, false},
      {"contents rewritten", "C:\\P", [](FakePlatform& f) { f.AddFile("C:\\P\\a.exe", "new"); },
       false},
      {"inside a sub-folder", "C:\\P", [](FakePlatform& f) { f.AddFile("C:\\P\\sub\\b.exe"); },
       false},
      {"file added", "C:\\P", [](FakePlatform& f) { f.AddFile("C:\\P\\b.exe"); }, true},
      {"file removed", "C:\\P", [](FakePlatform& f) { f.Remove("C:\\P\\a.exe"); }, true},
      {"folder hidden", "C:\\P",
       [](FakePlatform& f) { f.AddFolder("C:\\P\\sub", attr::kDirectory | attr::kHidden); }, true},
      // FAT keeps the folder's time: the entries tell.
      {"FAT: file added", "D:\\P", [](FakePlatform& f) { f.AddFile("D:\\P\\b.exe"); }, true},
      {"FAT: renamed", "D:\\P",
       [](FakePlatform& f) {
         f.Remove("D:\\P\\a.exe");
         f.AddFile("D:\\P\\c.exe");
       },
       true},
  };
  for (const auto& c : cases) {
    FakePlatform fake;
    fake.AddDrive('D', DriveType::Fixed);
    fake.KeepFolderTimes('D');
    for (const char* drive : {"C:", "D:"}) {
      fake.AddFile(std::string(drive) + "\\P\\a.exe");
      fake.AddFolder(std::string(drive) + "\\P\\sub");
    }
    const auto before = fake.StampOf(c.folder);
    ASSERT_TRUE(before.has_value()) << c.label;
    c.change(fake);
    EXPECT_EQ(fake.StampOf(c.folder) != before, c.changed) << c.label;
    if (c.folder[0] == 'D') {
      EXPECT_EQ(fake.StampOf(c.folder)->lastWriteTime, before->lastWriteTime) << c.label;
    }
  }
  FakePlatform fake;
  fake.AddFile("C:\\P\\a.exe");
  EXPECT_FALSE(fake.StampOf("C:\\P\\a.exe").has_value());  // a file
  EXPECT_FALSE(fake.StampOf("C:\\NONE").has_value());
  EXPECT_EQ(fake.stamps, (std::vector<std::string>{"C:\\P\\a.exe", "C:\\NONE"}));
}

}  // namespace
}  // namespace sorvel::test
