#include "core/check/CatalogueEncoding.h"

#include "core/Cp932.h"

namespace sorvel::check {

namespace {

unsigned char ByteAt(const std::string& text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Length of the UTF-8 sequence at `pos`, or 0 when it is not one (overlong
// forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8SequenceLength(const std::string& text, std::size_t pos) {
  const unsigned char lead = ByteAt(text, pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char byte = ByteAt(text, pos + i);
    if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

// UTF-8 throughout, with at least one character beyond ASCII.
bool IsUtf8Text(const std::string& text) {
  bool multiByte = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    multiByte = multiByte || length > 1;
    pos += length;
  }
  return multiByte;
}

// The line (from 1) of the first byte that is no CP932 character, 0 for
// none. Lines end as the launcher ends them: CR LF, lone LF or lone CR.
int FirstNonCp932Line(const std::string& text) {
  int line = 1;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Cp932CharLength(text, pos);
    if (length == 0) return line;
    if (text[pos] == '\n' ||
        (text[pos] == '\r' && (pos + 1 == text.size() || text[pos + 1] != '\n'))) {
      ++line;
    }
    pos += length;
  }
  return 0;
}

}  // namespace

std::size_t Cp932CharLength(const std::string& text, std::size_t pos) {
  const unsigned char byte = ByteAt(text, pos);
  if (cp932::IsLeadByte(byte)) {
    return pos + 1 < text.size() && IsTrailByte(ByteAt(text, pos + 1)) ? 2 : 0;
  }
  const bool undefined = byte == 0x00 || byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
  return undefined ? 0 : 1;
}

EncodingVerdict DetectEncoding(const std::string& bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return {Encoding::Utf8WithBom};
  if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) return {Encoding::Utf16};
  // UTF-16 without a byte-order mark: every ASCII character has a NUL beside it.
  if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) return {Encoding::Utf16};
  if (IsUtf8Text(bytes)) return {Encoding::Utf8};
  if (const int line = FirstNonCp932Line(bytes)) return {Encoding::NotCp932, line};
  return {Encoding::Cp932};
}

}  // namespace sorvel::check
