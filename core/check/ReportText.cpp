#include "core/check/ReportText.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "core/check/CatalogueEncoding.h"
#include "core/check/SeriesCheck.h"
#include "platform/Platform.h"

namespace sorvel::check {

namespace {

bool Ja(Language language) { return language == Language::Japanese; }

// The text with "・" for each byte that is no CP932 character, as the
// launcher's windows show it; written out as it stands, a lead byte without
// its trail byte would take the report's next character with it.
std::string Displayable(const std::string& text) {
  std::string shown;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Cp932CharLength(text, pos);
    if (length == 0) {
      shown += "・";
      ++pos;
    } else {
      shown.append(text, pos, length);
      pos += length;
    }
  }
  return shown;
}

std::string Number(int value) { return std::to_string(value); }

// A text the launcher shows, quoted as each language quotes.
std::string Quoted(const std::string& text, Language language) {
  return Ja(language) ? "「" + text + "」" : "\"" + text + "\"";
}

std::string Joined(const std::vector<std::string>& parts, Language language) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += Ja(language) ? "、" : ", ";
    joined += part;
  }
  return joined;
}

std::string EntryName(const CheckReport& report, int n, Language language) {
  const std::string title =
      n >= 1 && n <= static_cast<int>(report.entries.size()) ? report.entries[n - 1].title : "";
  return (Ja(language) ? "項目 " : "entry ") + Number(n) + " (" + title + ")";
}

std::string ExeFile(const EntryReport& entry) { return entry.stem + ".exe"; }

std::string EncodingName(Encoding encoding, Language language) {
  switch (encoding) {
    case Encoding::Cp932:
      return "Shift-JIS (CP932)";
    case Encoding::Utf8WithBom:
      return Ja(language) ? "UTF-8 (BOM 付き)" : "UTF-8 with a byte-order mark";
    case Encoding::Utf8:
      return "UTF-8";
    case Encoding::Utf16:
      return Ja(language) ? "UTF-16 (Unicode)" : "UTF-16 (\"Unicode\")";
    case Encoding::NotCp932:
      return Ja(language) ? "Shift-JIS ではない文字コード" : "not Shift-JIS";
  }
  return "";
}

std::string EncodingMessage(const Finding& finding, Language language) {
  if (finding.encoding == Encoding::NotCp932) {
    return Ja(language) ? Number(finding.line) +
                              " 行目に Shift-JIS (CP932) ではないバイトがあり、ランチャーでは"
                              "そこが文字化けします"
                        : "line " + Number(finding.line) +
                              " holds bytes that are not Shift-JIS (CP932): the launcher shows "
                              "garbage there";
  }
  const std::string name = EncodingName(finding.encoding, language);
  return Ja(language) ? "カタログが " + name +
                            " で保存されています: ランチャーは Shift-JIS (CP932) として読むため"
                            "文字化けします。Shift-JIS で保存してください"
                      : "the catalogue is saved as " + name +
                            ": the launcher reads Shift-JIS (CP932) and shows garbage; save it as "
                            "Shift-JIS";
}

