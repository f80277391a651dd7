// Decoding the larger renderings of the launcher's pictures: PNG files of
// 8-bit RGB without interlacing, as resources/make_artwork.py writes them.
// Portable: no <windows.h>. Damaged or other data is refused, never read
// past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace sorvel::png {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top, three bytes (R, G, B) a pixel
};

// The picture of a PNG file; nullopt when it is damaged or of another kind.
std::optional<Image> DecodeRgb(std::string_view file);

// The data of a zlib stream (RFC 1950 and 1951), which must come to exactly
// `size` bytes; nullopt when it is damaged or of another length.
std::optional<std::vector<std::uint8_t>> Inflate(std::string_view stream, std::size_t size);

}  // namespace sorvel::png
