#include "core/Cp932.h"

namespace sorvel::cp932 {

namespace {

// Length in bytes of the character starting at `pos`. A lead byte at the very
// end of the text stands alone.
std::size_t CharLength(const std::string& text, std::size_t pos) {
  if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
  return 1;
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t LastCharStart(const std::string& text) {
  std::size_t last = std::string::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) last = pos;
  return last;
}

bool EndsWithBackslash(const std::string& text) {
  const std::size_t last = LastCharStart(text);
  return last != std::string::npos && last + 1 == text.size() && text[last] == '\\';
}

std::string WithTrailingBackslash(const std::string& path) {
  return EndsWithBackslash(path) ? path : path + '\\';
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return WithTrailingBackslash(folder) + name;
}

std::string AsciiLower(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) c = FoldAscii(c);
  return lower;
}

char AsciiUpper(char byte) {
  return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
}

std::string AsciiUpper(const std::string& text) {
  std::string upper = text;
  for (std::size_t pos = 0; pos < upper.size(); ++pos) {
    if (IsLeadByte(static_cast<unsigned char>(upper[pos]))) {
      ++pos;
    } else {
      upper[pos] = AsciiUpper(upper[pos]);
    }
  }
  return upper;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    const std::size_t length = CharLength(a, pos);
    if (length == 2) {
      // Both bytes of a double-byte character compare exactly.
      if (a.compare(pos, 2, b, pos, 2) != 0) return false;
    } else if (FoldAscii(a[pos]) != FoldAscii(b[pos])) {
      return false;
    }
    pos += length;
  }
  return true;
}

std::vector<std::string> SplitAtBackslashes(const std::string& text) {
  std::vector<std::string> parts(1);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    if (length == 1 && text[pos] == '\\') {
      parts.emplace_back();
    } else {
      parts.back().append(text, pos, length);
    }
    pos += length;
  }
  return parts;
}

std::size_t FitWholeChars(const std::string& text, std::size_t maxBytes) {
  std::size_t fit = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = pos + CharLength(text, pos);
    if (end > maxBytes) break;
    fit = pos = end;
  }
  return fit;
}

}  // namespace sorvel::cp932
