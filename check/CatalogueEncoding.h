// What the bytes of a catalogue file say about its encoding: the one the
// launcher reads it in, and whether the launcher reads it as it was meant.
#pragma once

#include <string>
#include <vector>

#include "check/CheckReport.h"
#include "platform/Platform.h"

namespace sorvel::check {

struct EncodingVerdict {
  Encoding encoding = Encoding::Cp932;
  int line = 0;  // NotCp932: the first line (from 1) with a byte that is not CP932

  // The launcher reads the file in another encoding than it was saved in.
  bool Misread() const {
    return encoding == Encoding::NotCp932 || encoding == Encoding::Utf16WithoutBom;
  }
};

EncodingVerdict DetectEncoding(const std::string& bytes);

// Length of the CP932 character at `pos` (1 or 2), or 0 when the bytes
// there are no CP932 character: an undefined single byte, a lead byte
// without its trail byte, or NUL (which ends the launcher's text).
std::size_t Cp932CharLength(const std::string& text, std::size_t pos);

// Characters CP932 lacks, named for a report: "U+263A", or with the look-alike
// Windows would put, "U+00E9 (e)".
std::vector<std::string> LackingCharacterNames(Platform& platform,
                                               const std::vector<std::u16string>& characters);

// Characters read as CP932's own from their other form: "～ (U+301C)".
std::vector<std::string> TypedFormNames(Platform& platform, const std::u16string& characters);

}  // namespace sorvel::check
