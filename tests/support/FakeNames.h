// How the fake file system reads paths and compares and matches names, as
// Windows does with CP932 names: A-Z fold to a-z in single-byte characters
// only, a double-byte character compares exactly.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sorvel::test::fake {

char Fold(char c);  // A-Z to a-z

// The same name without regard to the case of single-byte A-Z.
bool SameName(const std::string& a, const std::string& b);
// The name with its single-byte A-Z folded: two names are the same name
// exactly when their keys are equal.
std::string NameKey(const std::string& name);

// Whether `a` comes before `b` in a folder's listing, as NTFS and Wine list
// a folder: single-byte a-z taken as A-Z (so "_" follows the letters), then
// byte by byte. Double-byte names compare by their CP932 bytes, where the
// system compares UTF-16: half-width katakana come before the level-2 kanji
// here, after every kanji there.
bool ListsBefore(const std::string& a, const std::string& b);
// The key ListsBefore compares first: a listing sorts by it once per name.
std::string ListsKey(const std::string& name);

bool IsSeparator(const std::string& c);  // "\" or "/"
// The parts between separators (empty ones included), whole characters.
std::vector<std::string> SplitPath(const std::string& text);
// A control character or one of "":<>|, or (unless allowed) a wildcard.
bool HasInvalidChar(const std::string& name, bool wildcardsAllowed);
// Whether `name` matches a mask of "*" and "?" ("*" and "*.*" match all).
bool WildMatch(const std::string& mask, const std::string& name);

// The CP932 spelling of a UTF-16 text, as the port gives it, for the
// characters the fake knows: ASCII, half-width katakana, the kana, a few
// punctuation marks and the kanji the tests write. Every other character
// counts as one CP932 cannot spell.
std::optional<std::string> Cp932Spelling(const std::u16string& text);

}  // namespace sorvel::test::fake
