// The title board by keyboard, in-process under Wine: the Tab order through
// the side panel and the board, the arrows, Home and End over a board with
// missing entries, Enter and Space starting programs as a click does, the
// hidden menu, and the focus cue.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ui::TfrmMain;

// One key pressed and released on the control with the focus, through the
// launcher's own event loop; Shift held down when `shift`.
void PressKey(UINT key, bool shift = false, bool repeated = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, repeated ? 0x40000001 : 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  PostQuitMessage(0);
  ui::Form::RunEventLoop();
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// The name of the control with the focus ("" for none of ours).
std::string FocusName() {
  const ui::Window* focus = ui::Window::FromHandle(GetFocus());
  return focus ? focus->Name() : "";
}

// A board of twelve, five of them missing: 3, 5, 7, 10 and 12.
class BoardKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    series.WriteCatalogue("Series", NumberedEntries(12));
    for (int n : {1, 2, 4, 6, 8, 9, 11}) {
      const std::wstring number = std::to_wstring(n);
      series.Install(L"PROG" + number, L"prog" + number + L".exe");
    }
  }
  MainTestSeries series;
};

TEST_F(BoardKeyboard, TabMakesTheBoardOneStopAfterTheSidePanelAndRemembersItsPanel) {
  TfrmMain& window = series.Open();
  ASSERT_EQ(FocusName(), "btnShow");
  std::vector<std::string> forward;
  for (int press = 0; press < 6; ++press) {
    PressKey(VK_TAB);
    forward.push_back(FocusName());
  }
  EXPECT_THAT(forward, ElementsAreArray({"btnEnd", "btnChangeDrive", "btnDownLoad", "btnHelp",
                                         "Btn1", "btnShow"}));
  PressKey(VK_TAB, true);
  EXPECT_EQ(FocusName(), "Btn1");
  PressKey(VK_TAB, true);
  EXPECT_EQ(FocusName(), "btnHelp");

  // The board keeps the panel the focus left; one gone missing gives way
  // to the first enabled panel.
  PressKey(VK_TAB);
  PressKey(VK_DOWN);
  PressKey(VK_TAB);
  EXPECT_EQ(FocusName(), "btnShow");
  PressKey(VK_TAB, true);
  EXPECT_EQ(FocusName(), "Btn2");
  PressKey(VK_TAB);
  window.Board().SetEntryInstalled(2, false);
  PressKey(VK_TAB, true);
  EXPECT_EQ(FocusName(), "Btn1");
}

TEST_F(BoardKeyboard, ArrowsHomeAndEndVisitTheNearestEnabledPanels) {
  SetFocus(series.Open().btnHelp().Handle());
  PressKey(VK_TAB);
  ASSERT_EQ(FocusName(), "Btn1");
  const struct {
    UINT key;
    const char* lands;
  } steps[] = {
      {VK_DOWN, "Btn2"},   {VK_DOWN, "Btn4"}, {VK_DOWN, "Btn6"}, {VK_DOWN, "Btn6"},
      {VK_RIGHT, "Btn11"}, {VK_UP, "Btn9"},   {VK_UP, "Btn8"},   {VK_LEFT, "Btn2"},
      {VK_RIGHT, "Btn8"},  {VK_UP, "Btn1"},   {VK_END, "Btn11"}, {VK_RIGHT, "Btn11"},
      {VK_HOME, "Btn1"},   {VK_LEFT, "Btn1"}, {VK_UP, "Btn1"},
  };
  for (const auto& step : steps) {
    PressKey(step.key);
    EXPECT_EQ(FocusName(), step.lands) << "key " << step.key;
  }
}

