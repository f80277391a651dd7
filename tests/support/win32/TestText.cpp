#include "tests/support/win32/TestText.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Encoding.h"

namespace sorvel::test {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

std::wstring FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

std::string Cp932(const std::wstring& text) { return win32::WideToCp932(text).value_or("?"); }

std::wstring UnixPathOnZ(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

}  // namespace sorvel::test
