// Inflating a zlib stream: the three kinds of deflate block (stored, fixed
// and dynamic Huffman codes) and the Adler-32 check. Every read and every
// copy is bounded by the input and by the size the caller expects.
#include <algorithm>
#include <array>
#include <utility>

#include "ui/pictures/Png.h"

namespace sorvel::png {
namespace {

// The bits of a deflate stream, least significant first.
class BitReader {
 public:
  explicit BitReader(std::string_view data) : data_(data) {}

  // The next `count` bits (at most 16), or -1 past the end.
  int Bits(int count) {
    while (held_ < count) {
      if (next_ >= data_.size()) return -1;
      buffer_ |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[next_++])) << held_;
      held_ += 8;
    }
    const auto value = static_cast<int>(buffer_ & ((1u << count) - 1));
    buffer_ >>= count;
    held_ -= count;
    return value;
  }
  // Drops the rest of the byte being read: fewer than eight bits are held.
  void AlignToByte() {
    buffer_ = 0;
    held_ = 0;
  }
  std::size_t BytesRead() const { return next_; }

 private:
  std::string_view data_;
  std::size_t next_ = 0;
  std::uint32_t buffer_ = 0;
  int held_ = 0;
};

// A canonical Huffman code: how many codes each length has, and the symbols
// ordered by code.
struct Huffman {
  std::array<std::uint16_t, 16> count{};
  std::array<std::uint16_t, 288> symbol{};
};

