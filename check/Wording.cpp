#include "check/Wording.h"

#include <algorithm>
#include <iterator>

#include "core/Cp932.h"
#include "core/UserTexts.h"

namespace sorvel::check {

std::string Quoted(const std::string& text, Language language) {
  return Ja(language) ? "「" + text + "」" : "\"" + text + "\"";
}

std::string Joined(const std::vector<std::string>& parts, Language language) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += Ja(language) ? "、" : ", ";
    joined += part;
  }
  return joined;
}

std::string EntryName(const CheckReport& report, int n, Language language) {
  const std::string title =
      n >= 1 && n <= static_cast<int>(report.entries.size()) ? report.entries[n - 1].title : "";
  return (Ja(language) ? "項目 " : "entry ") + Number(n) + " (" + title + ")";
}

std::string ErrorInWords(unsigned code, Language language) {
  return Ja(language) ? texts::InOutErrorText(code) : texts::InOutErrorReason(code);
}

std::string EncodingInWords(Encoding encoding, Language language) {
  // In the order of Encoding.
  constexpr Wording kWords[] = {
      {"Shift-JIS (CP932)", "Shift-JIS (CP932)"},
      {"UTF-8 (BOM 付き)", "UTF-8 with a byte-order mark"},
      {"UTF-8", "UTF-8"},
      {"UTF-16 (Unicode)", "UTF-16 (\"Unicode\")"},
      {"BOM のない UTF-16", "UTF-16 without a byte-order mark"},
      {"Shift-JIS ではない文字コード", "not Shift-JIS"},
      {"UTF-32", "UTF-32"},
  };
  static_assert(std::size(kWords) == static_cast<std::size_t>(Encoding::Count));
  const Wording& words = kWords[static_cast<std::size_t>(encoding)];
  return Ja(language) ? words.ja : words.en;
}

// Replaces each {name} in one pass, so that a field holding braces stays as
// it is. Walks whole characters: a brace byte may be the second byte of a
// double-byte character.
std::string Filled(const Wording& wording, Language language, const Fields& fields) {
  const std::string pattern = Ja(language) ? wording.ja : wording.en;
  std::string text;
  for (std::size_t pos = 0; pos < pattern.size();) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(pattern[pos])) && pos + 1 < pattern.size()) {
      text.append(pattern, pos, 2);
      pos += 2;
      continue;
    }
    const std::size_t close = pattern[pos] == '{' ? pattern.find('}', pos) : std::string::npos;
    const std::string name =
        close == std::string::npos ? std::string() : pattern.substr(pos + 1, close - pos - 1);
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&name](const auto& f) { return f.first == name; });
    if (field == fields.end()) {
      text += pattern[pos++];
    } else {
      text += field->second;
      pos = close + 1;
    }
  }
  return text;
}

}  // namespace sorvel::check
