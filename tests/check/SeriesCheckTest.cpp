// The series checker on the traps a publisher cannot see until a school
// calls. One row per trap: the series as the publisher laid it out, and the
// report the checker must give. In every row the checker must leave the disk
// exactly as it was, and agree with the launcher's own status table.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/Cp932.h"
#include "core/LauncherContext.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "core/check/ReportJson.h"
#include "core/check/SeriesCheck.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/RecordingMessages.h"

namespace sorvel::check {
namespace {

using Lines = std::vector<std::string>;
using test::FakePlatform;

constexpr const char* kHome = "C:\\SERIES\\LAUNCH";
constexpr const char* kCatalogue = "C:\\SERIES\\LAUNCH\\SVLindex.txt";
const std::string kHead = "数学シリーズ\r\n2001/04/01\r\n";
const std::string kSeries = kHead + "代数,ALGEBRA1,1.3,alg\r\n幾何,GEOMETRY,1.1,geo\r\n";
const Lines kBothInstalled = {"1 installed ALGEBR12\\algebra1.exe 1.2 x1",
                              "2 installed GEOMET11\\GEOMETRY.EXE 1.1 x1"};

constexpr std::uint64_t k1979June = 119'415'168'000'000'000ULL;
// 1979-12-31 20:00 UTC: already 1980 in the fake's local time (+9 h).
constexpr std::uint64_t k1979LastEvening = 119'599'920'000'000'000ULL;
constexpr std::uint64_t k2108June = 160'124'256'000'000'000ULL;

// The fake file system, with names that the port cannot spell in CP932.
class SeriesDisk : public FakePlatform {
 public:
  void AddForeign(const std::string& folder, const std::string& spelling, std::uint32_t attributes,
                  Lines files = {}) {
    foreign_.push_back({Key(folder), {spelling, attributes, std::move(files)}});
  }
  std::vector<ForeignEntry> ForeignEntries(const std::string& folder) override {
    std::vector<ForeignEntry> entries;
    for (const auto& [key, entry] : foreign_) {
      if (key == Key(folder)) entries.push_back(entry);
    }
    return entries;
  }