// False for lengths that give more codes than there is room for.
bool BuildCode(Huffman& code, const std::uint8_t* lengths, int symbols) {
  code.count.fill(0);
  for (int s = 0; s < symbols; ++s) ++code.count[lengths[s]];
  int room = 1;
  for (int length = 1; length < 16; ++length) {
    room = room * 2 - code.count[length];
    if (room < 0) return false;
  }
  std::array<std::uint16_t, 16> offset{};
  for (int length = 1; length < 15; ++length)
    offset[length + 1] = offset[length] + code.count[length];
  for (int s = 0; s < symbols; ++s) {
    if (lengths[s] != 0) code.symbol[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
  }
  return true;
}

// The next symbol, or -1 when the stream ends or has no such code.
int DecodeSymbol(BitReader& in, const Huffman& code) {
  int value = 0, first = 0, index = 0;
  for (int length = 1; length < 16; ++length) {
    const int bit = in.Bits(1);
    if (bit < 0) return -1;
    value |= bit;
    const int count = code.count[length];
    if (value - first < count) return code.symbol[index + value - first];
    index += count;
    first = (first + count) << 1;
    value <<= 1;
  }
  return -1;
}

constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                      4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                      9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
 public:
  Inflater(std::string_view deflate, std::size_t size) : in_(deflate), size_(size) {
    out_.reserve(size);
  }

  bool Run() {
    int last = 0;
    do {
      last = in_.Bits(1);
      const int type = in_.Bits(2);
      bool done = false;
      if (type == 0) done = Stored();
      if (type == 1) done = Fixed();
      if (type == 2) done = Dynamic();
      if (last < 0 || !done) return false;
    } while (last == 0);
    return out_.size() == size_;
  }
  std::size_t BytesRead() const { return in_.BytesRead(); }
  std::vector<std::uint8_t>& Out() { return out_; }

 private:
  bool Stored() {
    in_.AlignToByte();
    const int length = in_.Bits(16);
    const int complement = in_.Bits(16);
    if (length < 0 || complement < 0 || (length ^ 0xFFFF) != complement) return false;
    if (static_cast<std::size_t>(length) > size_ - out_.size()) return false;
    for (int i = 0; i < length; ++i) {
      const int byte = in_.Bits(8);
      if (byte < 0) return false;
      out_.push_back(static_cast<std::uint8_t>(byte));
    }
    return true;
  }

  bool Fixed() {
    static const std::array<Huffman, 2> codes = [] {
      std::array<std::uint8_t, 288> lengths{};
      for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
      std::array<Huffman, 2> made;
      BuildCode(made[0], lengths.data(), 288);
      lengths.fill(5);
      BuildCode(made[1], lengths.data(), 30);
      return made;
    }();
    return Codes(codes[0], codes[1]);
  }

  bool Dynamic() {
    const int literals = in_.Bits(5) + 257, distances = in_.Bits(5) + 1,
              lengthCodes = in_.Bits(4) + 4;
    // A count read past the end comes out one short of its least value.
    if (literals < 257 || literals > 286 || distances < 1 || distances > 30 || lengthCodes < 4) {
      return false;
    }
    static constexpr std::array<std::uint8_t, 19> kOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                         11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<std::uint8_t, 320> lengths{};
    for (int i = 0; i < lengthCodes; ++i) {
      const int length = in_.Bits(3);
      if (length < 0) return false;
      lengths[kOrder[i]] = static_cast<std::uint8_t>(length);
    }
    Huffman lengthCode, literalCode, distanceCode;
    if (!BuildCode(lengthCode, lengths.data(), 19)) return false;
    lengths.fill(0);
    if (!ReadLengths(lengthCode, lengths.data(), literals + distances)) return false;
    if (lengths[256] == 0) return false;  // no end of block
    return BuildCode(literalCode, lengths.data(), literals) &&
           BuildCode(distanceCode, lengths.data() + literals, distances) &&
           Codes(literalCode, distanceCode);
  }

  // The code lengths of a dynamic block, themselves coded with repeats.
  bool ReadLengths(const Huffman& code, std::uint8_t* lengths, int count) {
    for (int index = 0; index < count;) {
      const int symbol = DecodeSymbol(in_, code);
      if (symbol < 0) return false;
      if (symbol < 16) {
        lengths[index++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      if (symbol == 16 && index == 0) return false;  // nothing to repeat
      const std::uint8_t repeated = symbol == 16 ? lengths[index - 1] : 0;
      const int extra = in_.Bits(symbol == 16 ? 2 : symbol == 17 ? 3 : 7);
      if (extra < 0) return false;
      const int times = extra + (symbol == 18 ? 11 : 3);
      if (index + times > count) return false;
      for (int i = 0; i < times; ++i) lengths[index++] = repeated;
    }
    return true;
  }

  bool Codes(const Huffman& literals, const Huffman& distances) {
    for (;;) {
      const int symbol = DecodeSymbol(in_, literals);
      if (symbol < 0) return false;
      if (symbol == 256) return true;
      if (symbol < 256) {
        if (out_.size() == size_) return false;
        out_.push_back(static_cast<std::uint8_t>(symbol));
      } else if (!Copy(symbol - 257, distances)) {
        return false;
      }
    }
  }

  // A repeat of earlier output: a length code, then a distance.
  bool Copy(int lengthSymbol, const Huffman& distances) {
    if (lengthSymbol >= 29) return false;
    const int lengthExtra = in_.Bits(kLengthExtra[lengthSymbol]);
    const int distanceSymbol = DecodeSymbol(in_, distances);
    if (lengthExtra < 0 || distanceSymbol < 0 || distanceSymbol >= 30) return false;
    const int distanceExtra = in_.Bits(kDistanceExtra[distanceSymbol]);
    if (distanceExtra < 0) return false;
    const std::size_t length = kLengthBase[lengthSymbol] + lengthExtra;
    const std::size_t distance = kDistanceBase[distanceSymbol] + distanceExtra;
    if (distance > out_.size() || length > size_ - out_.size()) return false;
    // The copy may overlap what it writes: byte by byte.
    const std::size_t from = out_.size() - distance;
    for (std::size_t i = 0; i < length; ++i) out_.push_back(out_[from + i]);
    return true;
  }

  BitReader in_;
  std::size_t size_;
  std::vector<std::uint8_t> out_;
};

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  constexpr std::uint32_t kBase = 65521;
  constexpr std::size_t kRun = 5552;  // bytes summed before the sums can overflow
  std::uint32_t a = 1, b = 0;
  for (std::size_t start = 0; start < data.size(); start += kRun) {
    const std::size_t end = std::min(data.size(), start + kRun);
    for (std::size_t i = start; i < end; ++i) {
      a += data[i];
      b += a;
    }
    a %= kBase;
    b %= kBase;
  }
  return (b << 16) | a;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> Inflate(std::string_view stream, std::size_t size) {
  if (stream.size() < 6) return std::nullopt;
  const auto method = static_cast<unsigned char>(stream[0]);
  const auto flags = static_cast<unsigned char>(stream[1]);
  // Deflate with a window of at most 32 KiB, a valid check, no dictionary.
  if ((method & 0x0F) != 8 || (method >> 4) > 7 || ((method << 8) | flags) % 31 != 0 ||
      (flags & 0x20) != 0) {
    return std::nullopt;
  }
  Inflater inflater(stream.substr(2), size);
  if (!inflater.Run()) return std::nullopt;
  const std::size_t check = 2 + inflater.BytesRead();
  if (stream.size() < check + 4) return std::nullopt;
  std::uint32_t expected = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    expected = (expected << 8) | static_cast<unsigned char>(stream[check + i]);
  }
  if (Adler32(inflater.Out()) != expected) return std::nullopt;
  return std::move(inflater.Out());
}

}  // namespace sorvel::png
