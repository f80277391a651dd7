// The scan's two listings are kept from one scan to the next and read again
// only when their folder changed: what a second scan reads, where it moves
// the current directory, and what it finds, on a hard disk, on a FAT drive
// whose folders keep their times, and on a CD-ROM, with the same disc or
// another.
#include <gtest/gtest.h>

#include <functional>

#include "core/InstallationScan.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

using Lines = std::vector<std::string>;
using test::Found;
constexpr const char* kStartUpPath = "C:\\SERIES\\LAUNCH\\..\\";

using Disk = std::function<void(test::FakePlatform&)>;

// Two scans of X:\SERIES, whose ALGEBR12 holds algebra1.exe and setup.exe
// (which keeps it among the folders holding programs when algebra1 goes),
// with a change in between; what the second scan did and found.
struct ListingRow {
  std::string change;
  char drive = 'C';  // C: NTFS-like, D: FAT-like, Q: CD-ROM
  std::string first = "C:\\SERIES";
  std::string again = "C:\\SERIES";
  Disk meanwhile = [](test::FakePlatform&) {};
  Lines listed{};   // what the second scan listed
  Lines entered{};  // where it moved the current directory
  Lines found = {"1 ALGEBR12\\algebra1.exe"};
};

const ListingRow kListingRows[] = {
    {.change = "none", .first = kStartUpPath},
    {.change = "none, the same folders spelled in another case",
     .first = kStartUpPath,
     .again = "c:\\series\\launch\\..\\",
     .listed = {"c:\\series\\*"},
     .entered = {"c:\\series"}},
    {.change = "none, the base folder spelled in another case",
     .first = "C:\\SERIES",
     .again = "c:\\series"},
    {.change = "program installed",
     .meanwhile =
         [](test::FakePlatform& disk) { disk.AddFile("C:\\SERIES\\GEOMET11\\geometry.exe"); },
     .listed = {"C:\\SERIES\\*", "C:\\SERIES\\GEOMET11\\*.exe"},
     .entered = {"C:\\SERIES", "C:\\SERIES\\GEOMET11"},
     .found = {"1 ALGEBR12\\algebra1.exe", "2 GEOMET11\\geometry.exe"}},
    {.change = "program added beside another",
     .meanwhile =
         [](test::FakePlatform& disk) { disk.AddFile("C:\\SERIES\\ALGEBR12\\geometry.exe"); },
     .listed = {"C:\\SERIES\\ALGEBR12\\*.exe"},
     .entered = {"C:\\SERIES\\ALGEBR12"},
     .found = {"1 ALGEBR12\\algebra1.exe", "2 ALGEBR12\\geometry.exe"}},
    {.change = "program removed from beside another",
     .meanwhile =
         [](test::FakePlatform& disk) { disk.Remove("C:\\SERIES\\ALGEBR12\\algebra1.exe"); },
     .listed = {"C:\\SERIES\\ALGEBR12\\*.exe"},
     .entered = {"C:\\SERIES\\ALGEBR12"},
     .found = {}},
    {.change = "FAT: program installed",
     .drive = 'D',
     .first = "D:\\SERIES",
     .again = "D:\\SERIES",
     .meanwhile =
         [](test::FakePlatform& disk) { disk.AddFile("D:\\SERIES\\GEOMET11\\geometry.exe"); },
     .listed = {"D:\\SERIES\\*", "D:\\SERIES\\GEOMET11\\*.exe"},
     .entered = {"D:\\SERIES", "D:\\SERIES\\GEOMET11"},
     .found = {"1 ALGEBR12\\algebra1.exe", "2 GEOMET11\\geometry.exe"}},
    {.change = "FAT: program folder renamed",
     .drive = 'D',
     .first = "D:\\SERIES",
     .again = "D:\\SERIES",
     .meanwhile =
         [](test::FakePlatform& disk) {
           disk.Remove("D:\\SERIES\\ALGEBR12");
           disk.AddFile("D:\\SERIES\\ALGEBR13\\algebra1.exe");
         },
     .listed = {"D:\\SERIES\\*", "D:\\SERIES\\ALGEBR13\\*.exe"},
     .entered = {"D:\\SERIES", "D:\\SERIES\\ALGEBR13"},
     .found = {"1 ALGEBR13\\algebra1.exe"}},
    // Nothing is read twice, and no folder of the CD-ROM is even stamped.
    {.change = "CD-ROM", .drive = 'Q', .first = "Q:\\SERIES", .again = "Q:\\SERIES"},
    {.change = "CD-ROM: another disc put in, made from the same files",
     .drive = 'Q',
     .first = "Q:\\SERIES",
     .again = "Q:\\SERIES",
     .meanwhile = [](test::FakePlatform& disk) { disk.SetVolumeSerial('Q', 2); },
     .listed = {"Q:\\SERIES\\*", "Q:\\SERIES\\ALGEBR12\\*.exe"},
     .entered = {"Q:\\SERIES", "Q:\\SERIES\\ALGEBR12"}},
};