 private:
  std::string Key(const std::string& folder) {
    std::string full = FullPath(folder);
    if (cp932::EndsWithBackslash(full)) full.pop_back();
    return cp932::AsciiLower(full);
  }
  std::vector<std::pair<std::string, ForeignEntry>> foreign_;
};

void Launcher(FakePlatform& disk, const std::string& catalogue) {
  disk.AddFile(kCatalogue, catalogue);
  disk.AddFile("C:\\SERIES\\LAUNCH\\index.htm");
  disk.AddFile("C:\\SERIES\\LAUNCH\\SorvelL.hlp");
  disk.PutCurrentDirectory(kHome);
}

// The series of two programs, installed beside the launcher's folder.
void Series(FakePlatform& disk) {
  Launcher(disk, kSeries);
  disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
}

// Only the first program is installed.
void AlgebraOnly(FakePlatform& disk) {
  Launcher(disk, kSeries);
  disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
}

std::string ManyEntries(int count) {
  std::string text = kHead;
  for (int n = 1; n <= count; ++n)
    text += "単元" + std::to_string(n) + ",P" + std::to_string(n) + ",1.0,k\r\n";
  return text;
}
Lines NotInstalled(int count) {
  Lines lines;
  for (int n = 1; n <= count; ++n) lines.push_back(std::to_string(n) + " notInstalled");
  return lines;
}
Lines Plus(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

// The report in one line per entry and per finding, with what each says.
Lines Summary(const CheckReport& report) {
  Lines lines;
  for (const EntryReport& entry : report.entries) {
    std::string line = std::to_string(entry.number) + " ";
    if (!report.scanned) {
      line += "notChecked";
    } else if (entry.installed) {
      line += "installed " + entry.folder + "\\" + entry.file + " " + entry.version + " x" +
              std::to_string(entry.copies);
    } else {
      line += entry.causes.empty() ? "notInstalled" : "notFound";
    }
    for (const MissCause& cause : entry.causes) {
      line += std::string(" ") + MissReasonName(cause.reason);
      if (cause.reason == MissReason::SameStem) line += " " + std::to_string(cause.otherEntry);
      if (!cause.folder.empty()) line += " " + cause.folder + "\\" + cause.file;
      if (!cause.firstEntry.empty()) line += " first " + cause.firstEntry;
      if (cause.reason == MissReason::SkippedForDate)
        line += cause.datedTooEarly ? " early" : " late";
    }
    lines.push_back(line);
  }
  for (const Finding& finding : report.findings) {
    std::string line = std::string(finding.severity == Severity::Error ? "error " : "warning ") +
                       FindingKindName(finding.kind);
    if (finding.entry) line += " entry " + std::to_string(finding.entry);
    if (finding.line) line += " line " + std::to_string(finding.line);
    if (finding.kind == FindingKind::MalformedLine || finding.count) {
      line += " count " + std::to_string(finding.count);
    }
    if (finding.kind == FindingKind::NotCp932) {
      line += std::string(" ") + EncodingName(finding.encoding);
    }
    if (!finding.text.empty()) line += " [" + finding.text + "]";
    for (const std::string& name : finding.names) line += " " + name;
    lines.push_back(line);
  }
  return lines;
}

struct TrapRow {
  std::string trap{};
  std::function<void(SeriesDisk&)> disk{};
  bool asCdRomRoot = false;
  Lines report{};
  int exitCode = 0;
};

const TrapRow kTrapRows[] = {
    {.trap = "clean series", .disk = Series, .report = kBothInstalled},
    {.trap = "program dated before 1980",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive, k1979June);
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first GEOMETRY.EXE early"},
     .exitCode = 1},
    {.trap = "dated 1979 in UTC but 1980 in local time: the launcher finds it",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive, k1979LastEvening);
         },
     .report = kBothInstalled},
    {.trap = "an old file first in the folder hides the program",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\setup.exe", "", attr::kArchive, k1979June);
           disk.SetOrder("C:\\SERIES\\GEOMET11", {"setup.exe"});
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first setup.exe early"},
     .exitCode = 1},
    {.trap = "program dated after 2107",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive, k2108June);
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first GEOMETRY.EXE late"},
     .exitCode = 1},
    {.trap = "first *.exe entry of the program folder is a sub-folder",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFolder("C:\\SERIES\\GEOMET11\\old.exe");
           disk.SetOrder("C:\\SERIES\\GEOMET11", {"old.exe"});
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForSubFolder GEOMET11\\GEOMETRY.EXE first old.exe"},
     .exitCode = 1},
    {.trap = "a sub-folder after the program does no harm",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFolder("C:\\SERIES\\GEOMET11\\old.exe");
         },
     .report = kBothInstalled},
    {.trap = "hidden program file",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive | attr::kHidden);
         },
     .report = {kBothInstalled[0], "2 notFound hiddenFile GEOMET11\\GEOMETRY.EXE"},
     .exitCode = 1},
    {.trap = "system folder",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFolder("C:\\SERIES\\GEOMET11", attr::kDirectory | attr::kSystem);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
         },
     .report = {kBothInstalled[0], "2 notFound hiddenFolder GEOMET11\\GEOMETRY.EXE"},
     .exitCode = 1},
    {.trap = "folder name outside CP932",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddForeign("C:\\SERIES", "G?OMET11", attr::kDirectory, {"GEOMETRY.EXE", "x.dll"});
         },
     .report = {kBothInstalled[0], "2 notFound folderNameNotCp932 G?OMET11\\GEOMETRY.EXE"},
     .exitCode = 1},
    {.trap = "file name outside CP932 that would match",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\readme.txt");
           disk.AddForeign("C:\\SERIES\\GEOMET11", "geometry.exe", attr::kArchive);
         },
     .report = {kBothInstalled[0], "2 notFound fileNameNotCp932 GEOMET11\\geometry.exe"},
     .exitCode = 1},
    {.trap = "names outside CP932 that match nothing",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddForeign("C:\\SERIES", "?lgebra", attr::kDirectory, {"setup.exe"});
           disk.AddForeign("C:\\SERIES", "?tudes", attr::kDirectory, {"notes.txt"});
           disk.AddForeign("C:\\SERIES\\GEOMET11", "g?om.exe", attr::kArchive);
         },
     .report = Plus(kBothInstalled, {"warning nameNotCp932 [g?om.exe] GEOMET11",
                                     "warning nameNotCp932 [?lgebra]"})},
    {.trap = "executable name cut to 8 bytes, file named in full",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "ドリル,MATHDRILL1,1.0,d\r\n");
           disk.AddFile("C:\\SERIES\\DRILL_10\\MATHDRILL1.EXE");
         },
     .report = Plus(kBothInstalled,
                    {"3 notFound nameCut DRILL_10\\MATHDRILL1.EXE", "warning nameCut entry 3"}),
     .exitCode = 1},
    {.trap = "executable name cut to 8 bytes, file named after the cut",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "ドリル,MATHDRILL1,1.0,d\r\n");
           disk.AddFile("C:\\SERIES\\DRILL_10\\mathdril.exe");
         },
     .report = Plus(kBothInstalled,
                    {"3 installed DRILL_10\\mathdril.exe 1.0 x1", "warning nameCut entry 3"})},
    {.trap = "two names cut to the same 8 bytes",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        kSeries + "ドリル1,MATHDRILL1,1.0,d\r\nドリル2,MathDrill2,1.0,d\r\n");
           disk.AddFile("C:\\SERIES\\DRILL_10\\mathdril.exe");
         },
     .report =
         Plus(kBothInstalled, {"3 installed DRILL_10\\mathdril.exe 1.0 x1", "4 notFound sameStem 3",
                               "warning nameCut entry 3", "warning nameCut entry 4"}),
     .exitCode = 1},
    {.trap = "the same program listed twice",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "幾何 (再),geometry,1.1,geo\r\n");
         },
     .report = Plus(kBothInstalled, {"3 notFound sameStem 2"}),
     .exitCode = 1},
    {.trap = "name cut inside a double-byte character",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "計算,abcdefgけいさん,1.0,k\r\n");
         },
     .report = Plus(kBothInstalled, {"3 notInstalled", "error nameCutInsideCharacter entry 3"}),
     .exitCode = 1},
    {.trap = "two copies: the last in folder order wins",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\ALGEBR10\\ALGEBRA1.EXE");
         },
     .report = {"1 installed ALGEBR12\\algebra1.exe 1.2 x2", kBothInstalled[1],
                "warning severalCopies entry 1 [ALGEBR12] ALGEBR10 ALGEBR12"}},
    {.trap = "folder name without the version's two digits",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMETRY\\GEOMETRY.EXE");
         },
     .report = {kBothInstalled[0], "2 installed GEOMETRY\\GEOMETRY.EXE . x1",
                "warning versionNotInFolderName entry 2 [.]"}},
    {.trap = "malformed lines and a trailing empty line",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kHead +
                                        "代数,ALGEBRA1,1.3,alg\r\nTitle,PROG,1.2\r\n"
                                        "幾何,GEOMETRY,1.1,geo\r\na,b,c,d,\r\n\r\n");
         },
     .report =
         Plus(kBothInstalled, {"error malformedLine line 4 count 3 [Title,PROG,1.2 DATAが不正です]",
                               "error malformedLine line 6 count 5 [a,b,c,d, DATAが不正です]",
                               "error malformedLine line 7 count 0 [ DATAが不正です]"}),
     .exitCode = 1},
    {.trap = "18 entries fill the board",
     .disk = [](SeriesDisk& disk) { Launcher(disk, ManyEntries(18)); },
     .report = Plus(NotInstalled(18), {})},
    {.trap = "19 entries run off the window",
     .disk = [](SeriesDisk& disk) { Launcher(disk, ManyEntries(19)); },
     .report = Plus(NotInstalled(19), {"error tooManyEntries count 19"}),
     .exitCode = 1},
    {.trap = "catalogue in UTF-8 with a byte-order mark",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        "\xEF\xBB\xBF"
                        "Caption\r\n2001\r\nT,algebra1,1.3,a\r\n");
         },
     .report = {kBothInstalled[0], "error notCp932 utf-8-bom"},
     .exitCode = 1},
    {.trap = "catalogue in UTF-8",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           // "数学" and "代数" in UTF-8.
           disk.AddFile(kCatalogue,
                        "\xE6\x95\xB0\xE5\xAD\xA6\r\n2001\r\n"
                        "\xE4\xBB\xA3\xE6\x95\xB0,algebra1,1.3,a\r\n");
         },
     .report = {kBothInstalled[0], "error notCp932 utf-8"},
     .exitCode = 1},
    {.trap = "catalogue in UTF-16: it ends at the first NUL for the launcher",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           const char utf16[] =
               "\xFF\xFE"
               "C\0a\0p\0\r\0\n\0"
               "2\0\r\0\n\0";
           disk.AddFile(kCatalogue, std::string(utf16, sizeof utf16 - 1));
         },
     .report = {"error catalogueTooShort [リストのインデックスが範囲を超えています (1)]",
                "error notCp932 utf-16"},
     .exitCode = 1},
    {.trap = "bytes that are not CP932",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "\x82\x20,abc,1,k\r\n");
         },
     .report = Plus(kBothInstalled, {"3 notInstalled", "error notCp932 line 5 not-cp932"}),
     .exitCode = 1},
    {.trap = "missing catalogue",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove(kCatalogue);
         },
     .report = {"error catalogueMissing [C:\\SERIES\\LAUNCH\\SVLindex.txtがありません]"},
     .exitCode = 1},
    {.trap = "catalogue of one line",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, "Caption only\r\n");
         },
     .report = {"error catalogueTooShort [リストのインデックスが範囲を超えています (1)]"},
     .exitCode = 1},
    {.trap = "catalogue locked by another program",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.InjectError(FakePlatform::Operation::ReadFile, kCatalogue,
                            error::kSharingViolation);
         },
     .report =
         {"error catalogueUnreadable [ファイル C:\\SERIES\\LAUNCH\\SVLindex.txt は開けません.]"},
     .exitCode = 2},
    {.trap = "the programs' folder cannot be entered",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.InjectError(FakePlatform::Operation::ChangeDirectory, "C:\\SERIES",
                            error::kAccessDenied);
         },
     .report =
         {"1 notChecked", "2 notChecked",
          "error scanFailed [ファイルへのアクセスが拒否されました.] C:\\SERIES\\LAUNCH\\..\\"},
     .exitCode = 2},
    {.trap = "root of a CD-ROM",
     .disk =
         [](SeriesDisk& disk) {
           disk.AddDrive('Q', DriveType::CdRom);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\index.htm");
           disk.AddFile("Q:\\SorvelL.hlp");
           disk.AddFile("Q:\\ALGEBR12\\algebra1.exe");
           disk.AddFile("Q:\\GEOMET11\\GEOMETRY.EXE");
           disk.PutCurrentDirectory("Q:\\");
         },
     .report = kBothInstalled},
    {.trap = "disc folder on a hard disk, checked as the root of a CD-ROM",
     .disk =
         [](SeriesDisk& disk) {
           disk.AddFile("C:\\DISC\\SVLindex.txt", kSeries);
           disk.AddFile("C:\\DISC\\index.htm");
           disk.AddFile("C:\\DISC\\SorvelL.hlp");
           disk.AddFile("C:\\DISC\\ALGEBR12\\algebra1.exe");
           disk.AddFile("C:\\DISC\\GEOMET11\\GEOMETRY.EXE");
           disk.PutCurrentDirectory("C:\\DISC");
         },
     .asCdRomRoot = true,
     .report = kBothInstalled},
    {.trap = "programs inside the launcher folder on a hard disk",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\LAUNCH\\GEOMET11\\GEOMETRY.EXE");
         },
     .report = {kBothInstalled[0], "2 notFound insideLauncherFolder GEOMET11\\GEOMETRY.EXE"},
     .exitCode = 1},
    {.trap = "no download page and no help file",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove("C:\\SERIES\\LAUNCH\\index.htm");
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.hlp");
           disk.AddFolder("C:\\SERIES\\LAUNCH\\SorvelL.hlp");
         },
     .report = Plus(kBothInstalled, {"warning indexHtmMissing", "warning helpFileMissing"})},
    {.trap = "a program that is not on the disk",
     .disk = AlgebraOnly,
     .report = {kBothInstalled[0], "2 notInstalled"}},
};

