// The checker's edges: its command line, the language it picks, the
// encoding it reads off a catalogue's bytes, and the JSON and text it writes.

#include <gtest/gtest.h>

#include "check/CatalogueEncoding.h"
#include "check/CheckOptions.h"
#include "check/EntryText.h"
#include "check/FindingText.h"
#include "check/ReportJson.h"
#include "check/ReportText.h"

namespace sorvel::check {
namespace {

using Lines = std::vector<std::string>;

TEST(CheckOptionsTest, Arguments) {
  const struct {
    Lines arguments;
    std::string parsed;  // language json cd help version folder | error
  } cases[] = {
      {{}, "- 0 0 0 0 -1"},
      {{"D:\\SERIES\\LAUNCH"}, "- 0 0 0 0 0"},
      {{"--lang", "ja", "--json", "X"}, "ja 1 0 0 0 3"},
      {{"--lang=en", "--cd", "X"}, "en 0 1 0 0 2"},
      {{"X", "--help"}, "- 0 0 1 0 0"},
      {{"/?"}, "- 0 0 1 0 -1"},
      {{"--version"}, "- 0 0 0 1 -1"},
      {{"-"}, "- 0 0 0 0 0"},  // a folder named "-"
      {{"--lang"}, "error: --lang takes ja or en"},
      {{"--lang", "fr"}, "error: --lang takes ja or en"},
      {{"--lang=JA"}, "error: --lang takes ja or en"},
      {{"--jsn"}, "error: unknown option --jsn"},
      {{"A", "B"}, "error: only one launcher folder can be checked at a time"},
  };
  for (const auto& c : cases) {
    const CheckOptions options = ParseCheckArguments(c.arguments);
    std::string parsed;
    if (!options.error.empty()) {
      parsed = "error: " + options.error;
    } else {
      parsed = std::string(!options.languageGiven                   ? "-"
                           : options.language == Language::Japanese ? "ja"
                                                                    : "en") +
               " " + std::to_string(options.json) + " " + std::to_string(options.asCdRomRoot) +
               " " + std::to_string(options.help) + " " + std::to_string(options.version) + " " +
               std::to_string(options.folderArgument);
    }
    EXPECT_EQ(parsed, c.parsed) << ::testing::PrintToString(c.arguments);
  }
}

TEST(CheckOptionsTest, LanguageFromTheEnvironment) {
  const struct {
    std::string lcAll, lcMessages, lang;
    bool displayJapanese;
    Language language;
  } cases[] = {
      {"", "", "", false, Language::English},
      {"", "", "", true, Language::Japanese},
      {"", "", "ja_JP.UTF-8", false, Language::Japanese},
      {"", "", "C.UTF-8", true, Language::English},  // set, so it decides
      {"", "ja_JP.UTF-8", "en_US.UTF-8", false, Language::Japanese},
      {"en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", true, Language::English},
      {"ja", "", "", false, Language::Japanese},
      {"", "", "japanese", false, Language::Japanese},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LanguageFromEnvironment(c.lcAll, c.lcMessages, c.lang, c.displayJapanese), c.language)
        << c.lcAll << "|" << c.lcMessages << "|" << c.lang << "|" << c.displayJapanese;
  }
}

TEST(CheckOptionsTest, WaitsForAKeyOnlyInAConsoleOfItsOwn) {
  const struct {
    const char* started;
    bool outputIsConsole, inputIsConsole;
    unsigned processes;
    bool waits;
  } cases[] = {
      {"double-clicked, or a folder dropped on it", true, true, 1, true},
      {"in a Command Prompt", true, true, 2, false},
      {"output to a file or a pipe", false, true, 1, false},
      {"input from a file", true, false, 1, false},
      {"without a console", false, false, 0, false},
      {"the system cannot say", true, true, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WaitsForKeyBeforeClosing(c.outputIsConsole, c.inputIsConsole, c.processes), c.waits)
        << c.started;
  }
}

TEST(CatalogueEncodingTest, WhatTheBytesSay) {
  const struct {
    std::string bytes;
    std::string verdict;
  } cases[] = {
      {"", "cp932"},
      {"Caption\r\n2001\r\nT,x,1,k\r\n", "cp932"},
      {"数学シリーズ\r\n表計算ソフト\r\nｶﾀｶﾅ\r\n", "cp932"},  // trail bytes 0x5C, half-width kana
      {"\xEF\xBB\xBF"
       "Caption\r\n",
       "utf-8-bom"},
      {"\xE6\x95\xB0\xE5\xAD\xA6\r\n", "utf-8"},
      {"\xFF\xFE"
       "C\0",
       "utf-16"},
      {"\xFE\xFF\0C", "utf-16"},
      {std::string("\xFF\xFE\0\0C\0\0\0", 8), "utf-32"},
      {std::string("\0\0\xFE\xFF\0\0\0C", 8), "utf-32"},
      {std::string("C\0a\0", 4), "utf-16-no-bom"},
      {"ﾂｧ\r\n", "cp932"},                      // C2 A7 is two-byte UTF-8 too ("§")
      {"\xC3\xA9\r\n\xE6\x95", "cp932"},        // UTF-8 "é" and a cut character
      {"\xE6\x95\xB0\xE5\xAD", "cp932"},        // UTF-8 cut short happens to read as CP932
      {"ab\r\ncd\n\re\x80", "not-cp932 4"},     // lone CR counts as a line break
      {"ok\r\n\x82", "not-cp932 2"},            // a lead byte at the very end
      {"ok\r\nok\r\n\x82\x20", "not-cp932 3"},  // no trail byte
      {"ok\r\n\xFD", "not-cp932 2"},            // no CP932 byte at all
      {std::string("ok\r\nmid\0dle", 10), "not-cp932 2"},  // NUL ends the launcher's text
      {"\xED\xA0\x80", "not-cp932 1"},                     // a UTF-16 surrogate in UTF-8
      {"\xE6\x95\xB0\xC0\x80", "not-cp932 1"},             // an overlong UTF-8 form is no UTF-8
  };
  for (const auto& c : cases) {
    const EncodingVerdict verdict = DetectEncoding(c.bytes);
    std::string got = EncodingName(verdict.encoding);
    if (verdict.line) got += " " + std::to_string(verdict.line);
    EXPECT_EQ(got, c.verdict) << ::testing::PrintToString(c.bytes);
  }
}

TEST(ReportJsonTest, StringsKeepDoubleByteCharactersWhole) {
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"", "\"\""},
      {"ALGEBR12", "\"ALGEBR12\""},
      {"C:\\SERIES\\", "\"C:\\\\SERIES\\\\\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"表計算ソフト", "\"表計算ソフト\""},  // 0x5C as a trail byte stays as it is
      {"a\tb\r\n\x7F", "\"a\\u0009b\\u000d\\u000a\\u007f\""},
      {std::string("a\0b", 3), "\"a\\u0000b\""},
      {"x\x82\"", "\"x\\ufffd\\\"\""},  // a lead byte must not swallow the closing quote
      {"\x80\xA0\xFD", "\"\\ufffd\\ufffd\\ufffd\""},
      {"ｶﾀｶﾅ", "\"ｶﾀｶﾅ\""},
  };
  for (const auto& c : cases) EXPECT_EQ(JsonString(c.text), c.json) << c.text;
}

