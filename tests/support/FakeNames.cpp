#include "tests/support/FakeNames.h"

#include <string_view>
#include <unordered_map>

#include "platform/Platform.h"

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

// The double-byte characters the fake spells, each row the same text in
// UTF-16 and in CP932 (the source is UTF-8, narrow literals are CP932).
constexpr struct {
  std::u16string_view wide;
  std::string_view cp932;
} kDoubleByteRows[] = {
    {u"ぁあぃいぅうぇえぉおかがきぎ", "ぁあぃいぅうぇえぉおかがきぎ"},
    {u"くぐけげこごさざしじすずせぜ", "くぐけげこごさざしじすずせぜ"},
    {u"そぞただちぢっつづてでとどな", "そぞただちぢっつづてでとどな"},
    {u"にぬねのはばぱひびぴふぶぷへ", "にぬねのはばぱひびぴふぶぷへ"},
    {u"べぺほぼぽまみむめもゃやゅゆ", "べぺほぼぽまみむめもゃやゅゆ"},
    {u"ょよらりるれろゎわゐゑをんァ", "ょよらりるれろゎわゐゑをんァ"},
    {u"アィイゥウェエォオカガキギク", "アィイゥウェエォオカガキギク"},
    {u"グケゲコゴサザシジスズセゼソ", "グケゲコゴサザシジスズセゼソ"},
    {u"ゾタダチヂッツヅテデトドナニ", "ゾタダチヂッツヅテデトドナニ"},
    {u"ヌネノハバパヒビピフブプヘベ", "ヌネノハバパヒビピフブプヘベ"},
    {u"ペホボポマミムメモャヤュユョ", "ペホボポマミムメモャヤュユョ"},
    {u"ヨラリルレロヮワヰヱヲンヴヵ", "ヨラリルレロヮワヰヱヲンヴヵ"},
    {u"ヶ不予代件何元再単名否告囲在", "ヶ不予代件何元再単名否告囲在"},
    {u"多字学定実属幾性扱拒数文新明", "多字学定実属幾性扱拒数文新明"},
    {u"更最未果正率現確算範結統能行", "更最未果正率現確算範結統能行"},
    {u"表複見計証読警超重開図形関式", "表複見計証読警超重開図形関式"},
    {u"年月日ー、。「」・（）　", "年月日ー、。「」・（）　"},
    {u"～∥－￠￡￢―", "～∥－￠￡￢―"},  // the Windows forms of kCp932TypedForms
};

const std::unordered_map<char16_t, std::string>& DoubleByteSpellings() {
  static const std::unordered_map<char16_t, std::string> spellings = [] {
    std::unordered_map<char16_t, std::string> table;
    for (const auto& row : kDoubleByteRows) {
      for (std::size_t i = 0; i < row.wide.size() && 2 * i + 1 < row.cp932.size(); ++i) {
        table[row.wide[i]] = row.cp932.substr(2 * i, 2);
      }
    }
    return table;
  }();
  return spellings;
}

std::optional<std::string> SpellingOf(char16_t unit) {
  if (unit < 0x80) return std::string(1, static_cast<char>(unit));
  if (unit >= 0xFF61 && unit <= 0xFF9F) return std::string(1, static_cast<char>(unit - 0xFEC0));
  const auto found = DoubleByteSpellings().find(unit);
  if (found == DoubleByteSpellings().end()) return std::nullopt;
  return found->second;
}

}  // namespace

std::optional<std::string> Cp932Spelling(const std::u16string& text) {
  std::string spelled;
  for (const char16_t unit : text) {
    const auto spelling = SpellingOf(WindowsForm(unit));
    if (!spelling) return std::nullopt;
    spelled += *spelling;
  }
  return spelled;
}

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

std::string ListsKey(const std::string& name) {
  std::string key = name;
  for (std::size_t pos = 0; pos < key.size(); pos += CharLength(key, pos)) {
    if (CharLength(key, pos) == 1 && key[pos] >= 'a' && key[pos] <= 'z') key[pos] -= 'a' - 'A';
  }
  return key;
}

bool ListsBefore(const std::string& a, const std::string& b) {
  const std::string keyA = ListsKey(a), keyB = ListsKey(b);
  return keyA != keyB ? keyA < keyB : a < b;
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
