#include <gtest/gtest.h>

#include "core/Catalogue.h"
#include "core/FolderListing.h"
#include "core/InstallationScan.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

using Lines = std::vector<std::string>;
using Operation = test::FakePlatform::Operation;
constexpr const char* kStartUpPath = "C:\\SERIES\\LAUNCH\\..\\";

class ScanTest : public ::testing::Test {
 protected:
  ScanTest() {
    fake.AddFile("C:\\SERIES\\LAUNCH\\SVLindex.txt");
    fake.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
    fake.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
    fake.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
    launcher.SetStems({"algebra1", "geometry"});
  }
  void Scan(const std::string& path, bool withIcons = false) {
    ScanFolder(launcher.context, path, withIcons);
  }
  std::string ScanError(const std::string& path) {
    try {
      Scan(path);
    } catch (const InOutError& error) {
      return texts::ErrorText(error);
    }
    return "no error";
  }

  test::TestLauncher launcher;
  test::FakePlatform& fake = launcher.platform;
  LauncherState& state = launcher.state;
};

TEST_F(ScanTest, FindsEachEntryInItsFolder) {
  Scan(kStartUpPath);
  EXPECT_EQ(state.baseFolder, kStartUpPath);
  EXPECT_EQ(state.folderListing.Folder(), "C:\\SERIES");
  EXPECT_EQ(state.folderListing.Names(),
            (Lines{"C:\\", "SERIES", "ALGEBR12", "GEOMET11", "LAUNCH"}));
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
  EXPECT_EQ(state.Result(1).exeName, "algebra1.exe");
  EXPECT_EQ(state.Result(2).folder, "GEOMET11");
  EXPECT_EQ(state.Result(2).exeName, "GEOMETRY.EXE");
  EXPECT_EQ(state.Result(1).matchCount, 1);
  EXPECT_EQ(state.Result(2).matchCount, 1);
  EXPECT_EQ(launcher.listener.calls, (Lines{"installed 1", "installed 2"}));
  // The file listing entered the last program folder.
  EXPECT_EQ(fake.CurrentDirectory(), "C:\\SERIES\\GEOMET11");
  EXPECT_EQ(fake.directoryChanges,
            (Lines{"C:\\SERIES", "C:\\SERIES\\ALGEBR12", "C:\\SERIES\\GEOMET11"}));
}

TEST_F(ScanTest, FolderListingOrderAndFilter) {
  fake.AddFolder("C:\\SERIES\\b_new");
  fake.AddFolder("C:\\SERIES\\Zeta");
  fake.AddFolder("C:\\SERIES\\A_OLD");
  fake.AddFolder("C:\\SERIES\\HIDDEN", attr::kDirectory | attr::kHidden);
  fake.AddFolder("C:\\SERIES\\SYS", attr::kDirectory | attr::kSystem);
  fake.AddFile("C:\\SERIES\\readme.txt");
  fake.AddFile("C:\\SERIES\\setup.exe");
  Scan("C:\\SERIES\\");
  EXPECT_EQ(state.folderListing.Folder(), "C:\\SERIES");
  EXPECT_EQ(state.folderListing.Names(),
            (Lines{"C:\\", "SERIES", "A_OLD", "ALGEBR12", "b_new", "GEOMET11", "LAUNCH", "Zeta"}));
  EXPECT_EQ(state.baseFolder, "C:\\SERIES\\");
}

TEST_F(ScanTest, DriveRootListsNoComponentsAndJoinsWithADoubledBackslash) {
  fake.AddDrive('Q', DriveType::CdRom);
  fake.AddFile("Q:\\GEOMET11\\geometry.exe");
  fake.AddFile("Q:\\SVLindex.txt");
  Scan("Q:\\");
  EXPECT_EQ(state.folderListing.Folder(), "Q:\\");
  EXPECT_EQ(state.folderListing.Names(), (Lines{"Q:\\", "GEOMET11"}));
  EXPECT_EQ(state.Result(2).folder, "GEOMET11");
  EXPECT_EQ(state.Result(2).exeName, "geometry.exe");
  EXPECT_EQ(state.fileListing.Folder(), "Q:\\GEOMET11");
  EXPECT_FALSE(state.IsInstalled(1));
  EXPECT_EQ(launcher.listener.calls, (Lines{"missing 1", "installed 2"}));
}

