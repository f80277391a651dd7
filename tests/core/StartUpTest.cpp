#include <gtest/gtest.h>

#include "core/HelpFile.h"
#include "core/StartUp.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

using Lines = std::vector<std::string>;
const std::string kCatalogue = "数学シリーズ\r\n2001/04/01\r\n代数,ALGEBRA1,1.3,alg\r\n";

// The help command's file: the newest form first on this computer, the plain
// page first on a share, where HTML Help shows no page.
TEST(ChooseHelpTest, OpensTheFirstHelpFileInTheOrderForWhereTheHomeFolderLies) {
  using enum HelpViewer;
  const std::vector<std::string> all = {"SorvelL.chm", "SorvelL.htm", "SorvelL.hlp"};
  const struct {
    const char* why;
    std::string home;
    std::vector<std::string> files;
    HelpToOpen help;
  } cases[] = {
      {"all three", "C:\\S\\L\\", all, {"C:\\S\\L\\SorvelL.chm", HtmlHelp}},
      {"no chm", "C:\\S\\L\\", {"SorvelL.htm", "SorvelL.hlp"}, {"C:\\S\\L\\SorvelL.htm", Shell}},
      {"hlp beside chm",
       "C:\\S\\L\\",
       {"SorvelL.hlp", "SorvelL.chm"},
       {"C:\\S\\L\\SorvelL.chm", HtmlHelp}},
      {"hlp alone", "C:\\S\\L\\", {"SorvelL.hlp"}, {"SorvelL.hlp", WinHelp}},
      {"none", "C:\\S\\L\\", {}, {"SorvelL.hlp", WinHelp}},
      {"chm a folder", "C:\\S\\L\\", {"SorvelL.chm\\"}, {"SorvelL.hlp", WinHelp}},
      {"CD-ROM", "Q:\\", all, {"Q:\\SorvelL.chm", HtmlHelp}},
      {"network drive", "N:\\S\\L\\", all, {"N:\\S\\L\\SorvelL.htm", Shell}},
      {"network root", "N:\\", all, {"N:\\SorvelL.htm", Shell}},
      {"network, chm alone",
       "N:\\S\\L\\",
       {"SorvelL.chm", "SorvelL.hlp"},
       {"N:\\S\\L\\SorvelL.chm", HtmlHelp}},
      {"network, hlp alone", "N:\\S\\L\\", {"SorvelL.hlp"}, {"SorvelL.hlp", WinHelp}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    test::FakePlatform fake;
    fake.AddDrive('Q', DriveType::CdRom);
    fake.AddDrive('N', DriveType::Remote);
    fake.AddFolder(c.home);
    for (const std::string& file : c.files) {
      if (file.back() == '\\') {
        fake.AddFolder(c.home + file);
      } else {
        fake.AddFile(c.home + file);
      }
    }
    fake.PutCurrentDirectory("C:\\");
    EXPECT_EQ(ChooseHelp(fake, c.home), c.help);
  }
  test::FakePlatform fake;
  fake.AddDrive('N', DriveType::Remote);
  EXPECT_TRUE(OnNetwork(fake, "\\\\SERVER\\SHARE\\L\\"));
  EXPECT_TRUE(OnNetwork(fake, "n:\\"));
  EXPECT_FALSE(OnNetwork(fake, "C:\\L\\"));
}

TEST(InitHomeFolderTest, AppendsABackslashWhenMissing) {
  const std::string longFolder = "C:\\" + std::string(300, 'D') + "\\計算表";
  const struct {
    std::string current;
    std::string home;
  } cases[] = {
      {"C:\\", "C:\\"},
      {"C:\\SERIES\\LAUNCH", "C:\\SERIES\\LAUNCH\\"},
      {"C:\\計算表", "C:\\計算表\\"},
      {"C:\\ソ", "C:\\ソ\\"},
      {longFolder, longFolder + "\\"},
      {"C:\\\xFA\x5C", "C:\\\xFA\x5C\\"},  // FA is a lead byte: its 5C is no separator
  };
  for (const auto& c : cases) {
    test::FakePlatform fake;
    fake.AddFolder(c.current);
    fake.PutCurrentDirectory(c.current);
    EXPECT_EQ(InitHomeFolder(fake), c.home);
  }
}

TEST(IsCdRomRootTest, OnlyTheRootOfACdRomCounts) {
  test::FakePlatform fake;
  fake.AddDrive('Q', DriveType::CdRom);
  fake.AddDrive('R', DriveType::CdRom, false);
  EXPECT_TRUE(IsCdRomRoot(fake, "Q:\\"));
  EXPECT_TRUE(IsCdRomRoot(fake, "R:\\"));
  EXPECT_FALSE(IsCdRomRoot(fake, "Q:\\LAUNCH\\"));
  EXPECT_FALSE(IsCdRomRoot(fake, "C:\\"));
  EXPECT_FALSE(IsCdRomRoot(fake, "Z:\\"));
}

class StartUpTest : public ::testing::Test {
 protected:
  void Install(const std::string& home, const std::string& catalogue = kCatalogue) {
    launcher.platform.AddFolder(home);
    launcher.platform.PutCurrentDirectory(home);
    launcher.platform.AddFile(home + "\\SVLindex.txt", catalogue);
  }
  void Start() {
    launcher.StartUp([this] { entriesOnBoard = launcher.state.EntryCount(); });
  }

  test::TestLauncher launcher;
  LauncherState& state = launcher.state;
  int entriesOnBoard = -1;  // -1: the board was not built
};

TEST_F(StartUpTest, HardDiskScansTheParentOfTheHomeFolder) {
  Install("C:\\SERIES\\LAUNCH");
  launcher.platform.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  Start();
  EXPECT_TRUE(launcher.messages.messages.empty());
  EXPECT_TRUE(launcher.messages.errors.empty());
  EXPECT_TRUE(state.catalogueLoaded);
  EXPECT_EQ(entriesOnBoard, 1);
  EXPECT_EQ(state.homeFolder, "C:\\SERIES\\LAUNCH\\");
  EXPECT_FALSE(state.fromCdRom);
  EXPECT_EQ(state.baseFolder, "C:\\SERIES\\LAUNCH\\..\\");
  EXPECT_EQ(state.folderListing.Folder(), "C:\\SERIES");
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
  EXPECT_EQ(launcher.listener.calls, Lines{"installed 1"});
}

// Schools copy a disc into a folder: the launcher's own folder then holds
// the programs, as the disc's root did. Whatever lies beside the launcher
// comes first, and a launcher's folder that holds no program changes nothing.
TEST(CopiedDiscTest, TheLaunchersFolderIsTheSeriesOnlyWhenNothingLiesBesideIt) {
  const std::string kTwo = kCatalogue + "図形,GEOMETRY,1.1,geo\r\n";
  const struct {
    const char* what;
    std::string home;
    Lines programs;
    bool copiedDisc;
    std::string baseFolder;
    Lines found;                   // the found folder of each entry
    std::string currentDirectory;  // after the start-up
  } cases[] = {
      {"copied disc",
       "C:\\SUGAKU",
       {"C:\\SUGAKU\\ALGEBR12\\algebra1.exe"},
       true,
       "C:\\SUGAKU\\",
       {"ALGEBR12", ""},
       "C:\\SUGAKU\\ALGEBR12"},
      {"beside comes first",
       "C:\\SERIES\\LAUNCH",
       {"C:\\SERIES\\GEOMET11\\geometry.exe", "C:\\SERIES\\LAUNCH\\ALGEBR12\\algebra1.exe"},
       false,
       "C:\\SERIES\\LAUNCH\\..\\",
       {"", "GEOMET11"},
       "C:\\SERIES\\GEOMET11"},
      {"nowhere",
       "C:\\SERIES\\LAUNCH",
       {"C:\\SERIES\\TOOLS\\tool.exe", "C:\\SERIES\\LAUNCH\\OLD\\tool.exe"},
       false,
       "C:\\SERIES\\LAUNCH\\..\\",
       {"", ""},
       "C:\\SERIES\\TOOLS"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestLauncher launcher;
    for (const std::string& program : c.programs) launcher.platform.AddFile(program);
    launcher.platform.AddFile(c.home + "\\SVLindex.txt", kTwo);
    launcher.platform.PutCurrentDirectory(c.home);
    launcher.StartUp();
    const LauncherState& state = launcher.state;
    EXPECT_TRUE(launcher.messages.errors.empty());
    EXPECT_EQ(state.copiedDisc, c.copiedDisc);
    EXPECT_EQ(state.baseFolder, c.baseFolder);
    EXPECT_EQ((Lines{state.Result(1).folder, state.Result(2).folder}), c.found);
    EXPECT_EQ(launcher.platform.CurrentDirectory(), c.currentDirectory);
    // The chooser opens, and the menu toggle scans, where the first scan found the series.
    EXPECT_EQ(SeriesFolder(state), c.baseFolder);
  }
}

TEST_F(StartUpTest, CdRomRootScansTheRootAndASubFolderItsParent) {
  launcher.platform.AddDrive('Q', DriveType::CdRom);
  launcher.platform.AddFile("Q:\\ALGEBR12\\algebra1.exe");
  Install("Q:\\");
  Start();
  EXPECT_TRUE(state.fromCdRom);
  EXPECT_EQ(state.homeFolder, "Q:\\");
  EXPECT_EQ(state.baseFolder, "Q:\\");
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");

  test::TestLauncher below;
  below.platform.AddDrive('Q', DriveType::CdRom);
  below.platform.AddFile("Q:\\LAUNCH\\SVLindex.txt", kCatalogue);
  below.platform.AddFile("Q:\\ALGEBR12\\algebra1.exe");
  below.platform.PutCurrentDirectory("Q:\\LAUNCH");
  below.StartUp();
  EXPECT_FALSE(below.state.fromCdRom);
  EXPECT_EQ(below.state.baseFolder, "Q:\\LAUNCH\\..\\");
  EXPECT_EQ(below.state.Result(1).folder, "ALGEBR12");
}

TEST_F(StartUpTest, MissingCatalogueGivesOneMessageAndTheStepsGoOn) {
  launcher.platform.AddFolder("C:\\SERIES\\LAUNCH");
  launcher.platform.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
  Start();
  EXPECT_EQ(launcher.messages.messages, Lines{"C:\\SERIES\\LAUNCH\\SVLindex.txtがありません"});
  EXPECT_TRUE(launcher.messages.errors.empty());
  EXPECT_FALSE(state.catalogueLoaded);
  EXPECT_EQ(entriesOnBoard, 0);
  EXPECT_EQ(state.caption, "");
  EXPECT_EQ(state.baseFolder, "C:\\SERIES\\LAUNCH\\..\\");
}

TEST_F(StartUpTest, CatalogueErrorsEndTheStepsInTheErrorBox) {
  const struct {
    std::string catalogue;
    bool locked;
    std::string error;
  } cases[] = {
      {kCatalogue, true, "ファイル C:\\SERIES\\LAUNCH\\SVLindex.txt は開けません."},
      {"", false, "リストのインデックスが範囲を超えています (0)"},
      {"数学シリーズ", false, "リストのインデックスが範囲を超えています (1)"},
  };
  for (const auto& c : cases) {
    test::TestLauncher fresh;
    fresh.platform.AddFile("C:\\SERIES\\LAUNCH\\SVLindex.txt", c.catalogue);
    fresh.platform.PutCurrentDirectory("C:\\SERIES\\LAUNCH");
    if (c.locked) {
      fresh.platform.InjectError(test::FakePlatform::Operation::ReadFile,
                                 "C:\\SERIES\\LAUNCH\\SVLindex.txt", error::kSharingViolation);
    }
    bool boardBuilt = false;
    fresh.StartUp([&boardBuilt] { boardBuilt = true; });
    EXPECT_EQ(fresh.messages.errors, Lines{c.error});
    EXPECT_TRUE(fresh.messages.messages.empty());
    EXPECT_FALSE(fresh.state.catalogueLoaded);
    EXPECT_FALSE(boardBuilt);
    EXPECT_EQ(fresh.state.baseFolder, "");
  }
}

TEST_F(StartUpTest, HomeFolderWithoutAUsableNameEndsInTheErrorBoxAndReadsNothing) {
  Install("C:\\SERIES\\LAUNCH");
  // What the drive's root holds must not be taken for the launcher's.
  launcher.platform.AddFile("C:\\SVLindex.txt", kCatalogue);
  launcher.platform.AddFile("C:\\ALGEBR12\\algebra1.exe");
  launcher.platform.MakeCurrentDirectoryUnnamed();
  Start();
  EXPECT_EQ(launcher.messages.errors, Lines{"現在のフォルダ名に扱えない文字があります."});
  EXPECT_TRUE(launcher.messages.messages.empty());
  EXPECT_FALSE(state.catalogueLoaded);
  EXPECT_EQ(entriesOnBoard, -1);
  EXPECT_EQ(state.homeFolder, "");
  EXPECT_EQ(state.baseFolder, "");
  EXPECT_TRUE(launcher.listener.calls.empty());
  EXPECT_TRUE(launcher.platform.probes.empty());
  EXPECT_TRUE(launcher.platform.listings.empty());
  EXPECT_TRUE(launcher.platform.directoryChanges.empty());
}

TEST_F(StartUpTest, ScanErrorLeavesTheCatalogueLoaded) {
  Install("C:\\SERIES\\LAUNCH");
  launcher.platform.InjectError(test::FakePlatform::Operation::ChangeDirectory, "C:\\SERIES",
                                error::kAccessDenied);
  Start();
  EXPECT_EQ(launcher.messages.errors, Lines{"ファイルへのアクセスが拒否されました."});
  EXPECT_TRUE(state.catalogueLoaded);
  EXPECT_EQ(entriesOnBoard, 1);
  EXPECT_TRUE(launcher.listener.calls.empty());
}

TEST_F(StartUpTest, HomeFolderEndingInATrailByteFindsItsCatalogue) {
  Install("C:\\数学\\計算表");
  launcher.platform.AddFile("C:\\数学\\ALGEBR12\\algebra1.exe");
  Start();
  EXPECT_TRUE(launcher.messages.messages.empty());
  EXPECT_EQ(state.homeFolder, "C:\\数学\\計算表\\");
  EXPECT_TRUE(state.catalogueLoaded);
  EXPECT_EQ(state.folderListing.Folder(), "C:\\数学");
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
}

TEST_F(StartUpTest, LongCurrentDirectoryIsReadWhole) {
  const std::string home = "C:\\" + std::string(200, 'S') + "\\" + std::string(200, 'L');
  Install(home);
  launcher.platform.AddFile("C:\\" + std::string(200, 'S') + "\\ALGEBR12\\algebra1.exe");
  Start();
  EXPECT_TRUE(launcher.messages.messages.empty());
  EXPECT_EQ(state.homeFolder, home + "\\");
  EXPECT_TRUE(state.catalogueLoaded);
  EXPECT_EQ(state.Result(1).folder, "ALGEBR12");
}

}  // namespace
}  // namespace sorvel
