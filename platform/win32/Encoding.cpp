#include "platform/win32/Encoding.h"

#include <windows.h>

namespace sorvel::win32 {
namespace {

constexpr UINT kCp932 = 932;

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int count =
      WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), count, nullptr, nullptr);
  return bytes;
}

std::optional<std::wstring> ToWide(const std::string& text, DWORD flags) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int count = MultiByteToWideChar(kCp932, flags, text.data(), length, nullptr, 0);
  if (count <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  if (MultiByteToWideChar(kCp932, flags, text.data(), length, wide.data(), count) != count) {
    return std::nullopt;
  }
  return wide;
}

}  // namespace

std::optional<std::wstring> Cp932ToWide(const std::string& text) {
  return ToWide(text, MB_ERR_INVALID_CHARS);
}

std::optional<std::string> WideToCp932(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int count = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                        0, nullptr, &usedDefault);
  if (count <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(count), '\0');
  if (WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), count,
                          nullptr, &usedDefault) != count ||
      usedDefault) {
    return std::nullopt;
  }
  // The table may still map a character to bytes that read back as another
  // character; such a name could be confused with a different one.
  const auto back = Cp932ToWide(bytes);
  if (!back || *back != text) return std::nullopt;
  return bytes;
}

std::optional<std::wstring> PathToWide(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return Cp932ToWide(path);
}

std::wstring Cp932ToWideLenient(const std::string& text) {
  return ToWide(text, 0).value_or(std::wstring());
}

std::string WideToCp932Lenient(const std::wstring& text) { return FromWide(kCp932, text); }

std::optional<std::string> WideToCp932LookAlike(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int count =
      WideCharToMultiByte(kCp932, 0, text.data(), length, nullptr, 0, nullptr, &usedDefault);
  if (count <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(kCp932, 0, text.data(), length, bytes.data(), count, nullptr, nullptr);
  return bytes;
}

std::string WideToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, text); }

}  // namespace sorvel::win32