// Every finding and every cause has a sentence of its own in each language.
TEST(ReportTextTest, EveryFindingAndCauseIsWorded) {
  CheckReport report;
  report.scanned = true;
  EntryReport entry;
  entry.number = 1;
  entry.title = "代数";
  entry.exeName = "ALGEBRA1";
  entry.stem = "algebra1";
  report.entries.push_back(entry);
  Lines sentences;
  for (std::size_t kind = 0; kind < kFindingKindCount; ++kind) {
    Finding finding;
    finding.kind = static_cast<FindingKind>(kind);
    finding.entry = 1;
    finding.names = {"ALGEBR12"};
    for (Language language : {Language::Japanese, Language::English}) {
      sentences.push_back(FindingMessage(report, finding, language));
    }
  }
  // An image without long names: told by the catalogue's spelling alone.
  Finding oneCase;
  oneCase.kind = FindingKind::CatalogueInOneCase;
  oneCase.text = "SVLINDEX.TXT";
  for (Language language : {Language::Japanese, Language::English}) {
    sentences.push_back(FindingMessage(report, oneCase, language));
    EXPECT_NE(sentences.back().find("SVLINDEX.TXT"), std::string::npos) << sentences.back();
  }
  for (int reason = 0; reason < static_cast<int>(MissReason::Count); ++reason) {
    MissCause cause;
    cause.reason = static_cast<MissReason>(reason);
    cause.folder = "ボマ12";      // trail bytes 0x7B and 0x7D, the braces
    cause.file = "{folder}.exe";  // a name with braces stays as it is
    cause.firstEntry = "OLD.EXE";
    for (Language language : {Language::Japanese, Language::English}) {
      sentences.push_back(CauseMessage(entry, cause, language));
      // No placeholder is left unfilled.
      std::string rest = sentences.back();
      for (const std::string name : {"ボマ12", "{folder}.exe"}) {
        for (std::size_t at; (at = rest.find(name)) != std::string::npos;)
          rest.erase(at, name.size());
      }
      EXPECT_EQ(rest.find_first_of("{}"), std::string::npos) << sentences.back();
    }
  }
  for (const std::string& sentence : sentences) EXPECT_FALSE(sentence.empty());
  Lines distinct = sentences;
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  EXPECT_EQ(distinct.size(), sentences.size());
}

