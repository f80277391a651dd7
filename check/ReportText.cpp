#include "check/ReportText.h"

#include "check/CatalogueEncoding.h"
#include "check/EntryText.h"
#include "check/FindingText.h"
#include "check/Wording.h"
#include "core/Catalogue.h"

namespace sorvel::check {

namespace {

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

// The labels of the report's frame.
struct Labels {
  const char* title;
  const char* launcherFolder;
  const char* hardDisk;
  const char* cdRomRoot;
  const char* copiedDisc;
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
    "フォルダにコピーしたディスク - ランチャーのフォルダの隣 (..\\) にプログラムがないため、"
    "CD-ROM のルートと同じくランチャーのフォルダの下のフォルダから探します",
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
    "disc copied into a folder - no program lies beside the launcher folder (..\\), so "
    "programs are searched in the sub-folders of the launcher folder, as on the CD-ROM root",
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

const char* LayoutLabel(Layout layout, const Labels& labels) {
  switch (layout) {
    case Layout::CdRomRoot:
      return labels.cdRomRoot;
    case Layout::CopiedDisc:
      return labels.copiedDisc;
    case Layout::HardDisk:
      break;
  }
  return labels.hardDisk;
}

std::string SeverityWord(Severity severity, Language language) {
  if (severity == Severity::Error) return Ja(language) ? "エラー" : "error";
  return Ja(language) ? "警告" : "warning";
}

void AppendHeader(const CheckReport& report, const Labels& labels, Language language,
                  const std::string& version, std::string& text) {
  text += "SvlCheck " + version + " - " + labels.title + "\n";
  text += labels.launcherFolder + report.homeFolder + "\n";
  text +=
      std::string(Ja(language) ? "配置: " : "Layout: ") + LayoutLabel(report.layout, labels) + "\n";
  text += labels.catalogue + std::string(kCatalogueFileName) + (Ja(language) ? "、" : ", ");
  if (!report.catalogueLoaded) {
    text += std::string(labels.notLoaded) + "\n";
    return;
  }
  text += EncodingInWords(report.encoding, language) + (Ja(language) ? "、" : ", ") +
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
    if (finding.severity() == severity) {
      lines += "  " + FindingMessage(report, finding, language) + "\n";
    }
  }
  if (!lines.empty()) text += std::string("\n") + heading + "\n" + lines;
}

}  // namespace

std::string FolderErrorMessage(const std::string& folder, ErrorCode code, Language language) {
  return Ja(language)
             ? "SvlCheck: フォルダ " + folder + " に入れません: " + ErrorInWords(code, language)
             : "SvlCheck: cannot enter the folder " + folder + ": " + ErrorInWords(code, language);
}

std::string OutputErrorMessage(Language language) {
  return Ja(language) ? "SvlCheck: 標準出力に書き出せませんでした"
                      : "SvlCheck: cannot write to the standard output";
}

std::string PressAnyKeyMessage(Language language) {
  return Ja(language) ? "何かキーを押すと閉じます" : "Press any key to close";
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