// The launcher's own status table for the same disk: installed or not, the
// folder, and the count of further copies.
Lines LauncherStatus(const TrapRow& row) {
  SeriesDisk disk;
  row.disk(disk);
  test::RecordingMessages messages;
  LauncherState state;
  LauncherContext context{disk, messages, state, nullptr};
  Lines status;
  try {
    LoadCatalogueAtStartUp(context);
    ScanAtStartUp(context);
  } catch (const LauncherError&) {
    return status;
  }
  if (!state.catalogueLoaded) return status;
  for (const StatusRow& cells : BuildStatusRows(state)) {
    status.push_back(cells[4] + " " + cells[6] + " " + cells[5]);
  }
  return status;
}

Lines CheckerStatus(const CheckReport& report) {
  Lines status;
  if (!report.scanned) return status;
  for (const EntryReport& entry : report.entries) {
    status.push_back(entry.installed
                         ? "Free " + entry.folder + " " + std::to_string(entry.copies - 1)
                         : "not installed  ");
  }
  return status;
}

TEST(SeriesCheckTest, EachTrapGetsItsReport) {
  for (const TrapRow& row : kTrapRows) {
    SCOPED_TRACE(row.trap);
    SeriesDisk disk;
    row.disk(disk);
    const std::string before = disk.Snapshot();
    const CheckReport report = CheckSeries(disk, row.asCdRomRoot);
    EXPECT_EQ(Summary(report), row.report);
    EXPECT_EQ(report.ExitCode(), row.exitCode);
    EXPECT_EQ(disk.Snapshot(), before) << "the checker changed the disk";
    if (!row.asCdRomRoot) {
      EXPECT_EQ(CheckerStatus(report), LauncherStatus(row));
    }
  }
}

