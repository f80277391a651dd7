#include <gtest/gtest.h>

#include "core/Catalogue.h"
#include "platform/Platform.h"
#include "tests/support/TestLauncher.h"
#include "tests/support/UnicodeBytes.h"

namespace sorvel {
namespace {

using Lines = std::vector<std::string>;

// One field of every catalogue entry, in entry order.
Lines Field(const LauncherState& state, std::string CatalogueEntry::*field) {
  Lines values;
  for (const CatalogueEntry& entry : state.entries) values.push_back(entry.*field);
  return values;
}
Lines Titles(const LauncherState& state) { return Field(state, &CatalogueEntry::title); }

TEST(SplitLinesTest, LineBreaks) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\n\n\n", {"a", "", ""}},
      {"\r\n", {""}},
      {std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {std::string("\0a", 2), {}},
      {" a , b \r\n\r\n c", {" a , b ", "", " c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(SplitTextTest, Fields) {
  const struct {
    std::string text;
    int count;
    Lines parts;
  } cases[] = {
      {"a,b,c,d", 4, {"a", "b", "c", "d"}},
      {"a,,c,d", 4, {"a", "", "c", "d"}},
      {"a,b,c,d,", 5, {"a", "b", "c", "d", ""}},
      {",,", 3, {"", "", ""}},
      {"abc", 1, {"abc"}},
      {" 計算 , ソ ", 2, {" 計算 ", " ソ "}},
      {"", 0, {}},
  };
  for (const auto& c : cases) {
    Lines parts{"left over"};
    EXPECT_EQ(SplitText(c.text, ",", parts), c.count) << c.text;
    EXPECT_EQ(parts, c.parts) << c.text;
  }
}

TEST(ExeStemTest, FirstEightBytesLowered) {
  const struct {
    std::string exeName;
    std::string stem;
  } cases[] = {
      {"MATHDRILL1", "mathdril"},
      {"Abc", "abc"},
      {" PROG", " prog"},
      {"計算ABCDEF",
       "\x8C\x76\x8E\x7A"
       "abcd"},                                            // 算 is 8E 5A: its "Z" byte is lowered
      {"アイウエオ", "\x83\x61\x83\x63\x83\x65\x83\x67"},  // A-Z bytes inside characters too
      {"a_1-Z", "a_1-z"},
      {"ABCDEFGア", "abcdefg\x83"},  // 8 bytes, even through a character: ア is 83 41
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExeStemOf(c.exeName), c.stem) << c.exeName;
}

class LoadCatalogueTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "C:\\SERIES\\LAUNCH\\SVLindex.txt";

  LoadCatalogueTest() {
    launcher.platform.AddFolder("C:\\SERIES\\LAUNCH");
    launcher.state.homeFolder = "C:\\SERIES\\LAUNCH\\";
  }
  bool Load(const std::string& text) {
    launcher.platform.AddFile(kPath, text);
    return LoadCatalogue(launcher.context, kCatalogueFileName);
  }
  std::string LoadError(const std::string& text) {
    try {
      Load(text);
    } catch (const LauncherError& error) {
      return error.Text();
    }
    return "no error";
  }

  test::TestLauncher launcher;
  LauncherState& state = launcher.state;
};

TEST_F(LoadCatalogueTest, FillsCaptionDateAndEntries) {
  ASSERT_TRUE(
      Load("数学シリーズ\r\n2001/04/01 更新\r\n代数,ALGEBRA1,1.3,alg\r\n"
           "Title,PROG,1.2\r\n幾何, Geometry,2.0,\r\n"));
  EXPECT_EQ(state.caption, "数学シリーズ");
  EXPECT_EQ(state.lastUpdate, "2001/04/01 更新");
  EXPECT_EQ(Titles(state), (Lines{"代数", "幾何"}));
  EXPECT_EQ(Field(state, &CatalogueEntry::exeStem), (Lines{"algebra1", " geometr"}));
  EXPECT_EQ(Field(state, &CatalogueEntry::latestVersion), (Lines{"1.3", "2.0"}));
  EXPECT_EQ(Field(state, &CatalogueEntry::key), (Lines{"alg", ""}));
  EXPECT_EQ(state.Entry(2).title, "幾何");
  EXPECT_EQ(launcher.messages.messages, Lines{"Title,PROG,1.2 DATAが不正です"});
  EXPECT_EQ(state.catalogueLines.size(), 5u);
}

// Each entry as its title and stem.
Lines TitlesAndStems(const LauncherState& state) {
  Lines entries;
  for (const CatalogueEntry& entry : state.entries)
    entries.push_back(entry.title + "|" + entry.exeStem);
  return entries;
}

// Whatever the encoding, the lines are CP932 before they are split.
TEST_F(LoadCatalogueTest, EachLineGivesAnEntryOrOneMessage) {
  using test::kUtf8Bom;
  using test::Utf16;
  using test::Utf8;
  const struct {
    std::string text;
    Lines entries;
    Lines messages;
    Lines head = {"Cap", "Date"};
  } cases[] = {
      {"Cap\r\nDate", {}, {}},
      {"Cap\r\nDate\r\n", {}, {}},
      {"Cap\r\nDate\r\nA,a,1,k\r\n\r\n", {"A|a"}, {" DATAが不正です"}},
      {"Cap\nDate\nA,a,1,k\n\rB,b,1,k", {"A|a", "B|b"}, {" DATAが不正です"}},
      {"Cap\r\nDate\r\nA,a,1,k,\r\nB,b,1\r\nC,c,1,k",
       {"C|c"},
       {"A,a,1,k, DATAが不正です", "B,b,1 DATAが不正です"}},
      // Half-width katakana in CP932 are valid two-byte UTF-8 (C2 A7: "§").
      {"ﾂｧ\r\nDate\r\nﾂｧ,a,1,k", {"ﾂｧ|a"}, {}, {"ﾂｧ", "Date"}},
      {Utf8(u8"数学\r\n更新\r\n計算,けいさんドリル,1.0,k\r\n"),
       {"計算|けいさん"},
       {},
       {"数学", "更新"}},
      {kUtf8Bom + Utf8(u8"数学\nDate\n代数,ALGEBRA1,1,k"), {"代数|algebra1"}, {}, {"数学", "Date"}},
      {Utf16(u"数学\r\n更新\r\n代数,ALGEBRA1,1,k"), {"代数|algebra1"}, {}, {"数学", "更新"}},
      {Utf16(u"Cap\rDate\rA,a,1,k\r", true), {"A|a"}, {}},
      {Utf16(u"Cap\r\nDate\r\nA,a,1,k\0B,b,1,k"), {"A|a"}, {}},
      // A character CP932 cannot spell: its program line is skipped, the
      // caption and the date keep the rest.
      {Utf8(u8"数学☺\r\nDate\r\n代数☺,ALGEBRA1,1,k\r\n幾何,GEO,1,k"),
       {"幾何|geo"},
       {"1行目の表示できない文字を省きました: 数学?", "代数?,ALGEBRA1,1,k DATAが不正です"},
       {"数学", "Date"}},
      {kUtf8Bom + std::string("Cap\r\nDate\xFF\r\nA,a,1,k\r\nB,b\xC3,1,k"),
       {"A|a"},
       {"2行目の表示できない文字を省きました: Date?", "B,b?,1,k DATAが不正です"}},
      {Utf16(u"Cap\r\nDate\r\nA,a,1,k\r\n\xD800,a,1,k") + "\n",
       {"A|a"},
       {"?,a,1,k? DATAが不正です"}},
      {Utf8(u8"Cap\r\nDate\r\nA,a,1,k\r\n☺"), {"A|a"}, {"? DATAが不正です"}},
      {Utf8(u8"Cap\rDate\nA,a,1,k\r☺\nB,b,1,k"), {"A|a", "B|b"}, {"? DATAが不正です"}},
      // What macOS and Linux type for CP932's 〜 and －, a byte-order mark
      // inside the text (files joined together), and UTF-32.
      {Utf8(u8"Cap\r\nDate\r\n関数〜グラフ,A,1,k\r\n−1,B,1,k"), {"関数～グラフ|a", "－1|b"}, {}},
      {Utf16(u"Cap\r\nDate\r\n関数〜グラフ,A,1,k\r\n−1,B,1,k"), {"関数～グラフ|a", "－1|b"}, {}},
      {Utf16(u"Cap\r\n\uFEFFDate\r\nA\uFEFF,a,1,k"), {"A|a"}, {}},
      {kUtf8Bom + Utf8(u8"Cap\r\nDate\r\n\uFEFFA,a,1,k"), {"A|a"}, {}},
      {test::Utf32(U"数学\r\nDate\r\n代数,ALGEBRA1,1,k"), {"代数|algebra1"}, {}, {"数学", "Date"}},
      {test::Utf32(U"Cap\nDate\nA,a,1,k\n", true) + std::string("\0\x11\0\0\x01", 5),
       {"A|a"},
       {"?? DATAが不正です"}},
  };
  for (const auto& c : cases) {
    launcher.messages.messages.clear();
    ASSERT_TRUE(Load(c.text)) << c.text;
    EXPECT_EQ((Lines{state.caption, state.lastUpdate}), c.head) << c.text;
    EXPECT_EQ(TitlesAndStems(state), c.entries) << c.text;
    EXPECT_EQ(launcher.messages.messages, c.messages) << c.text;
  }
}

TEST_F(LoadCatalogueTest, MissingFileKeepsTheListsAndSaysSo) {
  state.SetEntries({{"kept", "kept", "1.0", "k"}});
  EXPECT_FALSE(LoadCatalogue(launcher.context, kCatalogueFileName));
  EXPECT_EQ(launcher.messages.messages, Lines{"C:\\SERIES\\LAUNCH\\SVLindex.txtがありません"});
  EXPECT_EQ(Titles(state), Lines{"kept"});
}

TEST_F(LoadCatalogueTest, FileThatFailsTheExistenceTestCountsAsMissing) {
  // A folder of that name, and a file dated before the DOS calendar.
  launcher.platform.AddFolder(kPath);
  EXPECT_FALSE(LoadCatalogue(launcher.context, kCatalogueFileName));
  launcher.platform.AddFile("C:\\SERIES\\LAUNCH\\OLD.txt", "Cap\r\nDate\r\n", attr::kArchive, 0);
  EXPECT_FALSE(LoadCatalogue(launcher.context, "OLD.txt"));
  EXPECT_EQ(launcher.messages.messages.size(), 2u);
}

TEST_F(LoadCatalogueTest, UnreadableFileRaisesTheOpenError) {
  launcher.platform.InjectError(test::FakePlatform::Operation::ReadFile, kPath,
                                error::kSharingViolation);
  EXPECT_EQ(LoadError("Cap\r\nDate\r\n"), "ファイル C:\\SERIES\\LAUNCH\\SVLindex.txt は開けません");
}

TEST_F(LoadCatalogueTest, FewerThanTwoLinesRaisesTheIndexError) {
  state.SetEntries({{"old", "old", "1.0", "k"}});
  EXPECT_EQ(LoadError(""), "リストのインデックスが範囲を超えています (0)");
  EXPECT_EQ(LoadError(test::kUtf8Bom), "リストのインデックスが範囲を超えています (0)");
  EXPECT_EQ(LoadError("Caption only\r\n"), "リストのインデックスが範囲を超えています (1)");
  EXPECT_EQ(LoadError(test::Utf16(u"Caption only")),
            "リストのインデックスが範囲を超えています (1)");
  EXPECT_EQ(state.caption, "Caption only");
  EXPECT_EQ(state.EntryCount(), 0);
  EXPECT_TRUE(state.results.empty());
}

TEST_F(LoadCatalogueTest, KeepsLongLinesAndEntriesBeyondFifty) {
  std::string text = "Cap\r\nDate\r\n";
  const std::string longTitle(5000, 'x');
  text += longTitle + ",LONG,1.0,k\r\n";
  for (int n = 2; n <= 60; ++n)
    text += "T" + std::to_string(n) + ",PROG" + std::to_string(n) + ",1.0,k\r\n";
  ASSERT_TRUE(Load(text));
  ASSERT_EQ(state.EntryCount(), 60);
  EXPECT_EQ(state.Entry(1).title, longTitle);
  EXPECT_EQ(state.Entry(60).exeStem, "prog60");
  EXPECT_EQ(state.results.size(), 60u);
  EXPECT_FALSE(state.IsInstalled(60));
}

}  // namespace
}  // namespace sorvel
