// What a launcher on a school disk meets: damaged catalogues, half-copied
// installations, locked folders and missing drives. One row per fault: the
// disk as the launcher finds it, what others do to it while the launcher
// runs, what the user does, and what the user must see and the launcher be
// left with. Nothing may be written to the disk in any row.

#include <gtest/gtest.h>

#include <functional>

#include "core/InstallationScan.h"
#include "core/ProgramLaunch.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "platform/Platform.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

using Lines = std::vector<std::string>;
using test::FakePlatform;
using test::Found;

constexpr const char* kHome = "C:\\SERIES\\LAUNCH";
constexpr const char* kCatalogue = "C:\\SERIES\\LAUNCH\\SVLindex.txt";
constexpr const char* kBase = "C:\\SERIES\\LAUNCH\\..\\";
const std::string kSeries =
    "数学シリーズ\r\n2001/04/01\r\n代数,ALGEBRA1,1.3,alg\r\n幾何,GEOMETRY,1.1,geo\r\n";

// Bytes `from` to `to`, counting up or down.
std::string Bytes(int from, int to) {
  std::string bytes;
  for (int b = from;; b += from < to ? 1 : -1) {
    bytes += static_cast<char>(b);
    if (b == to) return bytes;
  }
}

// 10 MB of text without a line break or a comma.
const std::string kTenMegabyteLine = [] {
  std::string line;
  while (line.size() < 10 * 1024 * 1024) line += "代数 ALGEBRA1 1.3 alg ";
  return line;
}();

void Launcher(FakePlatform& disk, const std::string& home, const std::string& catalogue) {
  disk.AddFile(home + "\\SVLindex.txt", catalogue);
  disk.PutCurrentDirectory(home);
}

// The series installed on a hard disk beside the launcher's folder.
void Series(FakePlatform& disk) {
  Launcher(disk, kHome, kSeries);
  disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
}

// A series of `count` programs, each in a folder of its own.
std::string ManyEntries(int count) {
  std::string text = "数学シリーズ\r\n2001/04/01\r\n";
  for (int n = 1; n <= count; ++n) {
    text += "単元" + std::to_string(n) + ",PROG" + std::to_string(n) + ",1.0,k\r\n";
  }
  return text;
}
void ManySeries(FakePlatform& disk, int count) {
  Launcher(disk, kHome, ManyEntries(count));
  for (int n = 1; n <= count; ++n) {
    disk.AddFile("C:\\SERIES\\UNIT" + std::to_string(1000 + n) + "\\PROG" + std::to_string(n) +
                 ".EXE");
  }
}
Lines ManyFound(int count) {
  Lines found;
  for (int n = 1; n <= count; ++n) {
    found.push_back(std::to_string(n) + " UNIT" + std::to_string(1000 + n) + "\\PROG" +
                    std::to_string(n) + ".EXE");
  }
  return found;
}

struct FaultRow {
  std::string fault{};
  std::function<void(FakePlatform&)> disk{};       // as found at start-up
  std::function<void(FakePlatform&)> meanwhile{};  // done by others after the start-up
  std::string browse{};  // a folder the details command scans after the start-up
  int click = 0;         // the entry whose panel is clicked last
  // What the user sees.
  Lines messages{};
  Lines errors{};
  // What the launcher is left with.
  bool loaded = true;
  std::string caption = "数学シリーズ";
  int entries = 2;
  std::string base = kBase;
  Lines found = {"1 ALGEBR12\\algebra1.exe", "2 GEOMET11\\GEOMETRY.EXE"};  // "n folder\exe"
  bool panelsColoured = true;  // the start-up scan reported every entry to the board
  Lines launches{};            // "application [command line] in current directory"
};

