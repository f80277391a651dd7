// Byte-level helpers for CP932 (Shift-JIS) strings.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sorvel::cp932 {

// True for a byte that starts a double-byte character.
bool IsLeadByte(unsigned char byte);

// Offset of the last character's first byte (npos for an empty string).
std::size_t LastCharStart(const std::string& text);

// True when the last character is a backslash: a 0x5C that is the second
// byte of a double-byte character (ソ, 表, 能, ...) does not count.
bool EndsWithBackslash(const std::string& text);

// `path` with a backslash appended unless it already ends in one.
std::string WithTrailingBackslash(const std::string& path);

// `name` (a file name or a pattern) in `folder`, joined with one backslash,
// also after a folder whose last byte is the 0x5C of a double-byte
// character (計算表).
std::string InFolder(const std::string& folder, const std::string& name);

// Turns bytes 'A'..'Z' into lower case wherever they stand, also as the
// second byte of a double-byte character.
std::string AsciiLower(const std::string& text);

// The upper case of a single-byte letter a-z (a drive letter); any other
// byte stays as it is.
char AsciiUpper(char byte);
// Upper-cases the single-byte letters a-z of a text (a volume label or a
// share's name); double-byte characters stay as they are, also where their
// second byte looks like a letter. Unlike AsciiLower, which folds file names
// byte by byte as the launcher's stems were always folded.
std::string AsciiUpper(const std::string& text);

// Compares without regard to the case of single-byte letters A-Z; the bytes
// of double-byte characters compare exactly (as file names are compared).
bool EqualsNoCase(const std::string& a, const std::string& b);

// Splits at every backslash that is a character of its own: "C:\A\B" gives
// "C:", "A", "B"; a trailing backslash gives a last empty part.
std::vector<std::string> SplitAtBackslashes(const std::string& text);

// Bytes before the last whole character that ends at or before `maxBytes`.
std::size_t FitWholeChars(const std::string& text, std::size_t maxBytes);

}  // namespace sorvel::cp932
