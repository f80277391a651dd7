// What a screen reader learns about the main window's controls through
// AccessibleObjectFromWindow, in-process under Wine: names, roles, states
// and the title panels' default action.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include "tests/support/win32/AccessibleView.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::IsEmpty;
using ui::TfrmMain;

constexpr long kKeyboardStates =
    STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;

class ScreenReader : public ::testing::Test {
 protected:
  void SetUp() override { series.LayOutTwoOfThree(); }
  MainTestSeries series;
};

TEST_F(ScreenReader, ControlsReportTheirNamesRolesStatesAndDefaultActions) {
  TfrmMain& window = series.Open();
  SetFocus(window.Board().Panel(1)->Handle());
  const struct {
    ui::Window& control;
    std::wstring name;
    long role;
    long states;  // of kKeyboardStates
    std::wstring defaultAction;
    bool underModalBox = false;  // the window disabled: the action does nothing
  } expected[] = {
      {*window.Board().Panel(1), L"代数 I", ROLE_SYSTEM_PUSHBUTTON,
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED, L"start"},
      {*window.Board().Panel(2), L"図形", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE,
       L"start"},
      {*window.Board().Panel(3), L"関数", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L"start"},
      {*window.Board().Panel(3), L"関数", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L"start",
       true},
      {window.btnShow, L"詳細", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnEnd, L"終了", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnChangeDrive, L"参照", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnDownLoad, L"最新版ダウンロード", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE,
       L""},
      {window.btnHelp, L"ヘルプ", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.imgPicture, L"メニューの表示切り替え", ROLE_SYSTEM_PUSHBUTTON, 0, L""},
      {window.imgPict, L"", ROLE_SYSTEM_GRAPHIC, 0, L""},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.control.Name());
    const AccessibleView seen = ViewAccessible(row.control.Handle());
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.name, row.name);
    EXPECT_EQ(seen.role, row.role);
    EXPECT_EQ(seen.state & kKeyboardStates, row.states);
    EXPECT_EQ(seen.defaultAction, row.defaultAction);
    if (row.underModalBox) {
      EnableWindow(window.Handle(), FALSE);
      EXPECT_TRUE(FAILED(DoAccessibleDefaultAction(row.control.Handle())));
      PumpMessages();
      EnableWindow(window.Handle(), TRUE);
      EXPECT_THAT(series.Records(L"KANSU10"), IsEmpty());
    }
  }
}

TEST_F(ScreenReader, DefaultActionStartsAnInstalledProgramAndNotAMissingOne) {
  TfrmMain& window = series.Open();
  EXPECT_TRUE(FAILED(DoAccessibleDefaultAction(window.Board().Panel(2)->Handle())));
  EXPECT_EQ(DoAccessibleDefaultAction(window.Board().Panel(3)->Handle()), S_OK);
  PumpMessages();
  const auto records = series.Records(L"KANSU10");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"KANSU.EXE");
  EXPECT_EQ(window.Board().Panel(3)->BevelWidth(), 1);
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

}  // namespace
}  // namespace sorvel::test
