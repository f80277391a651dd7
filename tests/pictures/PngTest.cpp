// Decoding the larger renderings: zlib streams of every kind of deflate
// block, PNG files with every row filter, and damaged or foreign data, which
// is refused. Portable code, tested natively too.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/pictures/Png.h"

namespace sorvel::png {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::string_view text) { return Bytes(text.begin(), text.end()); }

// The stream in the test of dynamic blocks: 120 runs of letters.
std::string Runs() {
  std::string runs;
  for (int i = 0; i < 120; ++i) runs.append(static_cast<std::size_t>(i % 5 + 1), 'A' + i % 7);
  return runs;
}

// Streams made by zlib (fixed and dynamic blocks) or by hand.
const std::string kFixed("\x78\xda\x4b\x4c\x4a\x4e\x84\x21\x00\x1d\xe0\x04\x99", 13);
const std::string kDynamic(
    "\x78\xda\xe5\x8d\xb1\x0d\x00\x30\x0c\xc2\x6e\x03\xd2\xe4\xff\x8f\x4a\x51\xbe\x28\xa3\x65"
    "\x0b\x90\x92\xca\x3b\x6f\x3d\x03\x80\x0c\x35\x37\x69\xb3\x50\xf3\x98\xf1\xde\x26\xa6\xb6"
    "\xaf\x13\x13\xdb\x53\x31\x7b\xfb\xc1\xdf\x47\x17\x61\x4f\x5f\x93",
    60);
// One stored block holding "Sorvel".
const std::string kStored("\x78\x01\x01\x06\x00\xf9\xffSorvel\x08\x83\x02\x7c", 17);
// A fixed block: "A", then three bytes copied from one back.
const std::string kOverlap("\x78\x01\x73\x04\x02\x00\x02\x8e\x01\x05", 10);

std::string With(std::string stream, std::size_t at, char byte) {
  stream[at] = byte;
  return stream;
}

// A dynamic block that only ends: its literal code gives the end of block one
// bit and the length symbols 257 and 258 two bits each ('\x3e'), or one bit
// each ('\x2a'), three codes of one bit, which no code has room for.
std::string OneBlockEndingAt(char lengths) {
  return With(
      std::string("\x78\x01\x15\xc0\x81\x00\x00\x00\x00\x80\x20\x7f\xeb\x3e\x00\x00\x00\x01", 18),
      13, lengths);
}

TEST(Inflate, EveryKindOfBlockAndEveryDamage) {
  struct Case {
    const char* what;
    std::string stream;
    std::size_t size;
    std::optional<Bytes> data;
  };
  const Case cases[] = {
      {"stored", kStored, 6, Of("Sorvel")},
      {"fixed codes", kFixed, 12, Of("abcabcabcabc")},
      {"dynamic codes", kDynamic, 360, Of(Runs())},
      {"a copy overlapping itself", kOverlap, 4, Of("AAAA")},
      {"empty", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8), 0, Bytes{}},
      {"longer than asked", kFixed, 11, std::nullopt},
      {"shorter than asked", kFixed, 13, std::nullopt},
      {"wrong check sum", With(kFixed, 12, '\x98'), 12, std::nullopt},
      {"wrong header check", With(kFixed, 1, '\xdb'), 12, std::nullopt},
      {"preset dictionary", With(kFixed, 1, '\xbb'), 12, std::nullopt},
      {"not deflate", With(kFixed, 0, '\x79'), 12, std::nullopt},
      {"cut short", kDynamic.substr(0, 40), 360, std::nullopt},
      {"no check sum", kFixed.substr(0, 10), 12, std::nullopt},
      {"block type 3", std::string("\x78\x01\x07\x00\x00\x00\x00\x01", 8), 0, std::nullopt},
      {"stored length unchecked", With(kStored, 5, '\xfa'), 6, std::nullopt},
      {"a code of one and two bits", OneBlockEndingAt('\x3e'), 0, Bytes{}},
      {"more codes than their lengths allow", OneBlockEndingAt('\x2a'), 0, std::nullopt},
      {"length symbol 286", std::string("\x78\x01\x1b\x03\0\0\0\0", 8), 0, std::nullopt},
      {"distance before the start", std::string("\x78\x01\x03\x02\x00\x00\x00\x00\x01", 9), 3,
       std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Inflate(c.stream, c.size), c.data) << c.what;
  }
}

// ---------------------------------------------------------------------------
// PNG files, built here from stored blocks (the CRCs are not read).

std::string BigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string Chunk(std::string_view type, std::string_view data) {
  return BigEndian(static_cast<std::uint32_t>(data.size())) + std::string(type) +
         std::string(data) + "CRC!";
}

