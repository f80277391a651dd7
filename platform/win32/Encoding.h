// CP932 (Shift-JIS) <-> UTF-16 at the edge of the W API.
//
// The code page is always 932, never the system's ANSI code page, so the
// launcher behaves the same on any system. Conversions of names are strict:
// a byte string that is not valid CP932, or a name that has no exact CP932
// spelling, gives nullopt instead of a '?'-substituted look-alike.
#pragma once

#include <optional>
#include <string>

namespace sorvel::win32 {

// Strict: nullopt for bytes that are not valid CP932.
std::optional<std::wstring> Cp932ToWide(const std::string& text);

// Strict: nullopt for characters that have no exact CP932 spelling (no
// default character, no best-fit look-alike).
std::optional<std::string> WideToCp932(const std::wstring& text);

// A path or name for a W call: strict, and an embedded NUL (which would cut
// the path short and name another file) makes it invalid too.
std::optional<std::wstring> PathToWide(const std::string& path);

// Lenient, for text that is only shown or printed: invalid bytes become the
// code page's default character.
std::wstring Cp932ToWideLenient(const std::string& text);

// Lenient, for names that are only reported: a character without a CP932
// spelling becomes its look-alike or "?".
std::string WideToCp932Lenient(const std::wstring& text);

// The look-alike Windows puts for a text CP932 cannot spell exactly (its
// best fit); nullopt when it would put the default character.
std::optional<std::string> WideToCp932LookAlike(const std::wstring& text);

// UTF-16 -> UTF-8, for text written to a pipe or a file.
std::string WideToUtf8(const std::wstring& text);

}  // namespace sorvel::win32