TEST(ReportTextTest, ResultLineCountsErrorsAndWarnings) {
  CheckReport report;
  report.catalogueLoaded = true;
  report.scanned = true;
  report.entries.resize(2);
  report.entries[0].installed = true;
  Finding copies;
  copies.kind = FindingKind::MissingIndexHtm;
  report.findings.push_back(copies);
  const std::string en = ReportText(report, Language::English, "9.8.7");
  const std::string ja = ReportText(report, Language::Japanese, "9.8.7");
  EXPECT_EQ(en.substr(0, 14), "SvlCheck 9.8.7");
  EXPECT_NE(en.find("\nResult: 0 errors, 2 warnings\n"), std::string::npos) << en;
  EXPECT_NE(ja.find("\n結果: エラー 0 件、警告 2 件\n"), std::string::npos) << ja;
  report.findings[0].kind = FindingKind::TooManyEntries;  // an error
  EXPECT_NE(ReportText(report, Language::English, "1").find("Result: 1 error, 1 warning\n"),
            std::string::npos);
}

// The header says where the launcher looks for the programs, and why.
TEST(ReportTextTest, EachLayoutIsToldInBothLanguagesAndInJson) {
  const struct {
    Layout layout;
    std::string en, ja, json;
  } cases[] = {
      {Layout::HardDisk, "Layout: hard disk - ", "配置: ハードディスク - ", "hardDisk"},
      {Layout::CdRomRoot, "Layout: CD-ROM root - ", "配置: CD-ROM のルート - ", "cdRomRoot"},
      {Layout::CopiedDisc, "Layout: disc copied into a folder - no program lies beside",
       "配置: フォルダにコピーしたディスク - ランチャーのフォルダの隣", "copiedDisc"},
  };
  for (const auto& c : cases) {
    CheckReport report;
    report.layout = c.layout;
    EXPECT_NE(ReportText(report, Language::English, "1").find("\n" + c.en), std::string::npos);
    EXPECT_NE(ReportText(report, Language::Japanese, "1").find("\n" + c.ja), std::string::npos);
    EXPECT_NE(ReportJson(report, Language::English, "1").find("\"layout\": \"" + c.json + "\""),
              std::string::npos);
  }
}

// A program the launcher does not find may lie in a folder it cannot read.
TEST(ReportTextTest, NotInstalledNamesTheFoldersThatCannotBeRead) {
  CheckReport report;
  report.scanned = true;
  report.entries.resize(1);
  report.entries[0].stem = "geometry";
  const auto message = [&report](Language language) {
    return EntryMessage(report, report.entries[0], language);
  };
  EXPECT_EQ(message(Language::English),
            "not installed: no folder the launcher searches holds geometry.exe");
  for (const char* folder : {"GEOMET11", "ZUKEI"}) {
    Finding unreadable;
    unreadable.kind = FindingKind::FolderUnreadable;
    unreadable.names = {folder};
    unreadable.errorCode = error::kAccessDenied;
    report.findings.push_back(unreadable);
  }
  EXPECT_EQ(message(Language::English),
            "not installed: no folder the launcher can read holds geometry.exe (it cannot read "
            "GEOMET11, ZUKEI)");
  EXPECT_EQ(
      message(Language::Japanese),
      "未インストール: ランチャーが読めるフォルダに geometry.exe はありません (読めないフォルダ: "
      "GEOMET11、ZUKEI)");
  EXPECT_EQ(FindingMessage(report, report.findings[0], Language::English).substr(0, 42),
            "GEOMET11 cannot be read (access is denied)");
  EXPECT_NE(FindingMessage(report, report.findings[0], Language::Japanese)
                .find("(ファイルへのアクセスが拒否されました)"),
            std::string::npos);
}

// A title read from a UTF-8 catalogue can end in a lead byte without its
// trail byte; it must not take the report's own ")" with it.
TEST(ReportTextTest, BytesThatAreNoCharacterShowAsTheLauncherShowsThem) {
  CheckReport report;
  report.catalogueLoaded = true;
  report.scanned = true;
  EntryReport entry;
  entry.number = 1;
  entry.title = "証明\x8E";
  entry.stem = "x";
  report.entries.push_back(entry);
  const std::string text = ReportText(report, Language::English, "1");
  EXPECT_NE(text.find("entry 1 (証明・): not installed\n"), std::string::npos) << text;
  EXPECT_NE(text.find("   1  証明・  x.exe\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace sorvel::check
