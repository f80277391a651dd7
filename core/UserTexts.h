// Every text the user of the launcher sees: the windows' and the buttons'
// captions, what a screen reader hears, the status table's titles, the
// boxes' messages and the errors' texts, also those of the port's error
// codes. A new message is one row here. All CP932. An error text has no
// closing period: the error box adds it where it belongs (WithClosingPeriod).
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

#include "platform/Platform.h"

namespace sorvel::texts {

// Captions. The first is the main window's until the catalogue names the
// series, and every box's.
inline constexpr const char* kApplicationTitle = "Sorvel Launcher";
inline constexpr const char* kChooserCaption = "Sorvel Launcher Drive";

inline constexpr const char* kShowButton = "詳細";
inline constexpr const char* kEndButton = "終了";
inline constexpr const char* kChangeDriveButton = "参照";
inline constexpr const char* kDownLoadButton = "最新版ダウンロード";
inline constexpr const char* kHelpButton = "ヘルプ";
inline constexpr const char* kOkButton = "OK";
inline constexpr const char* kCancelButton = "ｷｬﾝｾﾙ";
inline constexpr const char* kCloseButton = "閉じる";
inline constexpr const char* kPrintButton = "印刷";

// What a screen reader calls the controls whose text does not say what they
// are.
inline constexpr const char* kMenuToggleName = "メニューの表示切り替え";  // the small picture
inline constexpr const char* kDriveBoxName = "ドライブ";
inline constexpr const char* kFolderListName = "フォルダ一覧";
inline constexpr const char* kChosenFolderName = "検索するフォルダ";
inline constexpr const char* kSearchedFolderName = "検索したフォルダ";
inline constexpr const char* kStatusGridName = "インストール状況";
inline constexpr const char* kLastUpdateName = "更新日";
// A grid cell is its column's title, this, then its row's title.
inline constexpr const char* kCellNameJoint = "、";

// The status table: its column titles (as many columns as titles), the
// attribute of every program found and of one not found, and the mark that
// opens each printed line.
inline constexpr const char* kStatusColumnTitles[] = {
    "単元名", "実行ファイル名", "Ver", "最新", "属性", "重複", "フォルダ名",
};
inline constexpr const char* kFreeAttribute = "Free";
inline constexpr const char* kNotInstalledAttribute = "not installed";  // in the attribute's column
inline constexpr const char* kPrintedLineMark = "□　";

// The plain boxes of the catalogue's loading.
inline std::string MissingCatalogueText(const std::string& path) { return path + "がありません"; }
// A program line that gives no entry.
inline std::string MalformedLineText(const std::string& line) { return line + " DATAが不正です"; }
// The caption's or the date's line (1 or 2) lost characters CP932 lacks.
inline std::string UnspellableHeadText(std::size_t lineNumber, const std::string& kept) {
  return std::to_string(lineNumber) + "行目の表示できない文字を省きました: " + kept;
}

// Errors.
inline std::string UnreadableFileText(const std::string& path) {
  return "ファイル " + path + " は開けません";
}
// The catalogue has no line `index` (from 0).
inline std::string LineOutOfRangeText(std::size_t index) {
  return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}
inline constexpr const char* kUnnamedHomeFolderText = "現在のフォルダ名に扱えない文字があります";
inline constexpr const char* kOutOfMemoryText = "メモリが不足しています";
inline std::string WindowNotMadeText(const std::string& windowName) {
  return "ウィンドウを作成できません (" + windowName + ")";
}

// The input/output error codes with words of their own: the launcher's error
// box (none: told in decimal) and the series checker's plain English reason
// (none: "error" and the code).
inline constexpr struct {
  ErrorCode code;
  const char* text;
  const char* reason;
} kInOutErrorTexts[] = {
    {error::kFileNotFound, "ファイルが見つかりません", "it does not exist"},
    {error::kPathNotFound, "不正なファイル名です", "it does not exist"},
    {error::kTooManyOpenFiles, "オープンしたファイルが多すぎます", nullptr},
    {error::kAccessDenied, "ファイルへのアクセスが拒否されました", "access is denied"},
    {error::kNotReady, nullptr, "the drive is not ready"},
    {error::kInvalidName, nullptr, "it is not a folder name"},
    {error::kDirectoryName, nullptr, "it is not a folder name"},
};
// Any other code is told in decimal between these two.
inline constexpr const char* kOtherInOutErrorHead = "I/O エラー (";
inline constexpr const char* kOtherInOutErrorTail = ")";

// The words of an input/output error code, as the error box shows them.
std::string InOutErrorText(ErrorCode code);
// The checker's English reason for an input/output error code.
std::string InOutErrorReason(ErrorCode code);

// The text printer's faults, a row for each.
inline constexpr struct {
  PrintFault fault;
  const char* text;
} kPrintFaultTexts[] = {
    {PrintFault::NoDefaultPrinter, "デフォルト プリンタが存在しません"},
    {PrintFault::InvalidPrinter, "選択したプリンタは有効ではありません"},
    {PrintFault::AlreadyPrinting, "現在印刷中です"},
    {PrintFault::NoJob, "印刷ジョブが開かれていません"},
};
static_assert(std::size(kPrintFaultTexts) == static_cast<std::size_t>(PrintFault::Count),
              "every print fault has its row");

std::string PrintFaultText(PrintFault fault);

// The text the error box shows for an error, whoever threw it: the port's
// codes in the words above, the core's errors as they were thrown.
std::string ErrorText(const LauncherError& error);
// The same for the exception being handled: any other exception's own text,
// running out of memory in words. Call it only inside a catch block.
std::string CurrentErrorText();

}  // namespace sorvel::texts