TEST(SeriesCheckTest, ReportsTheLaunchersFoldersAndCatalogue) {
  SeriesDisk disk;
  Series(disk);
  const CheckReport report = CheckSeries(disk, false);
  EXPECT_EQ(report.homeFolder, "C:\\SERIES\\LAUNCH\\");
  EXPECT_EQ(report.scannedFolder, "C:\\SERIES\\LAUNCH\\..\\");
  EXPECT_EQ(report.layout, Layout::HardDisk);
  EXPECT_EQ(report.caption, "数学シリーズ");
  EXPECT_EQ(report.lastUpdate, "2001/04/01");
  ASSERT_EQ(report.entries.size(), 2u);
  EXPECT_EQ(report.entries[1].exeName, "GEOMETRY");
  EXPECT_EQ(report.entries[1].stem, "geometry");
  EXPECT_EQ(report.entries[1].latestVersion, "1.1");
}

TEST(SeriesCheckTest, ExitCodeFollowsTheWorstFinding) {
  CheckReport report;
  report.scanned = true;
  EXPECT_EQ(report.ExitCode(), 0);
  report.entries.push_back(EntryReport{});  // not installed: a warning
  EXPECT_EQ(report.ExitCode(), 0);
  EXPECT_EQ(report.Warnings(), 1);
  report.entries.back().causes.push_back(MissCause{});
  EXPECT_EQ(report.ExitCode(), 1);
  EXPECT_EQ(report.Errors(), 1);
  report.incomplete = true;
  EXPECT_EQ(report.ExitCode(), 2);
}

}  // namespace
}  // namespace sorvel::check
