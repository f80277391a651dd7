// The series checker on what a publisher wrote in the catalogue and left in
// the launcher folder: names, lines, encodings, the number of titles. One row
// per trap, with the report the checker must give.

#include <gtest/gtest.h>

#include "check/SeriesCheck.h"
#include "tests/check/TrapTable.h"
#include "tests/support/UnicodeBytes.h"

namespace sorvel::check::test {
namespace {

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

const TrapRow kCatalogueTraps[] = {
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
    {.trap = "executable name of 9 bytes: one too many, so it is cut",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "ドリル,MATHDRILL,1.0,d\r\n");
           disk.AddFile("C:\\SERIES\\DRILL_10\\MATHDRILL.EXE");
         },
     .report = Plus(kBothInstalled,
                    {"3 notFound nameCut DRILL_10\\MATHDRILL.EXE", "warning nameCut entry 3"}),
     .exitCode = 1},
    {.trap = "executable name of exactly 8 bytes is kept whole",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries + "ドリル,MATHDRIL,1.0,d\r\n");
           disk.AddFile("C:\\SERIES\\DRILL_10\\MATHDRIL.EXE");
         },
     .report = Plus(kBothInstalled, {"3 installed DRILL_10\\MATHDRIL.EXE 1.0 x1"})},
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
    {.trap = "a box shown before the program lines shifts none of their messages",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kHead +
                                        "代数,ALGEBRA1,1.3,alg\r\nTitle,PROG,1.2\r\n"
                                        "幾何,GEOMETRY,1.1,geo\r\n");
         },
     .report = Plus(kBothInstalled,
                    {"error malformedLine line 4 count 3 [Title,PROG,1.2 DATAが不正です]"}),
     .exitCode = 1,
     .shownBefore = {"起動しました"}},
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
     .report = {"encoding utf-8-bom", kBothInstalled[0]}},
    {.trap = "catalogue in UTF-8",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        sorvel::test::Utf8(u8"数学\r\n2001\r\n代数,algebra1,1.3,a\r\n"));
         },
     .report = {"encoding utf-8", kBothInstalled[0]}},
    {.trap = "catalogue in UTF-16",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, sorvel::test::Utf16(u"Cap\r\n2\r\n幾何,GEOMETRY,1.1,g", true));
         },
     .report = {"encoding utf-16", "1 installed GEOMET11\\GEOMETRY.EXE 1.1 x1"}},
    {.trap = "catalogue in UTF-16 without a byte-order mark: it ends at the first NUL",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           const char utf16[] =
               "C\0a\0p\0\r\0\n\0"
               "2\0\r\0\n\0";
           disk.AddFile(kCatalogue, std::string(utf16, sizeof utf16 - 1));
         },
     .report = {"error catalogueTooShort [リストのインデックスが範囲を超えています (1)]",
                "error notCp932 utf-16-no-bom"},
     .exitCode = 1},
    {.trap = "characters Shift-JIS lacks, in the caption and in a title",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        sorvel::test::Utf8(u8"数学☺\r\n2001\r\n代数☺é,algebra1,1.3,a\r\n"
                                           u8"幾何,GEOMETRY,1.1,g\r\n"));
         },
     .report = {"encoding utf-8", "1 installed GEOMET11\\GEOMETRY.EXE 1.1 x1",
                "error unspellableLine line 1 [1行目の表示できない文字を省きました: 数学?] U+263A",
                "error unspellableLine line 3 [代数??,algebra1,1.3,a DATAが不正です] U+263A "
                "U+00E9 (e)"},
     .exitCode = 1,
     .says = {"(shown here as ?: U+263A, U+00E9 (e); in brackets the nearest"}},
    {.trap = "blanks around executable names",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, kSeries +
                                        "図形, zukei,1.0,c\r\n計算,keisan\t,1.0,k\r\n"
                                        "ドリル,MATHDRILL1 ,1.0,d\r\n");
         },
     .report = Plus(kBothInstalled, {"3 notInstalled", "4 notInstalled", "5 notInstalled",
                                     "error blankInExeName entry 3", "error blankInExeName entry 4",
                                     "warning nameCut entry 5"}),
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
    {.trap = "no download page and no help file",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove("C:\\SERIES\\LAUNCH\\index.htm");
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.chm");
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.htm");
           disk.AddFolder("C:\\SERIES\\LAUNCH\\SorvelL.chm");
         },
     .report = Plus(kBothInstalled, {"warning indexHtmMissing", "warning helpFileMissing"})},
    {.trap = "help only for Windows Help, which Windows 10 and 11 cannot open",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.chm");
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.htm");
           disk.AddFile("C:\\SERIES\\LAUNCH\\SorvelL.hlp");
         },
     .report = Plus(kBothInstalled, {"warning helpWinHelpOnly"})},
    {.trap = "Windows Help beside both newer forms",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\LAUNCH\\SorvelL.hlp");
         },
     .report = kBothInstalled},
    {.trap = "compiled help without its page, blank from a share",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.htm");
         },
     .report = Plus(kBothInstalled, {"warning helpChmWithoutPage"})},
    {.trap = "the page alone",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.chm");
         },
     .report = kBothInstalled},
    {.trap = "a page renamed .chm",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\LAUNCH\\SorvelL.chm", "<html></html>");
         },
     .report = Plus(kBothInstalled, {"error helpChmNotCompiled"}),
     .exitCode = 1},
    {.trap = "a compiled file cut short",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile("C:\\SERIES\\LAUNCH\\SorvelL.chm", "ITS");
           disk.Remove("C:\\SERIES\\LAUNCH\\SorvelL.htm");
         },
     .report = Plus(kBothInstalled, {"error helpChmNotCompiled", "warning helpChmWithoutPage"}),
     .exitCode = 1},
    {.trap = "〜 and − typed on a Mac, in UTF-8",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        sorvel::test::Utf8(u8"数学\r\n2001\r\n関数〜グラフ,algebra1,1.3,a"
                                           u8"\r\n幾何−〜,GEOMETRY,1.1,g\r\n"));
         },
     .report = Plus({"encoding utf-8"},
                    Plus(kBothInstalled, {"warning typedFormsRead ～ (U+301C) － (U+2212)"})),
     .says = {"the catalogue writes ～ (U+301C), － (U+2212) in the form macOS and Linux type"}},
    {.trap = "the other typed forms and a second byte-order mark, in UTF-16",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue,
                        sorvel::test::Utf16(u"Cap\uFEFF\r\n2\r\n"
                                            u"\uFEFF関数\u2016\u00A2\u00A3\u00AC\u2014,"
                                            u"algebra1,1.3,a\r\n幾何\u2212,GEOMETRY,1.1,g"));
         },
     .report =
         Plus({"encoding utf-16"},
              Plus(kBothInstalled, {"warning typedFormsRead ∥ (U+2016) ￠ (U+00A2) ￡ (U+00A3) "
                                    "￢ (U+00AC) ― (U+2014) － (U+2212)"}))},
    {.trap = "catalogue in UTF-32",
     .disk =
         [](SeriesDisk& disk) {
           Series(disk);
           disk.AddFile(kCatalogue, sorvel::test::Utf32(U"数学\r\n2001\r\n代数,algebra1,1.3,a\r\n"
                                                        U"幾何,GEOMETRY,1.1,g",
                                                        true));
         },
     .report = Plus({"encoding utf-32"}, kBothInstalled)},
};

TEST(CatalogueTrapsTest, EachTrapGetsItsReport) { ExpectEachTrapReport(kCatalogueTraps); }

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
}  // namespace sorvel::check::test
