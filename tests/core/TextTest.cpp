#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "tests/support/RecordingMessages.h"

namespace sorvel {
namespace {

TEST(Cp932Test, LiteralsAreShiftJisBytes) {
  // The tests below rely on these encodings.
  EXPECT_EQ(std::string("表"), "\x95\x5C");
  EXPECT_EQ(std::string("ア"), "\x83\x41");
}

TEST(Cp932Test, LeadBytesAre81To9FAndE0ToFC) {
  const struct {
    unsigned char byte;
    bool lead;
  } cases[] = {
      {0x41, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true},
      {0x9F, true},  {0xA0, false}, {0xB1, false}, {0xDF, false}, {0xE0, true},
      {0xEF, true},  {0xF0, true},  {0xFA, true},  {0xFC, true},  {0xFD, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp932::IsLeadByte(c.byte), c.lead) << std::hex << static_cast<int>(c.byte);
  }
}

TEST(Cp932Test, EndsWithBackslashLooksAtWholeCharacters) {
  const struct {
    std::string text;
    bool expected;
  } cases[] = {
      {"", false},           {"C:\\", true},          {"C:\\SERIES", false},
      {"C:\\計算表", false}, {"C:\\計算表\\", true},  {"ソ", false},
      {"能\\", true},        {"ｱ\\", true},           {"\x81", false},
      {"\xFA\x5C", false},   {"C:\\\xF0\x5C", false}, {"\xEF\x5C\\", true},
  };
  for (const auto& c : cases) EXPECT_EQ(cp932::EndsWithBackslash(c.text), c.expected) << c.text;
  EXPECT_EQ(cp932::WithTrailingBackslash("C:\\計算表"), "C:\\計算表\\");
  EXPECT_EQ(cp932::WithTrailingBackslash("C:\\ソ"), "C:\\ソ\\");
  EXPECT_EQ(cp932::WithTrailingBackslash("C:\\"), "C:\\");
  EXPECT_EQ(cp932::InFolder("C:\\計算表", "prog.exe"), "C:\\計算表\\prog.exe");
  EXPECT_EQ(cp932::InFolder("C:\\計算表\\", "*.exe"), "C:\\計算表\\*.exe");
}

TEST(Cp932Test, FoldingAndSplitting) {
  EXPECT_EQ(cp932::AsciiLower("ABC.Exe"), "abc.exe");
  EXPECT_EQ(cp932::AsciiLower("ア"), "\x83\x61");  // the second byte is folded too

  EXPECT_TRUE(cp932::EqualsNoCase("C:\\Series", "c:\\SERIES"));
  EXPECT_FALSE(cp932::EqualsNoCase("C:\\ア", "C:\\\x83\x61"));  // trail bytes compare exactly
  EXPECT_FALSE(cp932::EqualsNoCase("C:\\SERIES", "C:\\SERIES\\"));

  EXPECT_EQ(cp932::SplitAtBackslashes("C:\\計算表\\ソフト"),
            (std::vector<std::string>{"C:", "計算表", "ソフト"}));
  EXPECT_EQ(cp932::SplitAtBackslashes("C:\\"), (std::vector<std::string>{"C:", ""}));
}

TEST(Cp932Test, FitWholeCharsNeverSplitsADoubleByteCharacter) {
  const std::string text = "aあb";
  EXPECT_EQ(cp932::FitWholeChars(text, 0), 0u);
  EXPECT_EQ(cp932::FitWholeChars(text, 2), 1u);
  EXPECT_EQ(cp932::FitWholeChars(text, 3), 3u);
  EXPECT_EQ(cp932::FitWholeChars(text, 99), 4u);
}

TEST(LauncherErrorTest, InOutErrorTexts) {
  const struct {
    ErrorCode code;
    std::string text;
  } cases[] = {
      {2, "ファイルが見つかりません"},
      {3, "不正なファイル名です"},
      {4, "オープンしたファイルが多すぎます"},
      {5, "ファイルへのアクセスが拒否されました"},
      {21, "I/O エラー (21)"},
      {123, "I/O エラー (123)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(texts::InOutErrorText(c.code), c.text);
    const InOutError error(c.code);
    EXPECT_EQ(error.Code(), c.code);
    EXPECT_EQ(texts::ErrorText(error), c.text);
  }
}

TEST(LauncherErrorTest, PrintFaultsAndTheCoresOwnErrorsInWords) {
  const struct {
    PrintFault fault;
    std::string text;
  } cases[] = {
      {PrintFault::NoDefaultPrinter, "デフォルト プリンタが存在しません"},
      {PrintFault::InvalidPrinter, "選択したプリンタは有効ではありません"},
      {PrintFault::AlreadyPrinting, "現在印刷中です"},
      {PrintFault::NoJob, "印刷ジョブが開かれていません"},
  };
  for (const auto& c : cases) EXPECT_EQ(texts::ErrorText(PrintError(c.fault)), c.text);
  EXPECT_EQ(texts::ErrorText(LauncherError("ファイル C:\\A は開けません")),
            "ファイル C:\\A は開けません");
}

TEST(LauncherErrorTest, ClosingPeriodFollowsTheLastCharacter) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"", ""},
      {"abc", "abc."},
      {"(1)", "(1)"},
      {"done.", "done."},
      {"a-", "a-"},
      {"a/", "a/."},
      {"ｱ", "ｱ."},
      {"I/O エラー (21)", "I/O エラー (21)"},
      {"ファイルが見つかりません", "ファイルが見つかりません."},
  };
  for (const auto& c : cases) EXPECT_EQ(WithClosingPeriod(c.text), c.shown) << c.text;
}

TEST(LauncherErrorTest, ShowErrorUsesTheErrorBoxWithThePeriodRule) {
  test::RecordingMessages messages;
  messages.ShowError("ファイルへのアクセスが拒否されました");
  messages.ShowError("リストのインデックスが範囲を超えています (0)");
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_EQ(messages.errors,
            (std::vector<std::string>{"ファイルへのアクセスが拒否されました.",
                                      "リストのインデックスが範囲を超えています (0)"}));
}

}  // namespace
}  // namespace sorvel