TEST_F(BoardKeyboard, HiddenMenuTakesTheBoardOutOfTheTabOrder) {
  TfrmMain& window = series.Open();
  window.imgPictureClick();
  ASSERT_FALSE(window.Board().Panel(1)->Visible());
  for (int press = 0; press < 8; ++press) {
    PressKey(VK_TAB);
    EXPECT_THAT(FocusName(), ::testing::Not(::testing::StartsWith("Btn")));
  }
  window.imgPictureClick();
  SetFocus(window.btnHelp().Handle());
  PressKey(VK_TAB);
  EXPECT_EQ(FocusName(), "Btn1");
}

// Enter and Space start the focused panel's program as a click does.
class BoardKeys : public ::testing::TestWithParam<UINT> {
 protected:
  void SetUp() override { series.LayOutTwoOfThree(); }
  MainTestSeries series;
};

TEST_P(BoardKeys, StartTheFocusedProgramAsAClickDoesAndOnceWhenHeld) {
  TfrmMain& window = series.Open();
  SetFocus(window.btnHelp().Handle());
  PressKey(VK_TAB);
  PressKey(VK_DOWN);  // past the missing entry
  ASSERT_EQ(FocusName(), "Btn3");
  PressKey(GetParam());
  PressKey(GetParam(), false, true);  // the key held down

  series.Records(L"KANSU10");
  Sleep(500);  // time for a second start, should the held key make one
  const auto records = series.Records(L"KANSU10");
  ASSERT_EQ(records.size(), 1u);
  const std::wstring folder = records[0].substr(0, records[0].find(L'|'));
  EXPECT_EQ(_wcsicmp(folder.c_str(), (series.root + L"\\KANSU10").c_str()), 0) << folder;
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"KANSU.EXE");
  EXPECT_THAT(series.Records(L"ALGEBR12", 0), IsEmpty());
  // The pressed look of a click.
  EXPECT_EQ(window.Board().Panel(3)->BevelWidth(), 1);
  EXPECT_EQ(window.Board().Panel(3)->FontColor(), RGB(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(EnterAndSpace, BoardKeys, ::testing::Values(VK_RETURN, VK_SPACE),
                         [](const auto& info) {
                           return info.param == VK_RETURN ? "Enter" : "Space";
                         });

// ---------------------------------------------------------------------------
// The focus cue: a dotted rectangle inside the bevel, only while the panel
// has the focus and the keyboard cues are shown.

// Pixels of the cue's top edge that differ from the panel's face.
int CueDots(const Picture& panel) {
  const int top = ui::kTitleBoard.focusCueInset;
  const int face = panel.Count(GetSysColor(COLOR_BTNFACE), {30, top, panel.Width() - 6, top + 1});
  return panel.Width() - 36 - face;
}

TEST_F(BoardKeyboard, FocusCueFollowsTheKeyboardAndTheSystemsCueState) {
  TfrmMain& window = series.Open();
  HWND panel = window.Board().Panel(1)->Handle();
  const RECT cueRow = {30, ui::kTitleBoard.focusCueInset, 180, ui::kTitleBoard.focusCueInset + 1};
  const auto dotsOnScreen = [&](const char* name) {
    const Picture shot = SaveScreenshot(window.Handle(), name);
    const RECT row = AreaOnScreenshot(window.Handle(), panel, cueRow);
    return (row.right - row.left) - shot.Count(GetSysColor(COLOR_BTNFACE), row);
  };
  EXPECT_EQ(dotsOnScreen("board_before_tab"), 0);
  EXPECT_EQ(CueDots(Picture::Printed(panel)), 0);

  SetFocus(window.btnHelp().Handle());
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), panel);
  EXPECT_GT(dotsOnScreen("board_after_tab"), 40);
  EXPECT_GT(CueDots(Picture::Printed(panel)), 40);

  // The system hides and shows the keyboard cues of every window (Wine
  // never does: it always shows them).
  SendMessageW(panel, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(CueDots(Picture::Printed(panel)), 0);
  SendMessageW(panel, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_GT(CueDots(Picture::Printed(panel)), 40);
}

}  // namespace
}  // namespace sorvel::test
