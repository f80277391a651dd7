// The wildcard existence test shared by the catalogue loader and the scan.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sorvel {

// 1980-01-01 00:00 as a file time: the DOS calendar, and with it the dates a
// program file may carry, starts there.
inline constexpr std::uint64_t kDosEpochFileTime = 119'600'064'000'000'000ULL;

// What the first match of a wildcard pattern is: the scan searches a folder
// only for a plain file dated within the DOS calendar (1980 to 2107).
enum class FirstMatch { None, Folder, BeforeDosDates, AfterDosDates, File };

struct FirstMatchProbe {
  FirstMatch kind = FirstMatch::None;
  FileInfo first;               // unless None
  std::uint64_t localTime = 0;  // its local time stamp, unless None
};

FirstMatchProbe ProbeFirstMatch(Platform& platform, const std::string& pattern);
// The same of a first match already found (nullopt: none).
FirstMatchProbe JudgeFirstMatch(Platform& platform, const std::optional<FileInfo>& first);

// True when the first match of `pattern` exists, is not a folder, and its
// local time stamp falls within the DOS calendar (1980 to 2107).
bool FileExistsLike(Platform& platform, const std::string& pattern);

// DOS date (high 16 bits) and time (low 16 bits) of a local file time, or
// nullopt outside 1980-01-01 .. 2107-12-31.
std::optional<std::uint32_t> ToDosDateTime(std::uint64_t localFileTime);

}  // namespace sorvel
