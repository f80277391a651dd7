#include "tests/support/FakeNames.h"

#include <string_view>

namespace sorvel::test::fake {
namespace {

bool IsLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the character at `pos`: a lead byte at the very end stands alone.
std::size_t CharLength(const std::string& text, std::size_t pos) {
  return IsLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// The text's characters, one or two bytes each.
std::vector<std::string> Chars(const std::string& text) {
  std::vector<std::string> chars;
  chars.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    chars.push_back(text.substr(pos, length));
    pos += length;
  }
  return chars;
}

bool SameChar(const std::string& a, const std::string& b) {
  return a.size() == 1 && b.size() == 1 ? Fold(a[0]) == Fold(b[0]) : a == b;
}

bool WildMatch(const std::vector<std::string>& mask, std::size_t m,
               const std::vector<std::string>& name, std::size_t n) {
  if (m == mask.size()) return n == name.size();
  if (mask[m] == "*") {
    for (std::size_t skip = n; skip <= name.size(); ++skip) {
      if (WildMatch(mask, m + 1, name, skip)) return true;
    }
    return false;
  }
  if (n == name.size()) return false;
  return (mask[m] == "?" || SameChar(mask[m], name[n])) && WildMatch(mask, m + 1, name, n + 1);
}

}  // namespace

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// Character by character as SameChar compares them, without splitting the
// names: lookups are frequent.
bool SameName(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  for (; i < a.size() && j < b.size(); i += CharLength(a, i), j += CharLength(b, j)) {
    const std::size_t length = CharLength(a, i);
    if (length != CharLength(b, j)) return false;
    if (length == 1 ? Fold(a[i]) != Fold(b[j]) : a.compare(i, 2, b, j, 2) != 0) return false;
  }
  return i == a.size() && j == b.size();
}

std::string NameKey(const std::string& name) {
  std::string key = name;
  for (std::size_t pos = 0; pos < key.size(); pos += CharLength(key, pos)) {
    if (CharLength(key, pos) == 1) key[pos] = Fold(key[pos]);
  }
  return key;
}

bool IsSeparator(const std::string& c) { return c == "\\" || c == "/"; }

std::vector<std::string> SplitPath(const std::string& text) {
  std::vector<std::string> parts(1);
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = CharLength(text, pos);
    if (length == 1 && (text[pos] == '\\' || text[pos] == '/')) {
      parts.emplace_back();
    } else {
      parts.back().append(text, pos, length);
    }
    pos += length;
  }
  return parts;
}

bool HasInvalidChar(const std::string& name, bool wildcardsAllowed) {
  for (std::size_t pos = 0; pos < name.size(); pos += CharLength(name, pos)) {
    if (CharLength(name, pos) != 1) continue;
    const char c = name[pos];
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("\":<>|").find(c) != std::string_view::npos) {
      return true;
    }
    if (!wildcardsAllowed && (c == '*' || c == '?')) return true;
  }
  return false;
}

bool WildMatch(const std::string& mask, const std::string& name) {
  return mask == "*" || mask == "*.*" || WildMatch(Chars(mask), 0, Chars(name), 0);
}

}  // namespace sorvel::test::fake