std::string MalformedLineMessage(const Finding& finding, Language language) {
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

std::string ForeignNameMessage(const Finding& finding, Language language) {
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

std::string LauncherFileMessage(const char* file, const char* button, Language language) {
  return Ja(language)
             ? std::string("ランチャーのフォルダに ") + file +
                   " がありません: " + Quoted(button, language) + "ボタンを押しても何も開きません"
             : std::string(file) + " is not in the launcher folder: the " +
                   Quoted(button, language) + " button opens nothing";
}

// The wording of each miss reason, in the order of MissReason. {file},
// {folder}, {first}, {other}, {exe} and {date} stand for the cause's names.
struct Wording {
  const char* ja;
  const char* en;
};

constexpr Wording kCauseWording[] = {
    {"項目 {other} と実行ファイル名 {exe} が同じで、ランチャーはそのファイルを常に項目 {other} "
     "として扱います",
     "entry {other} has the same executable name {exe}, and the launcher always takes that file "
     "for entry {other}"},
    {"{file} は {folder} にありますが、ランチャーはこのフォルダを飛ばします: 最初の *.exe の項目 "
     "{first} がフォルダです",
     "{file} is in {folder}, but the launcher passes over that folder: its first *.exe entry, "
     "{first}, is a folder"},
    {"{file} は {folder} にありますが、ランチャーはこのフォルダを飛ばします: 最初の *.exe の項目 "
     "{first} の日付が{date}",
     "{file} is in {folder}, but the launcher passes over that folder: its first *.exe entry, "
     "{first}, is dated {date}"},
    {"{folder} の {file} は隠しファイルかシステムファイルで、ランチャーは無視します",
     "{file} in {folder} is a hidden or system file, which the launcher leaves out"},
    {"{file} は {folder} にありますが、このフォルダは隠しフォルダかシステムフォルダで、ランチャー"
     "は無視します",
     "{file} is in {folder}, but that is a hidden or system folder, which the launcher leaves out"},
    {"{file} は {folder} にありますが、フォルダ名に Shift-JIS (CP932) にない文字があり (ここでは"
     "似た文字か ? で表示)、ランチャーには見えません",
     "{file} is in {folder}, but that folder's name has characters outside Shift-JIS (CP932), "
     "shown here as look-alikes or \"?\": the launcher cannot see it"},
    {"{folder} の {file} はファイル名に Shift-JIS (CP932) にない文字があり (ここでは似た文字か ? "
     "で表示)、ランチャーには見えません",
     "{file} in {folder} has characters outside Shift-JIS (CP932) in its name, shown here as "
     "look-alikes or \"?\": the launcher cannot see it"},
    {"{file} はランチャーのフォルダの中の {folder} にありますが、ハードディスクではランチャーは"
     "自分のフォルダの隣のフォルダを探します",
     "{file} is in {folder} inside the launcher folder, but on a hard disk the launcher searches "
     "the folders beside its own"},
    {"{folder} のファイル名は {file} ですが、ランチャーは実行ファイル名を 8 バイトに切り詰めて "
     "{exe} を探します",
     "the file in {folder} is named {file}, but the launcher cuts executable names to 8 bytes and "
     "looks for {exe}"},
};
static_assert(std::size(kCauseWording) == static_cast<std::size_t>(MissReason::NameCut) + 1);

using Fields = std::vector<std::pair<std::string, std::string>>;

// `wording` with each {name} replaced by its field, in one pass, so that a
// field holding braces stays as it is. Walks whole characters: a brace byte
// may be the second byte of a double-byte character.
std::string Filled(const std::string& wording, const Fields& fields) {
  std::string text;
  for (std::size_t pos = 0; pos < wording.size();) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(wording[pos])) && pos + 1 < wording.size()) {
      text.append(wording, pos, 2);
      pos += 2;
      continue;
    }
    const std::size_t close = wording[pos] == '{' ? wording.find('}', pos) : std::string::npos;
    const std::string name =
        close == std::string::npos ? std::string() : wording.substr(pos + 1, close - pos - 1);
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&name](const auto& f) { return f.first == name; });
    if (field == fields.end()) {
      text += wording[pos++];
    } else {
      text += field->second;
      pos = close + 1;
    }
  }
  return text;
}

// The labels of the report's frame.
struct Labels {
  const char* title;
  const char* launcherFolder;
  const char* hardDisk;
  const char* cdRomRoot;
  const char* catalogue;
  const char* notLoaded;
  const char* entriesUnit;
  const char* caption;
  const char* lastUpdate;
  const char* entries;
  const char* errors;
  const char* warnings;
  const char* result;
};

constexpr Labels kJapanese{
    "Sorvel Launcher シリーズ点検",
    "ランチャーのフォルダ: ",
    "ハードディスク - ランチャーのフォルダの隣のフォルダ (..\\) からプログラムを探します",
    "CD-ROM のルート - ランチャーのフォルダの下のフォルダからプログラムを探します",
    "カタログ: ",
    "読み込めません",
    " 件",
    "タイトル: ",
    "更新日: ",
    "項目",
    "エラー",
    "警告",
    "結果: ",
};

constexpr Labels kEnglish{
    "Sorvel Launcher series check",
    "Launcher folder: ",
    "hard disk - programs are searched in the folders beside the launcher folder (..\\)",
    "CD-ROM root - programs are searched in the sub-folders of the launcher folder",
    "Catalogue: ",
    "not loaded",
    " entries",
    "Caption: ",
    "Last update: ",
    "Entries",
    "Errors",
    "Warnings",
    "Result: ",
};

std::string SeverityWord(Severity severity, Language language) {
  if (severity == Severity::Error) return Ja(language) ? "エラー" : "error";
  return Ja(language) ? "警告" : "warning";
}