const FaultRow kFaultRows[] = {
    {.fault = "missing catalogue",
     .disk =
         [](FakePlatform& disk) {
           disk.AddFolder(kHome);
           disk.PutCurrentDirectory(kHome);
         },
     .click = 1,
     .messages = {"C:\\SERIES\\LAUNCH\\SVLindex.txtがありません"},
     .loaded = false,
     .caption = "",
     .entries = 0,
     .found = {}},
    {.fault = "catalogue locked by another program",
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.InjectError(FakePlatform::Operation::ReadFile, kCatalogue,
                            error::kSharingViolation);
         },
     .errors = {"ファイル C:\\SERIES\\LAUNCH\\SVLindex.txt は開けません."},
     .loaded = false,
     .caption = "",
     .entries = 0,
     .base = "",
     .found = {},
     .panelsColoured = false},
    {.fault = "empty catalogue",
     .disk = [](FakePlatform& disk) { Launcher(disk, kHome, ""); },
     .errors = {"リストのインデックスが範囲を超えています (0)"},
     .loaded = false,
     .caption = "",
     .entries = 0,
     .base = "",
     .found = {},
     .panelsColoured = false},
    {.fault = "catalogue of one line",
     .disk = [](FakePlatform& disk) { Launcher(disk, kHome, "数学シリーズ\r\n"); },
     .errors = {"リストのインデックスが範囲を超えています (1)"},
     .loaded = false,
     .entries = 0,
     .base = "",
     .found = {},
     .panelsColoured = false},
    {.fault = "binary catalogue",
     .disk =
         [](FakePlatform& disk) {
           Launcher(disk, kHome, Bytes(0x01, 0xFF) + "\r\n" + Bytes(0xFF, 0x01));
         },
     // 0A and 0D end lines, 0D 0A as well; no line holds four fields.
     .messages = {Bytes(0x0E, 0xFF) + " DATAが不正です", Bytes(0xFF, 0x0E) + " DATAが不正です",
                  Bytes(0x0C, 0x0B) + " DATAが不正です", Bytes(0x09, 0x01) + " DATAが不正です"},
     .caption = Bytes(0x01, 0x09),
     .entries = 0,
     .found = {}},
    {.fault = "catalogue cut by a NUL byte",
     .disk =
         [](FakePlatform& disk) {
           Launcher(disk, kHome, kSeries + "統計" + std::string(1, '\0') + ",STATISTI,1.0,sta\r\n");
           disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
           disk.AddFile("C:\\SERIES\\STATIS10\\statisti.exe");
         },
     .click = 1,
     .messages = {"統計 DATAが不正です"},
     .found = {"1 ALGEBR12\\algebra1.exe"},
     .launches = {"C:\\SERIES\\LAUNCH\\..\\ALGEBR12\\algebra1.exe [algebra1.exe] in "
                  "C:\\SERIES\\ALGEBR12"}},
    {.fault = "catalogue of a single 10 MB line",
     .disk = [](FakePlatform& disk) { Launcher(disk, kHome, kTenMegabyteLine); },
     .errors = {"リストのインデックスが範囲を超えています (1)"},
     .loaded = false,
     .caption = kTenMegabyteLine,
     .entries = 0,
     .base = "",
     .found = {},
     .panelsColoured = false},
    {.fault = "program line of 10 MB",
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + kTenMegabyteLine + "\r\n");
         },
     .click = 2,
     .messages = {kTenMegabyteLine + " DATAが不正です"},
     .launches = {"C:\\SERIES\\LAUNCH\\..\\GEOMET11\\GEOMETRY.EXE [GEOMETRY.EXE] in "
                  "C:\\SERIES\\GEOMET11"}},
    {.fault = "60 entries",
     .disk = [](FakePlatform& disk) { ManySeries(disk, 60); },
     .click = 60,
     .entries = 60,
     .found = ManyFound(60),
     .launches = {"C:\\SERIES\\LAUNCH\\..\\UNIT1060\\PROG60.EXE [PROG60.EXE] in "
                  "C:\\SERIES\\UNIT1060"}},
    {.fault = "120 entries",
     .disk = [](FakePlatform& disk) { ManySeries(disk, 120); },
     .click = 120,
     .entries = 120,
     .found = ManyFound(120),
     .launches = {"C:\\SERIES\\LAUNCH\\..\\UNIT1120\\PROG120.EXE [PROG120.EXE] in "
                  "C:\\SERIES\\UNIT1120"}},
    {.fault = "names with 0x5C trail bytes",
     // 表, ソ, 能 and 予 end in the byte of a backslash.
     .disk =
         [](FakePlatform& disk) {
           Launcher(disk, "C:\\数学\\計算表", "表計算\r\n予定\r\n表とグラフ,ソ能表,1.3,表\r\n");
           disk.AddFile("C:\\数学\\予定表12\\ソ能表.exe");
         },
     .click = 1,
     .caption = "表計算",
     .entries = 1,
     .base = "C:\\数学\\計算表\\..\\",
     .found = {"1 予定表12\\ソ能表.exe"},
     .launches = {"C:\\数学\\計算表\\..\\予定表12\\ソ能表.exe [ソ能表.exe] in C:\\数学\\予定表12"}},
    {.fault = "program folder deleted before the click",
     // A hidden copy beside the launcher, in the current folder at the click:
     // a start by bare name would run it.
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\LAUNCH\\algebra1.exe", "", attr::kHidden);
         },
     .meanwhile = [](FakePlatform& disk) { disk.Remove("C:\\SERIES\\ALGEBR12"); },
     .click = 1,
     .launches = {"C:\\SERIES\\LAUNCH\\..\\ALGEBR12\\algebra1.exe [algebra1.exe] in "
                  "C:\\SERIES\\LAUNCH (failed)"}},
    {.fault = "program file replaced by a folder",
     .disk = Series,
     .meanwhile =
         [](FakePlatform& disk) {
           disk.Remove("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
           disk.AddFolder("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
         },
     .click = 2,
     .launches = {"C:\\SERIES\\LAUNCH\\..\\GEOMET11\\GEOMETRY.EXE [GEOMETRY.EXE] in "
                  "C:\\SERIES\\GEOMET11 (failed)"}},
    {.fault = "sub-folder that cannot be searched",
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.InjectError(FakePlatform::Operation::List, "C:\\SERIES\\ALGEBR12",
                            error::kAccessDenied);
         },
     .click = 1,
     .found = {"2 GEOMET11\\GEOMETRY.EXE"}},
    {.fault = "sub-folder that cannot be entered",
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.InjectError(FakePlatform::Operation::ChangeDirectory, "C:\\SERIES\\GEOMET11",
                            error::kAccessDenied);
         },
     .click = 2,
     .errors = {"ファイルへのアクセスが拒否されました."},
     .found = {"1 ALGEBR12\\algebra1.exe"},
     .panelsColoured = false},
    {.fault = "browse to a drive that is not ready",
     .disk =
         [](FakePlatform& disk) {
           Series(disk);
           disk.AddDrive('R', DriveType::CdRom, false);
         },
     .browse = "R:\\",
     .errors = {"I/O エラー (21)"}},
    {.fault = "CD-ROM taken out before the click",
     .disk =
         [](FakePlatform& disk) {
           disk.AddDrive('Q', DriveType::CdRom, true, "SERIES");
           Launcher(disk, "Q:\\", kSeries);
           disk.AddFile("Q:\\ALGEBR12\\algebra1.exe");
         },
     .meanwhile = [](FakePlatform& disk) { disk.AddDrive('Q', DriveType::CdRom, false); },
     .click = 1,
     .base = "Q:\\",
     .found = {"1 ALGEBR12\\algebra1.exe"},
     .launches = {"Q:\\ALGEBR12\\algebra1.exe [algebra1.exe] in Q:\\ALGEBR12 (failed)"}},
};

