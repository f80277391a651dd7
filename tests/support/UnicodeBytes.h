// A catalogue's bytes as a Unicode editor saves them, written in the tests
// as text: the sources are UTF-8, and their narrow literals CP932.
#pragma once

#include <string>
#include <string_view>

namespace sorvel::test {

inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

inline std::string Utf8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// UTF-16 with its byte-order mark.
inline std::string Utf16(std::u16string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// UTF-32 with its byte-order mark.
inline std::string Utf32(std::u32string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? std::string("\0\0\xFE\xFF", 4) : std::string("\xFF\xFE\0\0", 4);
  for (const char32_t code : text) {
    for (int i = 0; i < 4; ++i) {
      bytes += static_cast<char>(code >> (bigEndian ? 24 - 8 * i : 8 * i));
    }
  }
  return bytes;
}

}  // namespace sorvel::test