void AppendHeader(const CheckReport& report, const Labels& labels, Language language,
                  const std::string& version, std::string& text) {
  text += "SvlCheck " + version + " - " + labels.title + "\n";
  text += labels.launcherFolder + report.homeFolder + "\n";
  text += std::string(Ja(language) ? "配置: " : "Layout: ") +
          (report.layout == Layout::CdRomRoot ? labels.cdRomRoot : labels.hardDisk) + "\n";
  text += labels.catalogue + std::string(kCatalogueFileName) + (Ja(language) ? "、" : ", ");
  if (!report.catalogueLoaded) {
    text += std::string(labels.notLoaded) + "\n";
    return;
  }
  text += EncodingName(report.encoding, language) + (Ja(language) ? "、" : ", ") +
          Number(static_cast<int>(report.entries.size())) + labels.entriesUnit + "\n";
  text += labels.caption + report.caption + "\n";
  text += labels.lastUpdate + report.lastUpdate + "\n";
}

void AppendEntries(const CheckReport& report, const Labels& labels, Language language,
                   std::string& text) {
  if (report.entries.empty()) return;
  text += std::string("\n") + labels.entries + "\n";
  for (const EntryReport& entry : report.entries) {
    const std::string number = Number(entry.number);
    text += std::string(number.size() < 4 ? 4 - number.size() : 0, ' ') + number + "  " +
            entry.title + "  " + ExeFile(entry) + "\n";
    const std::string indent = "      ";
    const Severity severity = report.scanned ? entry.severity() : Severity::None;
    const std::string mark =
        severity == Severity::None ? "" : SeverityWord(severity, language) + ": ";
    text += indent + mark + EntryMessage(report, entry, language) + "\n";
    for (std::size_t i = 1; i < entry.causes.size(); ++i) {
      text += indent + "  " + CauseMessage(entry, entry.causes[i], language) + "\n";
    }
  }
}

// A problem entry's line in the errors or warnings; its details are with
// the entry.
std::string EntryProblemLine(const CheckReport& report, const EntryReport& entry,
                             Language language) {
  const bool absent = entry.causes.empty();
  return EntryName(report, entry.number, language) + ": " +
         (Ja(language)
              ? (absent ? "未インストール" : "ディスクにあるのにランチャーが見つけられません")
              : (absent ? "not installed" : "on the disk, but the launcher does not find it"));
}

void AppendFindings(const CheckReport& report, Severity severity, const char* heading,
                    Language language, std::string& text) {
  std::string lines;
  if (report.scanned) {
    for (const EntryReport& entry : report.entries) {
      if (entry.severity() == severity)
        lines += "  " + EntryProblemLine(report, entry, language) + "\n";
    }
  }
  for (const Finding& finding : report.findings) {
    if (finding.severity == severity) {
      lines += "  " + FindingMessage(report, finding, language) + "\n";
    }
  }
  if (!lines.empty()) text += std::string("\n") + heading + "\n" + lines;
}

}  // namespace

std::string FindingMessage(const CheckReport& report, const Finding& finding, Language language) {
  const bool ja = Ja(language);
  switch (finding.kind) {
    case FindingKind::CatalogueMissing:
      return ja ? "ランチャーは" + Quoted(finding.text, language) +
                      "と表示して終了します: ランチャーのフォルダにカタログ SVLindex.txt "
                      "がありません"
                : "the launcher shows " + Quoted(finding.text, language) +
                      " and ends: the catalogue SVLindex.txt is not in the launcher folder";
    case FindingKind::CatalogueTooShort:
      return ja ? "ランチャーはエラー" + Quoted(finding.text, language) +
                      "を表示して終了します: カタログの 1 行目はタイトル、2 行目は更新日で、"
                      "この 2 行は必ず要ります"
                : "the launcher shows the error " + Quoted(finding.text, language) +
                      " and ends: the catalogue needs its caption line and its date line";
    case FindingKind::CatalogueUnreadable:
      return ja ? "カタログを読めません。ランチャーはエラー" + Quoted(finding.text, language) +
                      "を表示して終了します"
                : "the catalogue cannot be read; the launcher shows the error " +
                      Quoted(finding.text, language) + " and ends";
    case FindingKind::ScanFailed:
      return ja ? "ランチャーはエラー" + Quoted(finding.text, language) +
                      "を表示し、プログラムを一つも見つけられません: " + finding.names[0] +
                      " に入れません"
                : "the launcher shows the error " + Quoted(finding.text, language) +
                      " and finds no program: it cannot enter " + finding.names[0];
    case FindingKind::MalformedLine:
      return MalformedLineMessage(finding, language);
    case FindingKind::NotCp932:
      return EncodingMessage(finding, language);
    case FindingKind::SeveralCopies:
      return CopiesMessage(report, finding, language);
    case FindingKind::NameCut:
    case FindingKind::NameCutInsideCharacter:
      return NameMessage(report, finding, language);
    case FindingKind::TooManyEntries:
      return ja ? "項目が " + Number(finding.count) + " 件あります: 画面に並ぶタイトルは " +
                      Number(kBoardRoom) +
                      " 件 (6 件ずつ 3 列) までで、19 件目からはサイドパネルに重なり、"
                      "ウィンドウからはみ出します"
                : Number(finding.count) + " entries: the board has room for " + Number(kBoardRoom) +
                      " titles (three columns of six); from the 19th on, the titles cover the "
                      "side panel and run off the window";
    case FindingKind::VersionNotInFolderName: {
      const EntryReport& entry = report.entries[finding.entry - 1];
      return ja ? EntryName(report, finding.entry, language) + ": フォルダ名 " + entry.folder +
                      " からはバージョン" + Quoted(finding.text, language) +
                      "しか得られません: フォルダ名の 7 バイト目以降にバージョンの 2 桁を入れて"
                      "ください (ALGEBR12 なら 1.2)"
                : EntryName(report, finding.entry, language) + ": the folder name " + entry.folder +
                      " gives the version " + Quoted(finding.text, language) +
                      ": put the version's two digits at or after its 7th byte (ALGEBR12 gives "
                      "1.2)";
    }
    case FindingKind::ForeignName:
      return ForeignNameMessage(finding, language);
    case FindingKind::MissingIndexHtm:
      return LauncherFileMessage("index.htm", "最新版ダウンロード", language);
    case FindingKind::MissingHelpFile:
      return LauncherFileMessage(kHelpFileName, "ヘルプ", language);
  }
  return "";
}

