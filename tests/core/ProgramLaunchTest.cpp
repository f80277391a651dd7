#include <gtest/gtest.h>

#include "core/InstallationScan.h"
#include "core/ProgramLaunch.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

TEST(RunProgramTest, StartsTheFoundFileInItsFolderUnderItsBareName) {
  const struct {
    std::string folder;
    std::string exeName;
    std::string application;
    std::string current;
  } cases[] = {
      {"C:\\SERIES\\LAUNCH\\..\\ALGEBR12", "algebra1.exe",
       "C:\\SERIES\\LAUNCH\\..\\ALGEBR12\\algebra1.exe", "C:\\SERIES\\ALGEBR12"},
      // 表 ends in the byte of a backslash: the separator is still added.
      {"C:\\数学\\計算表", "prog.exe", "C:\\数学\\計算表\\prog.exe", "C:\\数学\\計算表"},
      {"Q:\\", "geometry.exe", "Q:\\geometry.exe", "Q:\\"},
  };
  for (const auto& c : cases) {
    test::FakePlatform fake;
    fake.AddDrive('Q', DriveType::CdRom);
    fake.AddFile(c.application);
    fake.AddFile("C:\\SERIES\\LAUNCH\\" + c.exeName);  // beside the launcher: not this one
    fake.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
    RunProgram(fake, c.folder, c.exeName);
    ASSERT_EQ(fake.launches.size(), 1u) << c.folder;
    EXPECT_EQ(fake.launches[0].application, c.application);
    EXPECT_EQ(fake.launches[0].commandLine, c.exeName);
    EXPECT_EQ(fake.launches[0].currentDirectory, c.current);
    EXPECT_TRUE(fake.launches[0].started) << c.folder;
    EXPECT_EQ(fake.CurrentDirectory(), c.current);
  }
}

TEST(RunProgramTest, VanishedFolderIsIgnored) {
  test::FakePlatform fake;
  fake.PutCurrentDirectory("C:\\");
  RunProgram(fake, "C:\\GONE", "algebra1.exe");
  ASSERT_EQ(fake.launches.size(), 1u);
  EXPECT_EQ(fake.launches[0].application, "C:\\GONE\\algebra1.exe");
  EXPECT_EQ(fake.CurrentDirectory(), "C:\\");
}

TEST(LaunchEntryTest, StartsOnlyInstalledEntries) {
  test::TestLauncher launcher;
  launcher.SetStems({"algebra1", "geometry"});
  launcher.platform.AddFile("C:\\SERIES\\ALGEBR12\\ALGEBRA1.EXE");
  ScanFolder(launcher.context, "C:\\SERIES\\LAUNCH\\..\\", false);

  for (int n : {-1, 0, 2, 3, 51, 99}) LaunchEntry(launcher.context, n);
  EXPECT_TRUE(launcher.platform.launches.empty());

  LaunchEntry(launcher.context, 1);
  LaunchEntry(launcher.context, 1);  // a second click starts a second instance
  ASSERT_EQ(launcher.platform.launches.size(), 2u);
  EXPECT_EQ(launcher.platform.launches[1].application,
            "C:\\SERIES\\LAUNCH\\..\\ALGEBR12\\ALGEBRA1.EXE");
  EXPECT_EQ(launcher.platform.launches[1].commandLine, "ALGEBRA1.EXE");
  EXPECT_EQ(launcher.platform.launches[1].currentDirectory, "C:\\SERIES\\ALGEBR12");
}

TEST(LaunchEntryTest, FolderEndingInATrailByteIsJoinedWithItsFile) {
  test::TestLauncher launcher;
  launcher.SetStems({"prog"});
  launcher.platform.AddFile("C:\\数学\\計算表\\prog.exe");
  ScanFolder(launcher.context, "C:\\数学", false);
  ASSERT_EQ(launcher.state.Result(1).folder, "計算表");
  LaunchEntry(launcher.context, 1);
  ASSERT_EQ(launcher.platform.launches.size(), 1u);
  EXPECT_EQ(launcher.platform.launches[0].application, "C:\\数学\\計算表\\prog.exe");
  EXPECT_TRUE(launcher.platform.launches[0].started);
}

}  // namespace
}  // namespace sorvel
