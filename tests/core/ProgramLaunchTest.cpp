#include <gtest/gtest.h>

#include "core/InstallationScan.h"
#include "core/ProgramLaunch.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

TEST(RunProgramTest, StartsTheFoundFileInItsFolderUnderItsBareName) {
  test::FakePlatform fake;
  fake.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  fake.AddFile("C:\\SERIES\\LAUNCH\\algebra1.exe");  // beside the launcher: not this one
  fake.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
  RunProgram(fake, "C:\\SERIES\\LAUNCH\\..\\ALGEBR12", "algebra1.exe");
  ASSERT_EQ(fake.launches.size(), 1u);
  EXPECT_EQ(fake.launches[0].application, "C:\\SERIES\\LAUNCH\\..\\ALGEBR12\\algebra1.exe");
  EXPECT_EQ(fake.launches[0].commandLine, "algebra1.exe");
  EXPECT_EQ(fake.launches[0].currentDirectory, "C:\\SERIES\\ALGEBR12");
  EXPECT_EQ(fake.CurrentDirectory(), "C:\\SERIES\\ALGEBR12");
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

}  // namespace
}  // namespace sorvel
