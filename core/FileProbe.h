// The wildcard existence test shared by the catalogue loader and the scan.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sorvel {

// True when the first match of `pattern` exists, is not a folder, and its
// local time stamp falls within the DOS calendar (1980 to 2107).
bool FileExistsLike(Platform& platform, const std::string& pattern);

// DOS date (high 16 bits) and time (low 16 bits) of a local file time, or
// nullopt outside 1980-01-01 .. 2107-12-31.
std::optional<std::uint32_t> ToDosDateTime(std::uint64_t localFileTime);

}  // namespace sorvel
