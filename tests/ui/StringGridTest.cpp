// The string grid: selection by keyboard and mouse, scrolling, fixed rows
// that turn ordinary, and painting through WM_PRINTCLIENT.
#include <gtest/gtest.h>

#include "tests/ui/UiTestSupport.h"
#include "ui/controls/Form.h"
#include "ui/controls/StringGrid.h"

namespace sorvel::ui {
namespace {

class StringGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form_.CreateForm(
        {.className = L"SorvelGridTestForm", .place = {CW_USEDEFAULT, CW_USEDEFAULT, 640, 450}}));
    // Client area 135 high under the horizontal scroll bar: the header row
    // and room for four more rows of 24 + 1 line, 110 pixels.
    const int height = 135 + 4 + GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_NO_THROW(
        grid_.Create({.parent = form_.Handle(), .name = "grid", .place = {0, 0, 300, height}},
                     {.colCount = 7, .rowCount = 10}));
    for (int col = 0; col < 7; ++col) grid_.SetColWidth(col, 60);
  }
  static bool HasBar(const Window& window, LONG bar) {
    return (GetWindowLongW(window.Handle(), GWL_STYLE) & bar) != 0;
  }
  void Key(WPARAM key) { SendMessageW(grid_.Handle(), WM_KEYDOWN, key, 0); }

  Form form_;
  StringGrid grid_;
};

TEST_F(StringGridTest, KeyboardMovesOverOrdinaryCellsOnly) {
  EXPECT_EQ(grid_.Col(), 1);
  EXPECT_EQ(grid_.Row(), 1);
  struct Step {
    WPARAM key;
    int col, row;
  };
  for (const Step& step :
       {Step{VK_UP, 1, 1}, Step{VK_LEFT, 1, 1}, Step{VK_RIGHT, 2, 1}, Step{VK_DOWN, 2, 2},
        Step{VK_END, 6, 2}, Step{VK_HOME, 1, 2}, Step{VK_NEXT, 1, 6}, Step{VK_NEXT, 1, 9},
        Step{VK_DOWN, 1, 9}, Step{VK_PRIOR, 1, 5}}) {
    Key(step.key);
    EXPECT_EQ(grid_.Col(), step.col) << step.key;
    EXPECT_EQ(grid_.Row(), step.row) << step.key;
  }
  EXPECT_EQ(grid_.TopRow(), 5);  // the current row is shown
  Key(VK_NEXT);
  EXPECT_EQ(grid_.TopRow(), 6);  // rows 6-9 fill the room below the header
  EXPECT_TRUE(HasBar(grid_, WS_VSCROLL));
  EXPECT_TRUE(HasBar(grid_, WS_HSCROLL));
}

TEST_F(StringGridTest, MouseSelectsOrdinaryCellsAndDragsARange) {
  EXPECT_FALSE(grid_.Select(0, 3));
  EXPECT_FALSE(grid_.Select(2, 0));
  test::Click(grid_.Handle(), 10, 60);  // fixed column
  EXPECT_EQ(grid_.Col(), 1);
  EXPECT_EQ(grid_.Row(), 1);
  test::Click(grid_.Handle(), 130, 60);  // column 2, row 2
  EXPECT_EQ(grid_.Col(), 2);
  EXPECT_EQ(grid_.Row(), 2);
  EXPECT_EQ(GetFocus(), grid_.Handle());

  SendMessageW(grid_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 30));
  SendMessageW(grid_.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 80));
  SendMessageW(grid_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 80));
  const RECT range = grid_.Selection();
  EXPECT_EQ(std::vector<LONG>({range.left, range.top, range.right, range.bottom}),
            std::vector<LONG>({1, 1, 3, 3}));
}

TEST_F(StringGridTest, FewerRowsDropTheScrollBarAndTheLastRowTurnsOrdinary) {
  grid_.SetCell(3, 0, "head");
  grid_.Select(2, 8);
  grid_.SetRowCount(3);
  EXPECT_FALSE(HasBar(grid_, WS_VSCROLL));
  EXPECT_EQ(grid_.Row(), 2);
  EXPECT_EQ(grid_.TopRow(), 1);

  grid_.SetRowCount(1);
  EXPECT_EQ(grid_.FixedRows(), 0);
  EXPECT_EQ(grid_.Row(), 0);
  EXPECT_EQ(grid_.Cell(3, 0), "head");
  EXPECT_TRUE(grid_.Select(3, 0));
  grid_.SetRowCount(4);  // stays ordinary from then on
  EXPECT_EQ(grid_.FixedRows(), 0);
  EXPECT_EQ(grid_.Cell(3, 5), "");
  grid_.SetCell(3, 5, "outside");  // ignored
  EXPECT_EQ(grid_.RowCount(), 4);
}

TEST_F(StringGridTest, PaintsFixedSelectedAndOrdinaryCellsIntoAnyDc) {
  grid_.Select(2, 2);
  const test::Picture painted = test::Picture::Printed(grid_.Handle());
  // Cell (c, r) spans x from 61 * c, y from 25 * r.
  EXPECT_EQ(painted.At(61 * 0 + 30, 25 * 2 + 20), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(painted.At(61 * 2 + 30, 25 * 2 + 20), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(painted.At(61 * 3 + 30, 25 * 2 + 20), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace sorvel::ui
