// The series checker's trap tables: a fake disk that also holds names the
// port cannot spell, the series a publisher lays out on it, and the check
// every row goes through.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "tests/support/FakePlatform.h"

namespace sorvel::check::test {

using Lines = std::vector<std::string>;
using sorvel::test::FakePlatform;

inline constexpr const char* kHome = "C:\\SERIES\\LAUNCH";
inline constexpr const char* kCatalogue = "C:\\SERIES\\LAUNCH\\SVLindex.txt";
inline const std::string kHead = "数学シリーズ\r\n2001/04/01\r\n";
inline const std::string kSeries = kHead + "代数,ALGEBRA1,1.3,alg\r\n幾何,GEOMETRY,1.1,geo\r\n";
inline const Lines kBothInstalled = {"1 installed ALGEBR12\\algebra1.exe 1.2 x1",
                                     "2 installed GEOMET11\\GEOMETRY.EXE 1.1 x1"};

// The fake file system, with names that the port cannot spell in CP932.
class SeriesDisk : public FakePlatform {
 public:
  void AddForeign(const std::string& folder, const std::string& spelling, std::uint32_t attributes,
                  Lines files = {});
  std::vector<ForeignEntry> ForeignEntries(const std::string& folder) override;

 private:
  std::string Key(const std::string& folder);
  std::vector<std::pair<std::string, ForeignEntry>> foreign_;
};

// The start of a compiled HTML Help file.
inline const std::string kChm = std::string("ITSF\x03\0\0\0", 8);

// The help in both forms the launcher opens on today's Windows.
void AddHelp(SeriesDisk& disk, const std::string& folder);
// The launcher folder with this catalogue, index.htm and the help; the
// current directory.
void Launcher(SeriesDisk& disk, const std::string& catalogue);
// The series of two programs, installed beside the launcher's folder.
void Series(SeriesDisk& disk);
// Only the first program is installed.
void AlgebraOnly(SeriesDisk& disk);
// The series as a school copies its disc into C:\SUGAKU, the current
// directory: the launcher with its catalogue, and the programs below it.
void CopiedDisc(SeriesDisk& disk);
// A disc's root laid out in C:\DISC on a hard disk, the current directory.
void DiscFolder(SeriesDisk& disk);
// The series at the root of the CD-ROM drive Q:, the current directory,
// with the launcher and the programs but without the catalogue.
void DiscWithoutCatalogue(SeriesDisk& disk);

Lines Plus(Lines lines, const Lines& more);

struct TrapRow {
  std::string trap{};
  std::function<void(SeriesDisk&)> disk{};
  bool asCdRomRoot = false;
  Lines report{};  // one line per entry and per finding, with what each says
  int exitCode = 0;
  Lines shownBefore{};  // boxes the launcher showed before its start-up steps
  Lines says{};         // what the English text report must say, besides
};

// Checks each row's series: its report and exit code; the disk left exactly
// as it was; and, on a hard disk, the launcher's own status table agreeing.
void ExpectEachTrapReport(std::span<const TrapRow> rows);

}  // namespace sorvel::check::test
