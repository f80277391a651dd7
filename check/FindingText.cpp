#include "check/FindingText.h"

#include <iterator>
#include <vector>

#include "check/SeriesCheck.h"
#include "check/Wording.h"
#include "core/BoardRoom.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "core/TextEncoding.h"
#include "core/UserTexts.h"

namespace sorvel::check {

namespace {

std::string EncodingMessage(const CheckReport&, const Finding& finding, Language language) {
  if (finding.encoding == Encoding::NotCp932) {
    return Ja(language) ? Number(finding.line) +
                              " 行目に Shift-JIS (CP932) ではないバイトがあり、ランチャーでは"
                              "そこが文字化けします"
                        : "line " + Number(finding.line) +
                              " holds bytes that are not Shift-JIS (CP932): the launcher shows "
                              "garbage there";
  }
  return Ja(language)
             ? "カタログが BOM のない UTF-16 で保存されています: ランチャーは Shift-JIS "
               "(CP932) として読むため、最初の NUL バイトで終わります。UTF-8 か BOM 付きの "
               "UTF-16、または Shift-JIS で保存してください"
             : "the catalogue is saved as UTF-16 without a byte-order mark: the launcher "
               "reads it as Shift-JIS (CP932), and it ends at the first NUL byte; save it "
               "as UTF-8, as UTF-16 with a byte-order mark or as Shift-JIS";
}

std::string UnspellableLineMessage(const CheckReport&, const Finding& finding, Language language) {
  const bool head = finding.line <= 2;  // the caption and the date keep the rest
  const std::string mark(1, kUnspellableMark);
  // Each character by its code, with the nearest Shift-JIS one in brackets.
  const std::string which = finding.names.empty() ? "" : ": " + Joined(finding.names, language);
  if (Ja(language)) {
    return Number(finding.line) + " 行目: ランチャーは起動のたびに" +
           Quoted(finding.text, language) +
           (head ? "と表示し、" : "と表示してこの行を飛ばします: ") +
           "Shift-JIS (CP932) にない文字 (ここでは " + mark + which + "。括弧内は最も近い文字) " +
           (head ? "を省いて表示します" : "があります。Shift-JIS にある文字に替えてください");
  }
  return "line " + Number(finding.line) + ": the launcher shows " + Quoted(finding.text, language) +
         " at every start and " + (head ? "leaves out" : "skips the line: replace") +
         " the characters that Shift-JIS (CP932) lacks (shown here as " + mark + which +
         "; in brackets the nearest Shift-JIS character)";
}

std::string MalformedLineMessage(const CheckReport&, const Finding& finding, Language language) {
  if (Ja(language)) {
    const std::string has =
        finding.count == 0 ? "この行は空です" : "この行は " + Number(finding.count) + " 個";
    return Number(finding.line) + " 行目: ランチャーは起動のたびに" +
           Quoted(finding.text, language) +
           "と表示し、この行を飛ばします: プログラムの行には 3 つのコンマで区切った 4 つの項目が"
           "必要です (" +
           has + ")";
  }
  const std::string has =
      finding.count == 0 ? "this one is empty" : "this one has " + Number(finding.count);
  return "line " + Number(finding.line) + ": the launcher shows " + Quoted(finding.text, language) +
         " at every start and skips the line: a program line needs four fields separated by "
         "three commas (" +
         has + ")";
}

std::string CopiesMessage(const CheckReport& report, const Finding& finding, Language language) {
  const EntryReport& entry = report.entries[finding.entry - 1];
  std::vector<std::string> places;
  for (const std::string& folder : finding.names) {
    places.push_back(folder + " (" + VersionFromFolder(folder) + ")");
  }
  const std::string who = EntryName(report, finding.entry, language);
  if (Ja(language)) {
    return who + ": " + ExeFile(entry) + " が " + Number(entry.copies) + " 個あります (" +
           Joined(places, language) + ")。ランチャーはフォルダ順で最後の " + finding.text +
           " のものを起動します";
  }
  return who + ": " + Number(entry.copies) + " copies of " + ExeFile(entry) + ", in " +
         Joined(places, language) + ": the launcher starts the one in " + finding.text +
         ", the last in its folder order";
}

std::string NameMessage(const CheckReport& report, const Finding& finding, Language language) {
  const EntryReport& entry = report.entries[finding.entry - 1];
  const std::string who = EntryName(report, finding.entry, language);
  if (finding.kind == FindingKind::NameCut) {
    return Ja(language) ? who + ": 実行ファイル名 " + entry.exeName +
                              " は 8 バイトを超えるため、ランチャーは切り詰めて " + ExeFile(entry) +
                              " を探します"
                        : who + ": the executable name " + entry.exeName +
                              " is longer than 8 bytes; the launcher cuts it and looks for " +
                              ExeFile(entry);
  }
  return Ja(language) ? who + ": 実行ファイル名 " + entry.exeName +
                            " は 8 バイトで切ると 2 バイト文字の途中で切れるため、ランチャーが"
                            "探す名前のファイルは作れません"
                      : who + ": the executable name " + entry.exeName +
                            " is cut to 8 bytes in the middle of a double-byte character: no file "
                            "can have the name the launcher looks for";
}

std::string BlankMessage(const CheckReport& report, const Finding& finding, Language language) {
  const EntryReport& entry = report.entries[finding.entry - 1];
  const std::string who = EntryName(report, finding.entry, language);
  const std::string name = Quoted(entry.exeName, language);
  const std::string file = Quoted(ExeFile(entry), language);
  const Ends ends = OuterBlanks(entry.stem);
  if (Ja(language)) {
    const char* where = ends == Ends::Start ? "先頭" : ends == Ends::End ? "末尾" : "先頭と末尾";
    return who + ": 実行ファイル名" + name + "の" + where + "に空白があり、ランチャーはそのまま" +
           file + "を探します: SVLindex.txt の空白を消してください";
  }
  const char* where = ends == Ends::Start ? "starts with a blank"
                      : ends == Ends::End ? "ends with a blank"
                                          : "starts and ends with blanks";
  return who + ": the executable name " + name + " " + where + ", and the launcher looks for " +
         file + " as it stands: delete the blank in SVLindex.txt";
}

// The English sentence spells the board's shape out in words.
static_assert(kBoardColumns == 3 && kPanelsPerColumn == 6, "say the board's shape anew");

std::string TooManyEntriesMessage(const CheckReport&, const Finding& finding, Language language) {
  const std::string first = Number(kBoardRoom + 1);  // the first title that does not fit
  return Ja(language) ? "項目が " + Number(finding.count) + " 件あります: 画面に並ぶタイトルは " +
                            Number(kBoardRoom) + " 件 (" + Number(kPanelsPerColumn) + " 件ずつ " +
                            Number(kBoardColumns) + " 列) までで、" + first +
                            " 件目からはサイドパネルに重なり、ウィンドウからはみ出します"
                      : Number(finding.count) + " entries: the board has room for " +
                            Number(kBoardRoom) + " titles (three columns of six); from the " +
                            first + "th on, the titles cover the side panel and run off the window";
}

std::string FolderVersionMessage(const CheckReport& report, const Finding& finding,
                                 Language language) {
  const EntryReport& entry = report.entries[finding.entry - 1];
  const std::string who = EntryName(report, finding.entry, language);
  return Ja(language) ? who + ": フォルダ名 " + entry.folder + " からはバージョン" +
                            Quoted(finding.text, language) +
                            "しか得られません: フォルダ名の 7 バイト目以降にバージョンの 2 桁を"
                            "入れてください (ALGEBR12 なら 1.2)"
                      : who + ": the folder name " + entry.folder + " gives the version " +
                            Quoted(finding.text, language) +
                            ": put the version's two digits at or after its 7th byte (ALGEBR12 "
                            "gives 1.2)";
}

std::string ForeignNameMessage(const CheckReport&, const Finding& finding, Language language) {
  const bool folder = finding.names.empty();
  if (Ja(language)) {
    const std::string what = folder ? finding.text + ": フォルダ名"
                                    : finding.names[0] + " の " + finding.text + ": ファイル名";
    return what +
           "に Shift-JIS (CP932) にない文字があり (ここでは似た文字か ? で表示)、"
           "ランチャーには見えません";
  }
  const std::string what =
      folder ? finding.text + ": a folder" : finding.text + " in " + finding.names[0] + ": a file";
  return what +
         " whose name has characters outside Shift-JIS (CP932), shown here as look-alikes "
         "or \"?\": the launcher cannot see it";
}

std::string UnreadableFolderMessage(const CheckReport&, const Finding& finding, Language language) {
  const std::string why = ErrorInWords(finding.errorCode, language);
  return Ja(language) ? finding.names[0] + " を読めません (" + why +
                            "): ランチャーはこのフォルダを黙って飛ばし、中のプログラムは見つかり"
                            "ません。この点検でも中は分かりません"
                      : finding.names[0] + " cannot be read (" + why +
                            "): the launcher passes over it without a word and finds no program "
                            "in it; this check cannot tell what it holds either";
}

std::string HelpFileNames(Language language) {
  const std::string comma = Ja(language) ? "、" : ", ";
  return std::string(kHtmlHelpFileName) + comma + kHelpPageFileName + comma + kWinHelpFileName;
}

// A file of the launcher's folder that one of its buttons opens.
std::string LauncherFileMessage(const CheckReport&, const Finding& finding, Language language) {
  const bool help = finding.kind == FindingKind::MissingHelpFile;
  const char* button = help ? texts::kHelpButton : texts::kDownLoadButton;
  if (Ja(language)) {
    const std::string file =
        help ? std::string(texts::kHelpButton) + " (" + HelpFileNames(language) + ")"
             : std::string(kDownloadPageFileName);
    return "ランチャーのフォルダに " + file + " がありません: " + Quoted(button, language) +
           "ボタンを押しても何も開きません";
  }
  const std::string missing = help ? "no help file (" + HelpFileNames(language) + ") is"
                                   : std::string(kDownloadPageFileName) + " is not";
  return missing + " in the launcher folder: the " + Quoted(button, language) +
         " button opens nothing";
}

std::string HelpMessage(const CheckReport&, const Finding& finding, Language language) {
  const std::string chm = kHtmlHelpFileName;
  const std::string page = kHelpPageFileName;
  const std::string button = Quoted(texts::kHelpButton, language);
  const bool ja = Ja(language);
  switch (finding.kind) {
    case FindingKind::WinHelpOnly:
      return ja ? std::string("ヘルプが ") + kWinHelpFileName +
                      " だけです: Windows 10 と 11 は Windows ヘルプ (WinHlp32) を開けず、" +
                      button + "ボタンでは Windows の「サポートされていません」が出るだけです。" +
                      chm + " か " + page + " (できれば両方) を加えてください"
                : std::string("the only help is ") + kWinHelpFileName +
                      ": Windows 10 and 11 cannot open Windows Help (WinHlp32), and the " + button +
                      " button shows only Windows' notice that it is not supported; add " + chm +
                      " and/or " + page;
    case FindingKind::ChmWithoutPage:
      return ja ? chm + " はありますが " + page +
                      " がありません: 学校のサーバー (ネットワークドライブや UNC の共有) から"
                      "開いたときや、ブロックを解除せずに展開したダウンロードの zip からは、"
                      "ヘルプのページが空白になります。" +
                      page + " も入れれば、ネットワーク上ではランチャーがそれをブラウザで開きます"
                : chm + " without " + page +
                      ": from a school server (a network drive or a UNC share), or unpacked "
                      "from a downloaded zip that was not unblocked, the help's pages stay "
                      "blank; ship " +
                      page + " too, and on a network the launcher opens it in the browser";
    default:  // ChmNotCompiled
      return ja ? chm + " はコンパイル済みの HTML ヘルプではありません (先頭が ITSF ではない): " +
                      button + "ボタンでは開けません。HTML ヘルプのコンパイラで作り直してください"
                : chm + " is no compiled HTML Help file (it does not start with ITSF): the " +
                      button +
                      " button cannot open it; compile it again with an HTML Help "
                      "compiler";
  }
}

using Message = std::string (*)(const CheckReport&, const Finding&, Language);

// What each kind of finding says: a wording whose {quoted} is the finding's
// text as the launcher shows it, {text} the text as it stands, {folder} the
// first name and {names} all of them; or a sentence built by a function.
struct Sentence {
  FindingKind kind;
  Wording wording;
  Message message = nullptr;
};

constexpr Sentence kSentences[] = {
    {FindingKind::CatalogueMissing,
     {"ランチャーは{quoted}と表示して終了します: ランチャーのフォルダにカタログ SVLindex.txt "
      "がありません",
      "the launcher shows {quoted} and ends: the catalogue SVLindex.txt is not in the launcher "
      "folder"}},
    {FindingKind::CatalogueTooShort,
     {"ランチャーはエラー{quoted}を表示して終了します: カタログの 1 行目はタイトル、"
      "2 行目は更新日で、この 2 行は必ず要ります",
      "the launcher shows the error {quoted} and ends: the catalogue needs its caption line "
      "and its date line"}},
    {FindingKind::CatalogueUnreadable,
     {"カタログを読めません。ランチャーはエラー{quoted}を表示して終了します",
      "the catalogue cannot be read; the launcher shows the error {quoted} and ends"}},
    {FindingKind::ScanFailed,
     {"ランチャーはエラー{quoted}を表示し、プログラムを一つも見つけられません: "
      "{folder} に入れません",
      "the launcher shows the error {quoted} and finds no program: it cannot enter {folder}"}},
    {FindingKind::MalformedLine, {}, MalformedLineMessage},
    {FindingKind::NotCp932, {}, EncodingMessage},
    {FindingKind::UnspellableLine, {}, UnspellableLineMessage},
    {FindingKind::SeveralCopies, {}, CopiesMessage},
    {FindingKind::NameCut, {}, NameMessage},
    {FindingKind::NameCutInsideCharacter, {}, NameMessage},
    {FindingKind::BlankInExeName, {}, BlankMessage},
    {FindingKind::TooManyEntries, {}, TooManyEntriesMessage},
    {FindingKind::VersionNotInFolderName, {}, FolderVersionMessage},
    {FindingKind::ForeignName, {}, ForeignNameMessage},
    {FindingKind::MissingIndexHtm, {}, LauncherFileMessage},
    {FindingKind::MissingHelpFile, {}, LauncherFileMessage},
    {FindingKind::WinHelpOnly, {}, HelpMessage},
    {FindingKind::ChmWithoutPage, {}, HelpMessage},
    {FindingKind::ChmNotCompiled, {}, HelpMessage},
    {FindingKind::FolderUnreadable, {}, UnreadableFolderMessage},
    {FindingKind::NameChangedByImage,
     {"ディスクのイメージが名前を変えています ({names}): ISO 9660 の名前の ; と番号や末尾の . "
      "が残り、ランチャーにもプログラムにも元の名前では見つかりません。Joliet の長い名前を"
      "書くツールで作り直してください",
      "the disc image changed these names ({names}): the ISO 9660 \";\" and number or final "
      "\".\" remain, and neither the launcher nor the programs find them by their own names; "
      "make the image again with a tool that writes Joliet long names"}},
    {FindingKind::CatalogueInOneCase,
     {"カタログが {text} と 1 種類の大文字小文字だけで見えます: このイメージには "
      "Joliet の長い名前がなく、長い名前は 8.3 に切られ、日本語の名前は別の文字に"
      "置き換えられています",
      "the catalogue shows as {text}, all in one case: the image has no Joliet long names, so "
      "long names are cut to 8.3 and Japanese names replaced by other characters"}},
    {FindingKind::DatedBefore1980,
     {"1980 年より前の日付のファイルやフォルダ ({names}): "
      "Windows は日付を正しく扱えず、ランチャーはそのフォルダのプログラムを"
      "見つけないことがあります。シリーズのフォルダにあるこれらのファイル自身の日付が"
      "原因です: 1980 年以降の日付を付け直し (保存し直すか touch で)、イメージを作り直して"
      "ください。元のファイルの日付が正しいときだけ、日付を変えたのは作成ツールです",
      "files or folders dated before 1980 ({names}): Windows cannot keep such dates, and the "
      "launcher may pass over their folder's program. The files themselves carry these dates "
      "in the series folder: give them a date from 1980 on (save them again, or touch them) "
      "and make the image again; only when they are dated right there did the mastering tool "
      "change their dates"}},
    {FindingKind::AutorunTargetMissing,
     {"autorun.inf の {text}= が名指す {names} がディスクにありません: ディスクを入れても"
      "ランチャーは始まらず、アイコンも出ません",
      "autorun.inf's {text}= names {names}, which is not on the disc: inserting the disc starts "
      "nothing and shows no icon"}},
    {FindingKind::TypedFormsRead,
     {"カタログの {names} は Mac や Linux で入力される形の文字です: ランチャーは Windows と"
      "同じく、Shift-JIS (CP932) のその文字として読みます",
      "the catalogue writes {names} in the form macOS and Linux type: the launcher reads each "
      "as the Shift-JIS (CP932) character it stands for, as Windows shows it"}},
    {FindingKind::DiscRootWithoutCd,
     {"プログラムはディスクのルートのようにランチャーのフォルダの中にあります: ここがディスクの"
      "ルート (またはルートとして並べたフォルダ) なら、--cd を付けても点検してください"
      " (イメージだけに現れる問題はそのときに調べます)",
      "the programs lie inside the launcher folder, as on a disc's root: if this is a disc's root "
      "(or a folder laid out as one), check it with --cd too (what only the image shows is "
      "checked then)"}},
};
static_assert(OneRowPerKind(kSentences), "every finding kind needs its sentences, in order");

}  // namespace

std::string FindingMessage(const CheckReport& report, const Finding& finding, Language language) {
  const Sentence& sentence = kSentences[static_cast<std::size_t>(finding.kind)];
  if (sentence.message != nullptr) return sentence.message(report, finding, language);
  const std::string first = finding.names.empty() ? std::string() : finding.names[0];
  return Filled(sentence.wording, language,
                {{"quoted", Quoted(finding.text, language)},
                 {"text", finding.text},
                 {"folder", first},
                 {"names", Joined(finding.names, language)}});
}

}  // namespace sorvel::check
