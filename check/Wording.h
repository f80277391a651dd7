// The pieces the checker's sentences are made of, in either language.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"
#include "core/Catalogue.h"

namespace sorvel::check {

inline bool Ja(Language language) { return language == Language::Japanese; }

inline std::string Number(int value) { return std::to_string(value); }

// A text the launcher shows, quoted as each language quotes.
std::string Quoted(const std::string& text, Language language);

// The parts in a list: "a、b" or "a, b".
std::string Joined(const std::vector<std::string>& parts, Language language);

// "entry 3 (title)", with the title of entry `n` of the report.
std::string EntryName(const CheckReport& report, int n, Language language);

// The file name the launcher looks for.
inline std::string ExeFile(const EntryReport& entry) { return ProgramFileName(entry.stem); }

// Why a folder cannot be read or entered: the launcher's own text of the
// error in Japanese, a plain reason in English.
std::string ErrorInWords(unsigned code, Language language);

// The catalogue's encoding in words.
std::string EncodingInWords(Encoding encoding, Language language);

// A sentence in both languages; {name} stands for one of its fields.
struct Wording {
  const char* ja;
  const char* en;
};

using Fields = std::vector<std::pair<std::string, std::string>>;

// The wording in `language` with each {name} replaced by its field.
std::string Filled(const Wording& wording, Language language, const Fields& fields);

}  // namespace sorvel::check
