#include <gtest/gtest.h>

#include "core/FileProbe.h"
#include "tests/support/FakePlatform.h"

namespace sorvel {
namespace {

// File time of a date and time, counted day by day from 1601-01-01.
std::uint64_t FileTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  const auto isLeap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
  const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::uint64_t days = 0;
  for (int y = 1601; y < year; ++y) days += isLeap(y) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += monthDays[m - 1] + (m == 2 && isLeap(year) ? 1 : 0);
  days += day - 1;
  const std::uint64_t seconds = ((days * 24 + hour) * 60 + minute) * 60 + second;
  return seconds * 10'000'000;
}

TEST(ToDosDateTimeTest, DosCalendarRange) {
  const struct {
    std::uint64_t time;
    std::optional<std::uint32_t> dos;
  } cases[] = {
      {FileTime(1979, 12, 31, 23, 59, 59), std::nullopt},
      {FileTime(1980, 1, 1), 0x0021'0000},
      {FileTime(2000, 2, 29, 6, 7, 9), 0x285D'30E4},
      {FileTime(2001, 4, 1, 12, 34, 56), 0x2A81'645C},
      {FileTime(2100, 3, 1), 0xF061'0000},
      {FileTime(2107, 12, 31, 23, 59, 59), 0xFF9F'BF7D},
      {FileTime(2108, 1, 1), std::nullopt},
      {0, std::nullopt},
      {~0ULL, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ToDosDateTime(c.time), c.dos) << c.time;
  EXPECT_EQ(FileTime(2001, 4, 1), test::FakePlatform::kDefaultTime);
}

TEST(FileExistsLikeTest, FirstMatchDecides) {
  test::FakePlatform fake;
  fake.AddFile("C:\\A\\prog.exe");
  fake.AddFolder("C:\\B\\aaa.exe");
  fake.AddFile("C:\\B\\prog.exe");
  fake.AddFile("C:\\C\\hidden.exe", "", attr::kHidden);
  fake.AddFile("C:\\D\\early.exe", "", attr::kArchive, FileTime(1979, 12, 31, 14));
  fake.AddFile("C:\\E\\local.exe", "", attr::kArchive, FileTime(1979, 12, 31, 15));  // 00:00 local
  fake.AddFile("C:\\F\\notes.txt");

  const struct {
    std::string pattern;
    bool exists;
  } cases[] = {
      {"C:\\A\\*.exe", true},  {"c:\\a\\PROG.EXE", true},     {"C:\\A\\pro?.exe", true},
      {"C:\\B\\*.exe", false}, {"C:\\B\\prog.exe", true},     {"C:\\C\\*.exe", true},
      {"C:\\D\\*.exe", false}, {"C:\\E\\*.exe", true},        {"C:\\F\\*.exe", false},
      {"C:\\G\\*.exe", false}, {"C:\\A\\C:\\\\*.exe", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FileExistsLike(fake, c.pattern), c.exists) << c.pattern;
}

}  // namespace
}  // namespace sorvel
