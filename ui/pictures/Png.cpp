#include "ui/pictures/Png.h"

#include <cstdlib>
#include <string>
#include <utility>

namespace sorvel::png {
namespace {

// Larger than any picture of the launcher, small enough that a damaged
// header cannot ask for much memory.
constexpr std::uint32_t kMaxSide = 4096;
constexpr std::size_t kPixelBytes = 3;

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The header of an 8-bit RGB picture without interlacing; false for any other.
bool ReadHeader(std::string_view header, Image& image) {
  if (header.size() != 13) return false;
  const std::uint32_t width = BigEndian(header, 0), height = BigEndian(header, 4);
  const std::string_view format = header.substr(8);  // depth, colour type, methods, interlace
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
      format != std::string_view("\x08\x02\x00\x00\x00", 5)) {
    return false;
  }
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  return true;
}

std::uint8_t Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
            toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
  return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes the row filters where they stand: each row of `rows` starts with
// its filter type, and the pixels move forward over those bytes, so the
// picture takes no second buffer of its size.
bool Unfilter(std::vector<std::uint8_t>& rows, const Image& image) {
  const std::size_t stride = static_cast<std::size_t>(image.width) * kPixelBytes;
  for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
    const std::uint8_t type = rows[y * (stride + 1)];
    if (type > 4) return false;
    // Each byte is read before the pixels written so far reach it.
    const std::uint8_t* in = &rows[y * (stride + 1) + 1];
    std::uint8_t* out = &rows[y * stride];
    const std::uint8_t* up = y == 0 ? nullptr : out - stride;
    for (std::size_t i = 0; i < stride; ++i) {
      const int above = up ? up[i] : 0;
      const int left = i >= kPixelBytes ? out[i - kPixelBytes] : 0;
      const int upLeft = up && i >= kPixelBytes ? up[i - kPixelBytes] : 0;
      const int predicted = type == 0   ? 0
                            : type == 1 ? left
                            : type == 2 ? above
                            : type == 3 ? (left + above) / 2
                                        : Paeth(left, above, upLeft);
      out[i] = static_cast<std::uint8_t>(in[i] + predicted);
    }
  }
  rows.resize(stride * static_cast<std::size_t>(image.height));
  return true;
}

}  // namespace

std::optional<Image> DecodeRgb(std::string_view file) {
  if (file.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8)) return std::nullopt;
  Image image;
  std::string data;  // the IDAT chunks, one zlib stream
  bool header = false, ended = false;
  // Each chunk: length, type, data, CRC; chunks of other types are skipped.
  for (std::size_t at = 8; !ended && file.size() - at >= 12;) {
    const std::uint32_t length = BigEndian(file, at);
    if (length > file.size() - at - 12) return std::nullopt;
    const std::string_view type = file.substr(at + 4, 4), chunk = file.substr(at + 8, length);
    at += 12 + length;
    if (type == "IHDR") {
      if (header || !ReadHeader(chunk, image)) return std::nullopt;
      header = true;
    } else if (type == "IDAT") {
      if (!header) return std::nullopt;
      data.append(chunk);
    } else if (type == "IEND") {
      ended = true;
    }
  }
  if (!header || !ended) return std::nullopt;
  const std::size_t stride = static_cast<std::size_t>(image.width) * kPixelBytes;
  auto rows = Inflate(data, (stride + 1) * static_cast<std::size_t>(image.height));
  if (!rows || !Unfilter(*rows, image)) return std::nullopt;
  image.rgb = std::move(*rows);
  return image;
}

}  // namespace sorvel::png
