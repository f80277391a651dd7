#include "core/TextEncoding.h"

#include <algorithm>
#include <string_view>

namespace sorvel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;  // no CP932 spelling, so unspellable
constexpr char16_t kByteOrderMark = 0xFEFF;

unsigned char ByteAt(const std::string& text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]);
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Valid UTF-8 throughout, with a character of three or four bytes.
bool IsUtf8WithWideCharacter(const std::string& text) {
  bool wide = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    wide = wide || length >= 3;
    pos += length;
  }
  return wide;
}

void AppendCodePoint(char32_t code, std::u16string& out) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
    return;
  }
  code -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (code >> 10));
  out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

std::u16string FromUtf8(const std::string& bytes, std::size_t start) {
  constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::u16string out;
  for (std::size_t pos = start; pos < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, pos);
    if (length == 0) {
      out += kReplacement;
      ++pos;
      continue;
    }
    char32_t code = ByteAt(bytes, pos) & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (ByteAt(bytes, pos + i) & 0x3F);
    AppendCodePoint(code, out);
    pos += length;
  }
  return out;
}

std::u16string FromUtf16(const std::string& bytes, bool bigEndian) {
  std::u16string out;
  std::size_t pos = 2;  // after the byte-order mark
  for (; pos + 1 < bytes.size(); pos += 2) {
    const unsigned first = ByteAt(bytes, pos), second = ByteAt(bytes, pos + 1);
    out += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  if (pos < bytes.size()) out += kReplacement;  // half a character at the end
  return out;
}

std::u16string FromUtf32(const std::string& bytes, bool bigEndian) {
  std::u16string out;
  std::size_t pos = 4;  // after the byte-order mark
  for (; pos + 3 < bytes.size(); pos += 4) {
    char32_t code = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      code |= static_cast<char32_t>(ByteAt(bytes, pos + i)) << (bigEndian ? 24 - 8 * i : 8 * i);
    }
    const bool valid = code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    AppendCodePoint(valid ? code : kReplacement, out);
  }
  if (pos < bytes.size()) out += kReplacement;  // part of a character at the end
  return out;
}

std::u16string ToUtf16(TextEncoding encoding, const std::string& bytes) {
  switch (encoding) {
    case TextEncoding::Utf8WithBom:
      return FromUtf8(bytes, 3);
    case TextEncoding::Utf8:
      return FromUtf8(bytes, 0);
    case TextEncoding::Utf16Le:
      return FromUtf16(bytes, false);
    case TextEncoding::Utf16Be:
      return FromUtf16(bytes, true);
    case TextEncoding::Utf32Le:
      return FromUtf32(bytes, false);
    case TextEncoding::Utf32Be:
      return FromUtf32(bytes, true);
    case TextEncoding::Cp932:
      break;
  }
  return std::u16string();
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Converts one line, character by character once the whole line failed:
// `kept` gets what CP932 can spell, `shown` the mark for the rest too, and
// `lacking` the rest.
void ConvertByCharacter(Platform& platform, std::u16string_view line, std::string& kept,
                        std::string& shown, std::vector<std::u16string>& lacking) {
  for (std::size_t pos = 0; pos < line.size();) {
    const bool pair =
        IsHighSurrogate(line[pos]) && pos + 1 < line.size() && IsLowSurrogate(line[pos + 1]);
    const std::size_t length = pair ? 2 : 1;
    if (const auto spelled = platform.Cp932FromUtf16(std::u16string(line.substr(pos, length)))) {
      kept += *spelled;
      shown += *spelled;
    } else {
      shown += kUnspellableMark;
      lacking.emplace_back(line.substr(pos, length));
    }
    pos += length;
  }
}

// Converts line by line, so that a character CP932 lacks costs its own line
// only; the CP932 text splits into the same lines, each ended by CR LF.
void ConvertLines(Platform& platform, std::u16string_view text, Cp932Text& out) {
  std::size_t line = 0;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view content = text.substr(start, end - start);
    if (const auto spelled = platform.Cp932FromUtf16(std::u16string(content))) {
      out.text += *spelled;
    } else {
      ConvertByCharacter(platform, content, out.text, out.unspellable[line], out.lacking[line]);
    }
    if (end == text.size()) {
      // A last line left empty still needs its message: a break keeps it.
      if (out.unspellable.count(line) != 0) out.text += "\r\n";
      break;
    }
    // Every break as CR LF: a lone CR and a lone LF around a line that kept
    // nothing must not become one break.
    const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
    out.text += "\r\n";
    start = end + (crLf ? 2 : 1);
  }
}

}  // namespace

std::size_t Utf8SequenceLength(const std::string& text, std::size_t pos) {
  const unsigned char lead = ByteAt(text, pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
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

TextEncoding DetectTextEncoding(const std::string& bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8WithBom;
  if (StartsWith(bytes, std::string_view("\xFF\xFE\0\0", 4))) return TextEncoding::Utf32Le;
  if (StartsWith(bytes, std::string_view("\0\0\xFE\xFF", 4))) return TextEncoding::Utf32Be;
  if (StartsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16Le;
  if (StartsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16Be;
  if (IsUtf8WithWideCharacter(bytes)) return TextEncoding::Utf8;
  return TextEncoding::Cp932;
}

Cp932Text ToCp932Text(Platform& platform, const std::string& bytes) {
  Cp932Text out;
  out.encoding = DetectTextEncoding(bytes);
  if (out.encoding == TextEncoding::Cp932) {
    out.text = bytes;
    return out;
  }
  std::u16string text = ToUtf16(out.encoding, bytes);
  // The text ends at its first NUL, in any encoding.
  text.resize(std::min(text.size(), text.find(u'\0')));
  std::erase(text, kByteOrderMark);
  for (const char16_t unit : text) {
    if (WindowsForm(unit) != unit && out.typedForms.find(unit) == std::u16string::npos) {
      out.typedForms += unit;
    }
  }
  ConvertLines(platform, text, out);
  return out;
}

}  // namespace sorvel
