#include "check/CatalogueEncoding.h"

#include "core/Cp932.h"
#include "core/TextEncoding.h"

namespace sorvel::check {

namespace {

unsigned char ByteAt(const std::string& text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]);
}

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
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

// "U+" and the code point in hex, at least four digits, as Unicode writes it.
std::string CodeName(const std::u16string& character) {
  char32_t code = character.empty() ? 0 : character[0];
  if (character.size() == 2) {
    code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
  }
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  for (; code != 0 || digits.size() < 4; code >>= 4)
    digits.insert(digits.begin(), kDigits[code & 0xF]);
  return "U+" + digits;
}

}  // namespace

std::vector<std::string> LackingCharacterNames(Platform& platform,
                                               const std::vector<std::u16string>& characters) {
  std::vector<std::string> names;
  for (const std::u16string& character : characters) {
    std::string name = CodeName(character);
    if (const auto lookAlike = platform.Cp932LookAlike(character)) name += " (" + *lookAlike + ")";
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> TypedFormNames(Platform& platform, const std::u16string& characters) {
  std::vector<std::string> names;
  for (const char16_t unit : characters) {
    const std::u16string character(1, unit);
    names.push_back(platform.Cp932FromUtf16(character).value_or("?") + " (" + CodeName(character) +
                    ")");
  }
  return names;
}

std::size_t Cp932CharLength(const std::string& text, std::size_t pos) {
  const unsigned char byte = ByteAt(text, pos);
  if (cp932::IsLeadByte(byte)) {
    return pos + 1 < text.size() && IsTrailByte(ByteAt(text, pos + 1)) ? 2 : 0;
  }
  const bool undefined = byte == 0x00 || byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
  return undefined ? 0 : 1;
}

EncodingVerdict DetectEncoding(const std::string& bytes) {
  switch (DetectTextEncoding(bytes)) {
    case TextEncoding::Utf8WithBom:
      return {Encoding::Utf8WithBom};
    case TextEncoding::Utf8:
      return {Encoding::Utf8};
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      return {Encoding::Utf16};
    case TextEncoding::Utf32Le:
    case TextEncoding::Utf32Be:
      return {Encoding::Utf32};
    case TextEncoding::Cp932:
      break;
  }
  // UTF-16 without a byte-order mark: every ASCII character has a NUL beside it.
  if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0')) {
    return {Encoding::Utf16WithoutBom};
  }
  if (const int line = FirstNonCp932Line(bytes)) return {Encoding::NotCp932, line};
  return {Encoding::Cp932};
}

}  // namespace sorvel::check
