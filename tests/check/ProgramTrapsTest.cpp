// The series checker on where a publisher put the programs: dates, hidden
// and badly named folders and files, copies, the CD root. One row per trap,
// with the report the checker must give.

#include <gtest/gtest.h>

#include "tests/check/TrapTable.h"

namespace sorvel::check::test {
namespace {

constexpr std::uint64_t k1979June = 119'415'168'000'000'000ULL;
// 1979-12-31 20:00 UTC: already 1980 in the fake's local time (+9 h).
constexpr std::uint64_t k1979LastEvening = 119'599'920'000'000'000ULL;
constexpr std::uint64_t k1970 = 116'444'736'000'000'000ULL;  // as Unix writes a time of 0
constexpr std::uint64_t k2108June = 160'124'256'000'000'000ULL;

const TrapRow kProgramTraps[] = {
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
    {.trap = "a program folder that cannot be read",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
           disk.InjectError(FakePlatform::Operation::List, "C:\\SERIES\\GEOMET11",
                            error::kAccessDenied);
         },
     .report = {kBothInstalled[0], "2 notInstalled", "warning folderUnreadable GEOMET11 code 5"}},
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
    {.trap = "a hidden program dated before 1980: its folder is passed over first",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive | attr::kHidden,
                        k1979June);
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first GEOMETRY.EXE early"},
     .exitCode = 1},
    {.trap = "a name outside CP932 in a folder an old file hides: the folder is passed over first",
     .disk =
         [](SeriesDisk& disk) {
           AlgebraOnly(disk);
           disk.AddFile("C:\\SERIES\\GEOMET11\\setup.exe", "", attr::kArchive, k1979June);
           disk.AddForeign("C:\\SERIES\\GEOMET11", "geometry.exe", attr::kArchive);
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\geometry.exe first setup.exe early"},
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
           AddHelp(disk, "Q:");
           disk.AddFile("Q:\\ALGEBR12\\algebra1.exe");
           disk.AddFile("Q:\\GEOMET11\\GEOMETRY.EXE");
           disk.PutCurrentDirectory("Q:\\");
         },
     .report = kBothInstalled},
    {.trap = "disc folder on a hard disk, checked as the root of a CD-ROM",
     .disk = DiscFolder,
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
    {.trap = "disc copied into a folder: nothing beside the launcher, the programs below it",
     .disk = CopiedDisc,
     .report = Plus({"layout copiedDisc"}, Plus(kBothInstalled, {"warning discRootWithoutCd"}))},
    {.trap = "disc copied into a folder, with a hidden program",
     .disk =
         [](SeriesDisk& disk) {
           CopiedDisc(disk);
           disk.AddFile("C:\\SUGAKU\\GEOMET11\\GEOMETRY.EXE", "", attr::kHidden);
         },
     .report = {"layout copiedDisc", kBothInstalled[0],
                "2 notFound hiddenFile GEOMET11\\GEOMETRY.EXE", "warning discRootWithoutCd"},
     .exitCode = 1},
    {.trap = "nothing beside the launcher and no program below it either",
     .disk =
         [](SeriesDisk& disk) {
           Launcher(disk, kSeries);
           disk.AddFile("C:\\SERIES\\LAUNCH\\TOOLS\\setup.exe");
         },
     .report = {"1 notInstalled", "2 notInstalled"}},
    {.trap = "a program that is not on the disk",
     .disk = AlgebraOnly,
     .report = {kBothInstalled[0], "2 notInstalled"}},
    // What only the disc shows, checked at its root.
    {.trap = "disc whose image dated a program and a file beside another before 1980",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive, k1979June);
           disk.AddFile("Q:\\ALGEBR12\\algebra1.dat", "", attr::kArchive, k1979June);
         },
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first GEOMETRY.EXE early",
                "error datedBefore1980 ALGEBR12\\algebra1.dat GEOMET11\\GEOMETRY.EXE"},
     .exitCode = 1},
    {.trap = "disc dated 1979 in UTC but 1980 in local time",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries, attr::kArchive, k1979LastEvening);
         },
     .report = kBothInstalled},
    {.trap = "disc image that kept the ISO 9660 version numbers and final dots",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.Remove("Q:\\GEOMET11\\GEOMETRY.EXE");
           disk.AddFile("Q:\\GEOMET11\\GEOMETRY.EXE;1");
           disk.AddFile("Q:\\README.");
         },
     .report = {kBothInstalled[0], "2 notInstalled",
                "error nameChangedByImage GEOMET11\\GEOMETRY.EXE;1 README."},
     .exitCode = 1},
    {.trap = "disc image without Joliet names: the catalogue in capitals",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLINDEX.TXT", kSeries);
         },
     .report = Plus(kBothInstalled, {"warning nameChangedByImage [SVLINDEX.TXT]"})},
    {.trap = "autorun.inf naming a launcher and an icon the disc does not hold",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\autorun.inf",
                        "[Other]\r\nopen=other.exe\r\n[AutoRun]\r\n"
                        "open = \\START\\SorvelL.exe /x\r\nicon=Sorvel.ico,0\r\n");
         },
     .report = Plus(kBothInstalled, {"error autorunTargetMissing [open] START\\SorvelL.exe",
                                     "error autorunTargetMissing [icon] Sorvel.ico"}),
     .exitCode = 1},
    {.trap = "autorun.inf opening the launcher with its own icon",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\autorun.inf",
                        "[autorun]\r\nopen=SorvelL.exe\r\nicon=SorvelL.exe,0\r\n");
         },
     .report = kBothInstalled},
    {.trap = "autorun.inf with quoted names and blanks, as Windows reads them",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\Read Me.htm");
           disk.AddFile("Q:\\autorun.inf",
                        "[autorun]\r\nopen=\"SorvelL.exe\" /x\r\nicon= \"SorvelL.exe\",0\r\n"
                        "shellexecute=\"Read Me.htm\"\r\n");
         },
     .report = kBothInstalled},
    {.trap = "autorun.inf with a quoted name the disc lacks",
     .disk =
         [](SeriesDisk& disk) {
           DiscWithoutCatalogue(disk);
           disk.AddFile("Q:\\SVLindex.txt", kSeries);
           disk.AddFile("Q:\\autorun.inf",
                        "[autorun]\r\nshellexecute = \"Read Me.htm\" \r\nicon=\tLogo.ico ,1\r\n");
         },
     .report = Plus(kBothInstalled, {"error autorunTargetMissing [shellexecute] Read Me.htm",
                                     "error autorunTargetMissing [icon] Logo.ico"}),
     .exitCode = 1},
    {.trap = "a program dated 1970 in the publisher's own folder: the file is the fault",
     .disk =
         [](SeriesDisk& disk) {
           DiscFolder(disk);
           disk.AddFile("C:\\DISC\\GEOMET11\\GEOMETRY.EXE", "", attr::kArchive, k1970);
         },
     .asCdRomRoot = true,
     .report = {kBothInstalled[0],
                "2 notFound folderSkippedForDate GEOMET11\\GEOMETRY.EXE first GEOMETRY.EXE early",
                "error datedBefore1980 GEOMET11\\GEOMETRY.EXE"},
     .exitCode = 1,
     .says = {"The files themselves carry these dates in the series folder: give them a date "
              "from 1980 on"}},
    {.trap = "a disc's root checked without --cd",
     .disk = DiscFolder,
     .report = Plus({"layout copiedDisc"}, Plus(kBothInstalled, {"warning discRootWithoutCd"})),
     .says = {"check it with --cd too"}},
};

TEST(ProgramTrapsTest, EachTrapGetsItsReport) { ExpectEachTrapReport(kProgramTraps); }

}  // namespace
}  // namespace sorvel::check::test