TEST(FolderListingTest, PathItemsRunFromTheRootAndOpenTheirFolders) {
  const struct {
    std::string folder;
    Lines items, opens;
  } rows[] = {
      {"C:\\SERIES", {"C:\\", "SERIES"}, {"C:\\", "C:\\SERIES"}},
      {"Q:\\", {"Q:\\"}, {"Q:\\"}},
      {"\\\\HOST\\SHARE\\SERIES",
       {"\\\\HOST\\SHARE", "SERIES"},
       {"\\\\HOST\\SHARE\\", "\\\\HOST\\SHARE\\SERIES"}},
  };
  for (const auto& row : rows) {
    Lines opens;
    for (std::size_t i = 0; i < row.items.size(); ++i)
      opens.push_back(PathItemFolder(row.folder, static_cast<int>(i)));
    EXPECT_EQ(PathItems(row.folder), row.items) << row.folder;
    EXPECT_EQ(opens, row.opens) << row.folder;
  }
}

TEST_F(ScanTest, ExecutableSpellingIsKeptAsListed) {
  fake.AddFile("C:\\SERIES\\MIXED\\AlGeBrA1.ExE");
  fake.SetOrder("C:\\SERIES", {"MIXED", "ALGEBR12"});  // the listing sorts, whatever this order
  Scan(kStartUpPath);
  EXPECT_EQ(state.Result(1).folder, "MIXED");
  EXPECT_EQ(state.Result(1).exeName, "AlGeBrA1.ExE");
}

TEST_F(ScanTest, DuplicatesCountAndTheLastFolderWins) {
  fake.AddFile("C:\\SERIES\\B_NEW\\algebra1.exe");
  fake.AddFile("C:\\SERIES\\A_OLD\\ALGEBRA1.EXE");
  Scan(kStartUpPath);
  EXPECT_EQ(state.Result(1).matchCount, 3);
  EXPECT_EQ(state.Result(1).folder, "B_NEW");
  EXPECT_EQ(state.Result(1).exeName, "algebra1.exe");
  // Counters are never cleared by a scan.
  Scan(kStartUpPath);
  EXPECT_EQ(state.Result(1).matchCount, 6);
  EXPECT_EQ(state.Result(2).matchCount, 2);
}

TEST_F(ScanTest, OnlyTheFirstOfTwoEntriesWithTheSameStemIsFound) {
  launcher.SetStems({"algebra1"});
  Scan(kStartUpPath);
  EXPECT_TRUE(state.IsInstalled(1));
  EXPECT_FALSE(state.IsInstalled(3));
  EXPECT_EQ(state.Result(3).matchCount, 0);
}

TEST_F(ScanTest, PathComponentCountsOnlyAsASubFolderOfTheSameName) {
  fake.AddFile("C:\\SERIES\\SERIES\\geometry.exe");
  Scan("C:\\SERIES");
  EXPECT_EQ(state.folderListing.Names(),
            (Lines{"C:\\", "SERIES", "ALGEBR12", "GEOMET11", "LAUNCH", "SERIES"}));
  EXPECT_EQ(state.Result(2).matchCount, 3);  // GEOMET11 once, SERIES twice
  EXPECT_EQ(state.Result(2).folder, "SERIES");
}

