#include "core/FileProbe.h"

namespace sorvel {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Days from 1601-01-01 (the file-time epoch) to 1970-01-01.
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;

struct CivilDate {
  std::int64_t year;
  unsigned month;  // 1..12
  unsigned day;    // 1..31
};

// Proleptic Gregorian date of a day count since 1970-01-01 (H. Hinnant's
// algorithm: days are counted in 400-year eras starting on March 1st).
CivilDate CivilFromDays(std::int64_t days) {
  days += 719'468;
  const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
  const std::int64_t dayOfEra = days - era * 146'097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const auto day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const auto month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return CivilDate{yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

std::optional<std::uint32_t> ToDosDateTime(std::uint64_t localFileTime) {
  const std::uint64_t seconds = localFileTime / kTicksPerSecond;
  const auto days = static_cast<std::int64_t>(seconds / kSecondsPerDay);
  const auto secondOfDay = static_cast<std::uint32_t>(seconds % kSecondsPerDay);
  const CivilDate date = CivilFromDays(days - kDaysFrom1601To1970);
  if (date.year < 1980 || date.year > 2107) return std::nullopt;

  const auto dosDate =
      static_cast<std::uint32_t>(((date.year - 1980) << 9) | (date.month << 5) | date.day);
  const std::uint32_t dosTime =
      ((secondOfDay / 3600) << 11) | ((secondOfDay / 60 % 60) << 5) | (secondOfDay % 60 / 2);
  return (dosDate << 16) | dosTime;
}

FirstMatchProbe ProbeFirstMatch(Platform& platform, const std::string& pattern) {
  return JudgeFirstMatch(platform, platform.FindFirst(pattern));
}

FirstMatchProbe JudgeFirstMatch(Platform& platform, const std::optional<FileInfo>& first) {
  FirstMatchProbe probe;
  if (!first) return probe;
  probe.first = *first;
  if ((first->attributes & attr::kDirectory) != 0) {
    probe.kind = FirstMatch::Folder;
    return probe;
  }
  probe.localTime = platform.FileTimeToLocal(first->lastWriteTime);
  if (ToDosDateTime(probe.localTime).has_value()) {
    probe.kind = FirstMatch::File;
  } else {
    probe.kind = probe.localTime < kDosEpochFileTime ? FirstMatch::BeforeDosDates
                                                     : FirstMatch::AfterDosDates;
  }
  return probe;
}

bool FileExistsLike(Platform& platform, const std::string& pattern) {
  return ProbeFirstMatch(platform, pattern).kind == FirstMatch::File;
}

}  // namespace sorvel
