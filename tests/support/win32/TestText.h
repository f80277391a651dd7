// Text conversions of the tests under Wine: UTF-8 for readable failure
// messages and files of other programs, CP932 for comparing with the
// launcher's strings, and the Unix paths the test scripts hand over.
#pragma once

#include <string>

namespace sorvel::test {

std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

// The bytes of a wide string in CP932; "?" when it has no CP932 spelling.
std::string Cp932(const std::wstring& text);

// A Unix path as Wine's drive Z: shows it.
std::wstring UnixPathOnZ(const std::wstring& unixPath);

}  // namespace sorvel::test
