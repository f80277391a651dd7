// The core's tests rely on the fake answering as Windows does.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/FakePlatform.h"
#include "tests/support/PlatformContract.h"

namespace sorvel::test {
namespace {

// The questions the real port answers on real folders under Wine too.
TEST(FakePlatformTest, KeepsThePlatformContract) {
  FakePlatform fake;
  fake.AddDrive('Q', DriveType::CdRom);
  const std::string root = "C:\\CONTRACT";
  for (const ContractEntry& entry : ContractTree()) {
    const std::string path = root + "\\" + entry.path;
    if (entry.attributes & attr::kDirectory) {
      fake.AddFolder(path, entry.attributes);
    } else {
      fake.AddFile(path, entry.contents, entry.attributes, entry.time);
    }
  }
  ExpectPlatformContract(fake, root);
}

// What only the fake models: the stamps of a FAT drive, and the log of
// the stamps asked for.
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