Lines Launches(const FakePlatform& disk) {
  Lines launches;
  for (const test::LaunchRecord& record : disk.launches) {
    launches.push_back(record.application + " [" + record.commandLine + "] in " +
                       record.currentDirectory + (record.started ? "" : " (failed)"));
  }
  return launches;
}

// Long texts (the 10 MB rows) are compared whole but shown cut.
std::string Shown(const Lines& lines) {
  std::string shown;
  for (const std::string& line : lines) {
    shown +=
        (line.size() > 200 ? line.substr(0, 200) + "... (" + std::to_string(line.size()) + " bytes)"
                           : line) +
        "\n";
  }
  return shown;
}

TEST(FaultTableTest, EachFaultGetsItsMessageAndLeavesTheDiskAlone) {
  for (const FaultRow& row : kFaultRows) {
    SCOPED_TRACE(row.fault);
    test::TestLauncher launcher;
    FakePlatform& disk = launcher.platform;
    LauncherState& state = launcher.state;
    row.disk(disk);
    std::string untouched = disk.Snapshot();

    launcher.StartUp();
    const std::size_t reported = launcher.listener.calls.size();
    EXPECT_EQ(reported, row.panelsColoured ? static_cast<std::size_t>(row.entries) : 0u);
    if (row.meanwhile) {
      row.meanwhile(disk);
      untouched = disk.Snapshot();
    }
    if (!row.browse.empty()) {
      const bool scanned = launcher.AsEventHandler([&] {
        state.ClearMatchCounts();
        ScanFolder(launcher.context, row.browse, false);
      });
      // A scan that failed recolours no panel.
      if (!scanned) {
        EXPECT_EQ(launcher.listener.calls.size(), reported);
      }
    }
    if (row.click != 0) {
      launcher.AsEventHandler([&] { LaunchEntry(launcher.context, row.click); });
    }

    EXPECT_TRUE(launcher.messages.messages == row.messages)
        << Shown(launcher.messages.messages) << "expected\n"
        << Shown(row.messages);
    EXPECT_EQ(launcher.messages.errors, row.errors);
    EXPECT_EQ(state.catalogueLoaded, row.loaded);
    EXPECT_TRUE(state.caption == row.caption) << Shown({state.caption});
    EXPECT_EQ(state.EntryCount(), row.entries);
    EXPECT_EQ(state.baseFolder, row.base);
    EXPECT_EQ(Found(state), row.found);
    EXPECT_EQ(BuildStatusRows(state).size(), static_cast<std::size_t>(row.entries));
    EXPECT_EQ(Launches(disk), row.launches);
    EXPECT_TRUE(disk.Snapshot() == untouched) << "the disk was written to";
  }
}

}  // namespace
}  // namespace sorvel
