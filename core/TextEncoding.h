// The catalogue as today's editors save it: CP932, UTF-8 or UTF-16, read as
// what it is and turned into CP932 once, before its lines are split.
//
// How the bytes tell the encoding, in this order:
// - EF BB BF at the start: UTF-8 with a byte-order mark;
// - FF FE 00 00 at the start: UTF-32 little-endian; 00 00 FE FF: UTF-32
//   big-endian (as UTF-16, FF FE 00 00 would be an empty text);
// - FF FE at the start: UTF-16 little-endian; FE FF: UTF-16 big-endian;
// - the whole file valid UTF-8 (no overlong form, no surrogate, nothing past
//   U+10FFFF, no sequence cut short) with at least one character of three or
//   four bytes: UTF-8 without a mark;
// - anything else: CP932, taken byte for byte as it stands.
// Japanese text needs three bytes a character in UTF-8, and a CP932 file is
// not taken for UTF-8 by chance: its half-width katakana (A1-DF) are at most
// two-byte UTF-8 ("ﾂｧ" reads as "§"), and its hiragana, katakana and most
// kanji start with bytes 81-9F, which UTF-8 allows only after a lead byte:
// each would have to follow a level-2 kanji whose bytes start a UTF-8
// character.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sorvel {

enum class TextEncoding { Cp932, Utf8WithBom, Utf8, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

TextEncoding DetectTextEncoding(const std::string& bytes);

// Length of the UTF-8 sequence at `pos`, or 0 when none starts there.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t pos);

// What stands in a shown line for a character CP932 cannot spell.
inline constexpr char kUnspellableMark = '?';

struct Cp932Text {
  TextEncoding encoding = TextEncoding::Cp932;
  // CP932; of a Unicode text, up to its first NUL and with CR LF for each
  // line break.
  std::string text;
  // The lines (from 0, as SplitLines counts them) holding characters CP932
  // cannot spell: the text keeps the others, and each such line is given
  // here as it can be shown, with kUnspellableMark for what is left out.
  std::map<std::size_t, std::string> unspellable;
  // The characters of each such line that CP932 lacks, in order, each as
  // its UTF-16 units (U+FFFD for bytes that were no character).
  std::map<std::size_t, std::vector<std::u16string>> lacking;
  // The characters typed in their other form (kCp932TypedForms) and read
  // as CP932's own, each once, in the order met.
  std::u16string typedForms;
};

// The file's text in CP932: a CP932 file exactly as it is, a Unicode one
// converted by the platform. Bytes that are not UTF-8 in a UTF-8 file, a
// lone surrogate, a value past U+10FFFF in UTF-32 and a cut last character
// count as unspellable. A byte-order mark inside the text (files joined
// together) is dropped like the first one.
Cp932Text ToCp932Text(Platform& platform, const std::string& bytes);

}  // namespace sorvel