TEST(ScanFilterTest, WhatAProgramFolderMustHold) {
  struct File {
    std::string name;
    std::uint32_t attributes;
  };
  const struct {
    const char* label;
    std::vector<File> files;  // in the file system's order
    bool found;
  } cases[] = {
      {"plain", {{"algebra1.exe", attr::kArchive}}, true},
      {"read-only", {{"algebra1.exe", attr::kReadOnly}}, true},
      {"normal", {{"algebra1.exe", attr::kNormal}}, true},
      {"hidden", {{"algebra1.exe", attr::kHidden}}, false},
      {"system", {{"algebra1.exe", attr::kSystem}}, false},
      {"folder", {{"algebra1.exe", attr::kDirectory}}, false},
      {"folder first", {{"aaa.exe", attr::kDirectory}, {"algebra1.exe", attr::kArchive}}, false},
      {"hidden first", {{"zzz.exe", attr::kHidden}, {"algebra1.exe", attr::kArchive}}, true},
      {"longer stem", {{"algebra10.exe", attr::kArchive}}, false},
      {"backup", {{"algebra1.exe.bak", attr::kArchive}, {"algebra1.ex", attr::kArchive}}, false},
      {"other files", {{"readme.txt", attr::kArchive}, {"algebra1.exe", attr::kArchive}}, true},
  };
  for (const auto& c : cases) {
    test::TestLauncher launcher;
    launcher.SetStems({"algebra1"});
    for (const File& file : c.files) {
      if (file.attributes & attr::kDirectory) {
        launcher.platform.AddFolder("C:\\SERIES\\ALGEBR12\\" + file.name, file.attributes);
      } else {
        launcher.platform.AddFile("C:\\SERIES\\ALGEBR12\\" + file.name, "", file.attributes);
      }
    }
    ScanFolder(launcher.context, "C:\\SERIES", false);
    EXPECT_EQ(launcher.state.IsInstalled(1), c.found) << c.label;
    EXPECT_EQ(launcher.state.Result(1).matchCount, c.found ? 1 : 0) << c.label;
    EXPECT_EQ(launcher.listener.calls, Lines{(c.found ? "installed 1" : "missing 1")}) << c.label;
  }
}

TEST_F(ScanTest, EmptyCatalogueStillListsAndSetsTheBaseFolder) {
  test::TestLauncher empty;
  empty.platform.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  ScanFolder(empty.context, "C:\\SERIES", true);
  EXPECT_EQ(empty.state.baseFolder, "C:\\SERIES\\");
  EXPECT_EQ(empty.state.folderListing.Names(), (Lines{"C:\\", "SERIES", "ALGEBR12"}));
  EXPECT_TRUE(empty.listener.calls.empty());
}

TEST_F(ScanTest, ReportsEveryEntryAndLoadsIconsOfInstalledOnes) {
  launcher.SetStems({"missing", "algebra1"});
  Scan(kStartUpPath, true);
  EXPECT_EQ(launcher.listener.calls,
            (Lines{"installed 1", "icon 1", "installed 2", "icon 2", "missing 3", "missing 4"}));

  launcher.context.listener = nullptr;
  Scan("C:\\SERIES", true);
  EXPECT_TRUE(state.IsInstalled(2));
}

TEST_F(ScanTest, NewScanClearsOldResultsButKeepsFoundExe) {
  Scan(kStartUpPath);
  fake.AddDrive('D', DriveType::Fixed);
  fake.AddFile("D:\\GEOM\\geometry.exe");
  Scan("D:\\");
  EXPECT_FALSE(state.IsInstalled(1));
  EXPECT_EQ(state.Result(1).exeName, "algebra1.exe");
  EXPECT_EQ(state.Result(2).folder, "GEOM");
  EXPECT_EQ(state.baseFolder, "D:\\");
}

TEST_F(ScanTest, FolderNamesDifferingInATrailByteAreDifferentFolders) {
  // "ア" is 83 41; 83 61 differs from it only in the case of its trail byte.
  fake.AddFile("C:\\ア\\P\\algebra1.exe");
  fake.AddFile("C:\\\x83\x61\\P\\geometry.exe");
  Scan("C:\\ア");
  EXPECT_TRUE(state.IsInstalled(1));
  Scan("C:\\\x83\x61");
  EXPECT_EQ(state.folderListing.Folder(), "C:\\\x83\x61");
  EXPECT_FALSE(state.IsInstalled(1));
  EXPECT_TRUE(state.IsInstalled(2));
}