std::string Zlib(std::string_view raw) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  const auto length = static_cast<std::uint16_t>(raw.size());
  std::string stream("\x78\x01\x01", 3);
  stream += {static_cast<char>(length), static_cast<char>(length >> 8), static_cast<char>(~length),
             static_cast<char>(~length >> 8)};
  return stream + std::string(raw) + BigEndian((b << 16) | a);
}

std::string Header(std::uint32_t width, std::uint32_t height, std::string_view format) {
  return BigEndian(width) + BigEndian(height) + std::string(format);
}

const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kRgb8("\x08\x02\x00\x00\x00", 5);

// Two pixels a row, one row for each filter: none, sub, up, average, Paeth
// (whose second pixel takes its left neighbour).
const std::string kFiltered(
    "\x00\x0a\x14\x1e\x28\x32\x3c"
    "\x01\x05\x05\x05\x01\x02\x03"
    "\x02\x01\x01\x01\x00\x00\x00"
    "\x03\x04\x04\x04\x01\x01\x01"
    "\x04\x02\x02\x02\x03\x03\x03",
    35);
const Bytes kPixels{10, 20, 30, 40, 50, 60, 5, 5, 5, 6, 7, 8, 6,  6,  6,
                    6,  7,  8,  7,  7,  7,  7, 8, 8, 9, 9, 9, 12, 12, 12};

std::string File(std::string_view format, std::string_view rows,
                 const std::string& extra = std::string()) {
  return kSignature + Chunk("IHDR", Header(2, 5, format)) + extra + Chunk("IDAT", Zlib(rows)) +
         Chunk("IEND", "");
}

TEST(Png, RowsOfEveryFilterAndFilesOfOtherKinds) {
  const std::string stream = Zlib(kFiltered);
  struct Case {
    const char* what;
    std::string file;
    std::optional<Bytes> pixels;
  };
  const Case cases[] = {
      {"every filter", File(kRgb8, kFiltered), kPixels},
      {"a chunk of another kind", File(kRgb8, kFiltered, Chunk("tEXt", "Sorvel")), kPixels},
      {"data in two chunks",
       kSignature + Chunk("IHDR", Header(2, 5, kRgb8)) + Chunk("IDAT", stream.substr(0, 9)) +
           Chunk("IDAT", stream.substr(9)) + Chunk("IEND", ""),
       kPixels},
      {"not a PNG file", "GIF89a" + File(kRgb8, kFiltered).substr(6), std::nullopt},
      {"a palette", File(std::string("\x08\x03\x00\x00\x00", 5), kFiltered), std::nullopt},
      {"16 bits", File(std::string("\x10\x02\x00\x00\x00", 5), kFiltered), std::nullopt},
      {"interlaced", File(std::string("\x08\x02\x00\x00\x01", 5), kFiltered), std::nullopt},
      {"filter type 5", File(kRgb8, With(kFiltered, 14, '\x05')), std::nullopt},
      {"rows missing", File(kRgb8, kFiltered.substr(0, 28)), std::nullopt},
      {"data before the header",
       kSignature + Chunk("IDAT", stream) + Chunk("IHDR", Header(2, 5, kRgb8)) + Chunk("IEND", ""),
       std::nullopt},
      {"two headers", File(kRgb8, kFiltered, Chunk("IHDR", Header(2, 5, kRgb8))), std::nullopt},
      {"a short header",
       kSignature + Chunk("IHDR", Header(2, 5, kRgb8).substr(0, 12)) + Chunk("IDAT", stream) +
           Chunk("IEND", ""),
       std::nullopt},
      {"no end", kSignature + Chunk("IHDR", Header(2, 5, kRgb8)) + Chunk("IDAT", stream),
       std::nullopt},
      {"a chunk longer than the file", File(kRgb8, kFiltered).substr(0, 60), std::nullopt},
      {"no pixels", kSignature + Chunk("IHDR", Header(0, 5, kRgb8)) + Chunk("IEND", ""),
       std::nullopt},
      {"too large", kSignature + Chunk("IHDR", Header(100000, 100000, kRgb8)) + Chunk("IEND", ""),
       std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<Image> image = DecodeRgb(c.file);
    EXPECT_EQ(image.has_value(), c.pixels.has_value()) << c.what;
    if (!image || !c.pixels) continue;
    EXPECT_EQ(image->width, 2) << c.what;
    EXPECT_EQ(image->height, 5) << c.what;
    EXPECT_EQ(image->rgb, *c.pixels) << c.what;
  }
}

}  // namespace
}  // namespace sorvel::png