TEST(ListingCacheTest, ListingsAreReadAgainOnlyWhenTheirFolderChanged) {
  for (const ListingRow& row : kListingRows) {
    SCOPED_TRACE(row.change);
    test::TestLauncher launcher;
    test::FakePlatform& disk = launcher.platform;
    disk.AddDrive('D', DriveType::Fixed);
    disk.KeepFolderTimes('D');
    disk.AddDrive('Q', DriveType::CdRom);
    const std::string series = std::string(1, row.drive) + ":\\SERIES";
    disk.AddFile(series + "\\ALGEBR12\\algebra1.exe");
    disk.AddFile(series + "\\ALGEBR12\\setup.exe");
    disk.AddFolder(series + "\\LAUNCH");
    launcher.SetStems({"algebra1", "geometry"});
    ScanFolder(launcher.context, row.first, false);
    // The drive's type is asked once per scan, not once per program folder.
    EXPECT_EQ(disk.driveQueries, Lines{std::string(1, row.drive) + ":\\"});
    // A folder on a CD-ROM is read once, without even a stamp.
    EXPECT_EQ(disk.stamps.empty(), row.drive == 'Q');
    row.meanwhile(disk);
    disk.PutCurrentDirectory("C:\\");
    disk.listings.clear();
    disk.directoryChanges.clear();
    disk.stamps.clear();

    ScanFolder(launcher.context, row.again, false);
    EXPECT_EQ(disk.listings, row.listed);
    EXPECT_EQ(disk.directoryChanges, row.entered);
    if (row.entered.empty()) {
      EXPECT_EQ(disk.CurrentDirectory(), "C:\\");
    }
    EXPECT_EQ(disk.stamps.empty(), row.drive == 'Q');
    EXPECT_EQ(Found(launcher.state), row.found);
  }
}

TEST(ListingCacheTest, OnlyTheListingThatOutlivesTheScanIsStamped) {
  // The scan keeps one folder's executables: those of its last program
  // folder. The others are replaced within the scan, so their folders are
  // not stamped, and every scan reads them again.
  test::TestLauncher launcher;
  test::FakePlatform& disk = launcher.platform;
  for (const char* file :
       {"ALGEBR12\\algebra1.exe", "GEOMET11\\geometry.exe", "STATIS10\\statis.exe"})
    disk.AddFile(std::string("C:\\SERIES\\") + file);
  launcher.SetStems({"algebra1", "geometry", "statis"});
  const Lines programs = {"C:\\SERIES\\ALGEBR12", "C:\\SERIES\\GEOMET11", "C:\\SERIES\\STATIS10"};
  // The others' executables are those read when their folders were judged:
  // only the kept listing reads its folder again, once it is stamped.
  const struct {
    const char* scan;
    Lines entered;
    Lines listed;
  } scans[] = {{"first",
                {"C:\\SERIES", programs[0], programs[1], programs[2]},
                {"C:\\SERIES\\*", programs[2] + "\\*.exe"}},
               {"again, the base folder's listing kept", programs, {programs[2] + "\\*.exe"}}};
  for (const auto& scan : scans) {
    SCOPED_TRACE(scan.scan);
    disk.stamps.clear();
    disk.directoryChanges.clear();
    disk.listings.clear();
    ScanFolder(launcher.context, "C:\\SERIES", false);
    EXPECT_EQ(disk.stamps, (Lines{"C:\\SERIES", programs[2]}));
    EXPECT_EQ(disk.directoryChanges, scan.entered);
    EXPECT_EQ(disk.listings, scan.listed);
    EXPECT_EQ(Found(launcher.state), (Lines{"1 ALGEBR12\\algebra1.exe", "2 GEOMET11\\geometry.exe",
                                            "3 STATIS10\\statis.exe"}));
  }
}

TEST(ListingCacheTest, EveryScanReportsEveryEntryAndClearsItsResultsWithOrWithoutAListener) {
  // The board's markers start afresh with every report, so every scan that
  // completes reports every entry, whether or not its listings were read
  // again; a scan with no board attached still clears and refills what
  // the launcher found.
  const struct {
    std::string path;
    bool withIcons;
    Lines reported;
  } scans[] = {
      {kStartUpPath, false, {"installed 1", "missing 2"}},
      {"C:\\SERIES", false, {"installed 1", "missing 2"}},  // listings kept
      {"C:\\SERIES", true, {"installed 1", "icon 1", "missing 2"}},
      {"C:\\SERIES\\LAUNCH", false, {"missing 1", "missing 2"}},
      {"C:\\SERIES\\LAUNCH", true, {"missing 1", "missing 2"}},  // listings kept
      {kStartUpPath, true, {"installed 1", "icon 1", "missing 2"}},
  };
  test::TestLauncher listened, alone;
  for (test::TestLauncher* launcher : {&listened, &alone}) {
    launcher->platform.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
    launcher->platform.AddFolder("C:\\SERIES\\LAUNCH");
    launcher->SetStems({"algebra1", "geometry"});
  }
  alone.context.listener = nullptr;
  for (const auto& scan : scans) {
    SCOPED_TRACE(scan.path + (scan.withIcons ? " with icons" : ""));
    listened.listener.calls.clear();
    ScanFolder(listened.context, scan.path, scan.withIcons);
    ScanFolder(alone.context, scan.path, scan.withIcons);
    EXPECT_EQ(listened.listener.calls, scan.reported);
    EXPECT_EQ(Found(alone.state), Found(listened.state));
    EXPECT_EQ(alone.state.baseFolder, listened.state.baseFolder);
  }
}

}  // namespace
}  // namespace sorvel
