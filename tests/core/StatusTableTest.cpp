#include <gtest/gtest.h>

#include "core/StatusTable.h"
#include "tests/support/StateBuilder.h"

namespace sorvel {
namespace {

TEST(VersionFromFolderTest, TwoDigitsFromTheSeventhByteOn) {
  const struct {
    std::string folder;
    std::string version;
  } cases[] = {
      {"ALGEBR12", "1.2"},  {"GEOMETRY_V31", "3.1"},   {"ALGEBRA1", "1."},   {"MATH", "."},
      {"ABCDEF", "."},      {"123456", "."},           {"12345678", "7.8"},  {"ABCDE1234", "2.3"},
      {"算数ABC12", "1.2"}, {"計算表計算表12", "1.2"}, {"数学ver１２", "."}, {"", "."},
  };
  for (const auto& c : cases) EXPECT_EQ(VersionFromFolder(c.folder), c.version) << c.folder;
}

class StatusRowsTest : public ::testing::Test {
 protected:
  StatusRowsTest() {
    test::AddEntry(state, {"代数", "algebra1", "1.3", "a"});
    test::AddEntry(state, {"幾何", "geometry", "2.0", "g"});
    test::AddEntry(state, {"確率", "確率", "", "p"});
    state.Result(1).folder = "ALGEBR12";
    state.Result(1).matchCount = 1;
    state.Result(3).folder = "確率_V31";
    state.Result(3).matchCount = 3;
    state.Result(2).exeName = "geometry.exe";  // left over from an earlier scan
    state.Result(2).matchCount = 4;
  }
  LauncherState state;
};

TEST_F(StatusRowsTest, InstalledAndMissingEntries) {
  const std::vector<StatusRow> rows = BuildStatusRows(state);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (StatusRow{"代数", "algebra1.exe", "1.2", "1.3", "Free", "0", "ALGEBR12"}));
  EXPECT_EQ(rows[1], (StatusRow{"幾何", "geometry.exe", "", "2.0", "not installed", "", ""}));
  EXPECT_EQ(rows[2], (StatusRow{"確率", "確率.exe", "3.1", "", "Free", "2", "確率_V31"}));
  EXPECT_TRUE(BuildStatusRows(LauncherState()).empty());
}

TEST(PrintLineTest, HeaderPrintsByteForByte) {
  EXPECT_EQ(BuildStatusHeader(),
            (StatusRow{"単元名", "実行ファイル名", "Ver", "最新", "属性", "重複", "フォルダ名"}));
  const std::string line = PrintLine(BuildStatusHeader());
  EXPECT_EQ(line, "\x81\xa0\x81\x40" + std::string("単元名") + std::string(24, ' ') + " " +
                      "実行ファイル名" + std::string(6, ' ') + " Ver   / 最新 ");
  EXPECT_EQ(line.size(), 4u + 30 + 1 + 20 + 1 + 5 + 3 + 5);
}

TEST(PrintLineTest, PadsByBytesAndNeverCuts) {
  const std::string longTitle(40, 'T');
  EXPECT_EQ(PrintLine({longTitle, "a.exe", "1.2", "1.3", "Free", "0", "X"}),
            "□　" + longTitle + " a.exe" + std::string(15, ' ') + " 1.2   / 1.3  ");
  EXPECT_EQ(PrintLine({"", "", "", "12.345"}),
            "□　" + std::string(30, ' ') + " " + std::string(20, ' ') + "       / 12.345");
}

}  // namespace
}  // namespace sorvel
