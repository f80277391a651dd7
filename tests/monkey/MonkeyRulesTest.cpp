// The monkey's own rules, which decide what counts as a fault: the boxes
// the launcher may show on the monkey's series, and where the folder list
// has strayed from it.
#include <gtest/gtest.h>

#include <string>

#include "tests/monkey/MonkeySeries.h"
#include "tests/monkey/RandomUser.h"
#include "tests/support/process/ProcessDriver.h"

namespace sorvel::test {
namespace {

struct BoxRow {
  const wchar_t* text;
  bool stopIcon;
  bool named;
};

const BoxRow kBoxRows[] = {
    // The program without an icon, and the folder that goes away while it is read.
    {L"度数分布表 ソ能表.exe", false, true},
    {L"GEOMET11 GEOMETRY.EXE", false, true},
    // A program with an icon must give one: a box for it is a fault.
    {L"ALGEBR12 algebra1.exe", false, false},
    {L"度数分布表 ソ能表.exe ", false, false},
    {L"", false, false},
    // Error texts carry the "." the error box appends, except after ")".
    {L"ファイルが見つかりません.", true, true},
    {L"ファイルが見つかりません", true, false},
    {L"不正なファイル名です.", true, true},
    {L"ファイルへのアクセスが拒否されました.", true, true},
    {L"I/O エラー (21)", true, true},
    {L"I/O エラー (206)", true, true},
    {L"I/O エラー (21).", true, false},
    {L"I/O エラー ()", true, false},
    {L"I/O エラー (2a)", true, false},
    {L"デフォルト プリンタが存在しません.", true, true},
    // Without a printer no print job can be running or refused.
    {L"現在印刷中です.", true, false},
    {L"選択したプリンタは有効ではありません.", true, false},
    // A message's text in an error box, and the other way round.
    {L"度数分布表 ソ能表.exe", true, false},
    {L"ファイルが見つかりません.", false, false},
};

TEST(MonkeyRules, OnlyTheLaunchersOwnBoxesForThisSeriesAreExpected) {
  for (const BoxRow& row : kBoxRows) {
    const std::wstring text = row.text;
    const bool named =
        row.stopIcon ? MonkeySeries::IsNamedError(text) : MonkeySeries::IsNamedMessage(text);
    EXPECT_EQ(named, row.named) << Utf8(text) << (row.stopIcon ? " (stop icon)" : " (no icon)");
  }
}

struct FolderRow {
  const wchar_t* folder;
  int pathEntries;
  bool strayed;
};

constexpr const wchar_t* kSeriesRoot = L"C:\\users\\root\\Temp\\sorvel-monkey-7-1";

const FolderRow kFolderRows[] = {
    {L"C:\\", 1, false},
    {L"C:\\users", 2, false},                                 // on the way
    {L"c:\\USERS\\Root\\temp", 4, false},                     // on the way, any case
    {L"C:\\users\\root\\Temp\\sorvel-monkey-7-1", 5, false},  // the series
    {L"C:\\users\\root\\Temp\\sorvel-monkey-7-1\\LAUNCH", 6, false},
    {L"C:\\users\\root\\Temp\\sorvel-monkey-7-10", 5, true},  // a name that only begins alike
    {L"C:\\users\\root\\Documents", 4, true},
    {L"C:\\windows", 2, false},  // one step below a root
    {L"C:\\windows\\system32", 3, true},
    {L"Z:\\", 1, false},
    {L"Z:\\proc\\1", 3, true},
    {L"", 0, false},
};

TEST(MonkeyRules, TheFolderListStraysOnlyBelowTheFirstLevelOffTheWayToTheSeries) {
  for (const FolderRow& row : kFolderRows) {
    EXPECT_EQ(PathEntries(row.folder), row.pathEntries) << Utf8(row.folder);
    EXPECT_EQ(Strayed(row.folder, kSeriesRoot), row.strayed) << Utf8(row.folder);
  }
}

}  // namespace
}  // namespace sorvel::test