TEST_F(ScanTest, FolderThatCannotBeEnteredKeepsThePreviousResults) {
  fake.AddDrive('R', DriveType::CdRom, false);
  fake.AddFolder("C:\\LOCKED");
  fake.AddFolder("C:\\ODD");
  fake.InjectError(Operation::ChangeDirectory, "C:\\LOCKED", error::kAccessDenied);
  fake.InjectError(Operation::ChangeDirectory, "C:\\ODD", error::kPathNotFound);
  Scan(kStartUpPath);
  launcher.listener.calls.clear();

  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {"C:\\MISSING", "ファイルが見つかりません"},
      {"C:\\ODD", "不正なファイル名です"},
      {"C:\\LOCKED\\", "ファイルへのアクセスが拒否されました"},
      {"R:\\", "I/O エラー (21)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanError(c.path), c.error) << c.path;
    EXPECT_EQ(state.baseFolder, kStartUpPath);
    EXPECT_EQ(state.folderListing.Folder(), "C:\\SERIES");
    EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
    EXPECT_EQ(state.Result(2).folder, "GEOMET11");
    EXPECT_EQ(fake.CurrentDirectory(), "C:\\SERIES\\GEOMET11");
    EXPECT_TRUE(launcher.listener.calls.empty());
  }
}

TEST_F(ScanTest, ProgramFolderThatCannotBeEnteredStopsTheScanHalfWay) {
  fake.InjectError(Operation::ChangeDirectory, "C:\\SERIES\\GEOMET11", error::kAccessDenied);
  EXPECT_EQ(ScanError("C:\\SERIES"), "ファイルへのアクセスが拒否されました");
  EXPECT_EQ(state.baseFolder, "C:\\SERIES\\");
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
  EXPECT_FALSE(state.IsInstalled(2));
  EXPECT_TRUE(launcher.listener.calls.empty());
}

TEST_F(ScanTest, UnreadableFoldersArePassedOver) {
  fake.AddFile("C:\\SERIES\\SECRET\\geometry.exe");
  fake.InjectError(Operation::List, "C:\\SERIES\\SECRET", error::kAccessDenied);
  Scan("C:\\SERIES");
  EXPECT_EQ(state.Result(2).folder, "GEOMET11");
  EXPECT_EQ(state.Result(2).matchCount, 1);

  fake.InjectError(Operation::List, "C:\\SERIES", error::kAccessDenied);
  Scan(kStartUpPath);
  EXPECT_EQ(state.folderListing.Names(), (Lines{"C:\\", "SERIES"}));
  EXPECT_TRUE(launcher.messages.messages.empty());
  EXPECT_EQ(launcher.listener.calls,
            (Lines{"installed 1", "installed 2", "missing 1", "missing 2"}));
}

TEST_F(ScanTest, EntriesBeyondFiftyAreFound) {
  std::string catalogue = "Cap\r\nDate\r\n";
  for (int n = 1; n <= 60; ++n) catalogue += "T,PROG" + std::to_string(n) + ",1.0,k\r\n";
  fake.AddFile("C:\\SERIES\\LAUNCH\\SVLindex.txt", catalogue);
  fake.AddFile("C:\\SERIES\\PROG60\\Prog60.exe");
  test::TestLauncher& l = launcher;
  l.state = LauncherState();
  l.state.homeFolder = "C:\\SERIES\\LAUNCH\\";
  ASSERT_TRUE(LoadCatalogue(l.context, kCatalogueFileName));
  Scan(kStartUpPath, true);
  ASSERT_EQ(l.listener.calls.size(), 61u);
  EXPECT_EQ(l.listener.calls.back(), "icon 60");
  EXPECT_EQ(state.Result(60).folder, "PROG60");
  EXPECT_EQ(state.Result(60).matchCount, 1);
}

TEST(MatchExecutableTest, WholeLoweredNameEqualsStemPlusExe) {
  LauncherState state;
  for (const std::string& stem : Lines{"algebra1", "geometry", ExeStemOf("アイ"), " prog"}) {
    test::AddEntry(state, {"", stem, "", ""});
  }
  const struct {
    std::string fileName;
    int entry;
  } cases[] = {
      {"algebra1.exe", 1},   {"ALGEBRA1.EXE", 1},         {"Geometry.Exe", 2}, {"アイ.exe", 3},
      {"algebra10.exe", -1}, {"algebra1.exe.bak", -1},    {"algebra1", -1},    {"prog.exe", -1},
      {" PROG.exe", 4},      {"\x83\x61\x83\x63.EXE", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchExecutable(state, c.fileName), c.entry) << c.fileName;
  }
  // Only the scan counts the matches it records.
  for (int n = 1; n <= state.EntryCount(); ++n) EXPECT_EQ(state.Result(n).matchCount, 0);
}

}  // namespace
}  // namespace sorvel
