#include "core/LauncherError.h"

#include "core/Cp932.h"

namespace sorvel {

InOutError::InOutError(ErrorCode code) : LauncherError(InOutErrorText(code)), code_(code) {}

std::string InOutErrorText(ErrorCode code) {
  switch (code) {
    case error::kFileNotFound:
      return "ファイルが見つかりません";
    case error::kPathNotFound:
      return "不正なファイル名です";
    case error::kTooManyOpenFiles:
      return "オープンしたファイルが多すぎます";
    case error::kAccessDenied:
      return "ファイルへのアクセスが拒否されました";
    default:
      return "I/O エラー (" + std::to_string(code) + ")";
  }
}

std::string WithClosingPeriod(const std::string& text) {
  const std::size_t last = cp932::LastCharStart(text);
  if (last == std::string::npos) return text;
  // The whole last character against "." byte by byte: every double-byte
  // character sorts above it, as do letters, digits and most punctuation.
  return text.compare(last, std::string::npos, ".") > 0 ? text + "." : text;
}

}  // namespace sorvel