std::string EntryMessage(const CheckReport& report, const EntryReport& entry, Language language) {
  const bool ja = Ja(language);
  if (!report.scanned) return ja ? "未点検" : "not checked";
  if (entry.installed) {
    return ja ? "インストール済み: " + entry.folder + "\\" + entry.file + "、バージョン " +
                    entry.version + " (最新 " + entry.latestVersion + ")"
              : "installed: " + entry.folder + "\\" + entry.file + ", version " + entry.version +
                    " (latest " + entry.latestVersion + ")";
  }
  if (entry.causes.empty()) {
    return ja ? "未インストール: ランチャーが探すフォルダに " + ExeFile(entry) + " がありません"
              : "not installed: no folder the launcher searches holds " + ExeFile(entry);
  }
  return (ja ? "見つかりません: " : "not found: ") + CauseMessage(entry, entry.causes[0], language);
}

std::string CauseMessage(const EntryReport& entry, const MissCause& cause, Language language) {
  const Wording& wording = kCauseWording[static_cast<std::size_t>(cause.reason)];
  const bool ja = Ja(language);
  const char* date = cause.datedTooEarly ? (ja ? "1980 年より前です" : "before 1980")
                                         : (ja ? "2107 年より後です" : "after 2107");
  return Filled(ja ? wording.ja : wording.en, {{"file", cause.file},
                                               {"folder", cause.folder},
                                               {"first", cause.firstEntry},
                                               {"other", Number(cause.otherEntry)},
                                               {"exe", ExeFile(entry)},
                                               {"date", date}});
}

std::string FolderErrorMessage(const std::string& folder, ErrorCode code, Language language) {
  if (Ja(language))
    return "SvlCheck: フォルダ " + folder + " に入れません: " + InOutErrorText(code);
  std::string reason;
  switch (code) {
    case error::kFileNotFound:
    case error::kPathNotFound:
      reason = "it does not exist";
      break;
    case error::kAccessDenied:
      reason = "access is denied";
      break;
    case error::kNotReady:
      reason = "the drive is not ready";
      break;
    case error::kInvalidName:
    case 267:  // the name is a file's, not a folder's
      reason = "it is not a folder name";
      break;
    default:
      reason = "error " + Number(static_cast<int>(code));
  }
  return "SvlCheck: cannot enter the folder " + folder + ": " + reason;
}

std::string ReportText(const CheckReport& report, Language language, const std::string& version) {
  const Labels& labels = Ja(language) ? kJapanese : kEnglish;
  std::string text;
  AppendHeader(report, labels, language, version, text);
  AppendEntries(report, labels, language, text);
  AppendFindings(report, Severity::Error, labels.errors, language, text);
  AppendFindings(report, Severity::Warning, labels.warnings, language, text);
  const int errors = report.Errors();
  const int warnings = report.Warnings();
  text += std::string("\n") + labels.result +
          (Ja(language) ? "エラー " + Number(errors) + " 件、警告 " + Number(warnings) + " 件"
                        : Number(errors) + (errors == 1 ? " error, " : " errors, ") +
                              Number(warnings) + (warnings == 1 ? " warning" : " warnings")) +
          "\n";
  return Displayable(text);
}

}  // namespace sorvel::check
