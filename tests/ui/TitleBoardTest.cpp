// The title board in-process under Wine: its geometry for boards of every
// size, its panels and their names, the panel states after a scan, and
// clicks that start programs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::IsEmpty;
using ui::BevelPanel;
using ui::FindControl;
using ui::ImageControl;
using ui::TfrmMain;

// Repaints the whole main window now, as when it is uncovered.
void RepaintWindow(TfrmMain& window) {
  RedrawWindow(window.Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages();
}

// Pixels of `color` inside a panel's bevels, where its caption is written.
int CountInside(const Picture& panel, COLORREF color) {
  return panel.Count(color, {6, 6, panel.Width() - 6, panel.Height() - 6});
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = L"";
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  std::wstring result = full;
  if (!result.empty() && result.back() == L'\\') result.pop_back();
  return result;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  return _wcsicmp(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

// ---------------------------------------------------------------------------
// The title board's geometry for boards of different sizes.

struct BoardCase {
  int entries;
  int panelWidth;                // the width of the board's panels
  std::vector<int> columnLefts;  // left of each column of six
};

class TitleBoardGeometry : public ::testing::TestWithParam<BoardCase> {};

TEST_P(TitleBoardGeometry, PanelsFillColumnsOfSixFromTheNumbers) {
  const BoardCase& board = GetParam();
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(board.entries));
  TfrmMain& window = series.Open();

  const ui::Place size = ui::TitlePanelPlace(1, board.entries);
  EXPECT_EQ((Box{0, 0, size.width, size.height}), (Box{0, 0, board.panelWidth, 33}));
  for (int n = 1; n <= board.entries; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n));
    BevelPanel* panel = window.Board().Panel(n);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Name(), "Btn" + std::to_string(n));
    EXPECT_EQ(BoxOf(*panel),
              (Box{board.columnLefts[(n - 1) / 6], (n - 1) % 6 * 53 + 50, board.panelWidth, 33}));
    EXPECT_EQ(panel->Text(), "        Title " + std::to_string(n));
    EXPECT_EQ(panel->Alignment(), ui::CaptionAlignment::Left);
    EXPECT_EQ(GetParent(panel->Handle()), window.Handle());
    EXPECT_TRUE(panel->Visible());
    // Nothing is installed beside the launcher: the scan greyed every panel.
    EXPECT_FALSE(panel->Enabled());
    EXPECT_EQ(panel->FontColor(), RGB(255, 255, 255));
    ImageControl* marker = window.Board().Marker(n);
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->Host(), panel->Handle());
    EXPECT_EQ(BoxOf(*marker), (Box{0, 6, 25, 17}));
    EXPECT_EQ(marker->Kind(), ImageControl::Picture::Empty);
    EXPECT_TRUE(marker->Visible());
  }
  EXPECT_EQ(window.Board().Panel(board.entries + 1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Boards, TitleBoardGeometry,
                         ::testing::Values(BoardCase{0, 187, {}}, BoardCase{1, 187, {447}},
                                           BoardCase{12, 187, {196, 393}},
                                           BoardCase{13, 137, {163, 325, 487}},
                                           BoardCase{18, 137, {163, 325, 487}},
                                           BoardCase{24, 137, {122, 284, 446, 608}}),
                         [](const auto& info) {
                           return std::to_string(info.param.entries) + "Entries";
                         });

TEST(MainWindow, LooksUpPanelsAndMarkersByNameWithoutRegardToCase) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(3));
  TfrmMain& window = series.Open();

  EXPECT_EQ(FindControl(window.Handle(), "btn2"), window.Board().Panel(2));
  EXPECT_EQ(FindControl(window.Handle(), "BTN2"), window.Board().Panel(2));
  // A marker is no window: its panel holds it under its name.
  EXPECT_EQ(FindControl(window.Handle(), "img2"), nullptr);
  EXPECT_EQ(window.Board().Marker(2)->Name(), "Img2");
  EXPECT_EQ(FindControl(window.Handle(), "BTNSHOW"), &window.btnShow());
  EXPECT_NE(window.Board().Panel(2), nullptr);
  EXPECT_NE(window.Board().Panel(2), window.Board().Panel(3));
  EXPECT_EQ(FindControl(window.Handle(), "Btn4"), nullptr);
}

// ---------------------------------------------------------------------------
// Panel states after a scan, the pressed look and clicks that start programs.

class MainWindowLaunch : public ::testing::Test {
 protected:
  void SetUp() override { series.LayOutTwoOfThree(); }

  MainTestSeries series;
};

TEST_F(MainWindowLaunch, ScanEnablesInstalledPanelsGreenAndDisablesMissingOnesWhite) {
  TfrmMain& window = series.Open();

  struct Expected {
    bool enabled;
    COLORREF color;
  };
  const Expected expected[] = {
      {true, RGB(0, 128, 0)}, {false, RGB(255, 255, 255)}, {true, RGB(0, 128, 0)}};
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n));
    BevelPanel* panel = window.Board().Panel(n);
    EXPECT_EQ(panel->Enabled(), expected[n - 1].enabled);
    EXPECT_EQ(panel->FontColor(), expected[n - 1].color);
    // Painted: raised by the window's first paint, in the panel's colour.
    EXPECT_EQ(panel->BevelWidth(), 3);
    const Picture painted = Picture::Printed(panel->Handle());
    EXPECT_EQ(painted.At(2, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_GT(CountInside(painted, expected[n - 1].color), 20);
  }
  EXPECT_THAT(series.messages.messages, IsEmpty());
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

TEST_F(MainWindowLaunch, ClickStartsTheProgramInItsFolderByItsBareName) {
  TfrmMain& window = series.Open();
  Click(window.Board().Panel(1)->Handle(), 100, 15);

  const auto records = series.Records(L"ALGEBR12");
  ASSERT_EQ(records.size(), 1u);
  const std::wstring folder = records[0].substr(0, records[0].find(L'|'));
  EXPECT_TRUE(SameFolder(folder, series.root + L"\\ALGEBR12")) << folder;
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"algebra1.exe");
  EXPECT_THAT(series.Records(L"KANSU10", 0), IsEmpty());
  EXPECT_THAT(series.messages.messages, IsEmpty());
}

TEST_F(MainWindowLaunch, TwoQuickClicksStartTwoInstances) {
  TfrmMain& window = series.Open();
  HWND panel = window.Board().Panel(3)->Handle();
  SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 15));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(100, 15));
  SendMessageW(panel, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(100, 15));
  SendMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(100, 15));

  const auto records = series.Records(L"KANSU10", 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"KANSU.EXE");
}

TEST_F(MainWindowLaunch, ClickGivesThePressedLookUntilTheWindowRepaints) {
  TfrmMain& window = series.Open();
  BevelPanel& panel = *window.Board().Panel(1);
  ASSERT_EQ(panel.BevelWidth(), 3);

  Click(panel.Handle(), 100, 15);
  EXPECT_EQ(panel.BevelWidth(), 1);
  EXPECT_EQ(panel.FontColor(), RGB(0, 0, 255));
  {
    const Picture pressed = Picture::Printed(panel.Handle());
    EXPECT_EQ(pressed.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pressed.At(2, 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(CountInside(pressed, RGB(0, 0, 255)), 20);
    EXPECT_EQ(CountInside(pressed, RGB(0, 128, 0)), 0);
  }
  // Painting the panel alone keeps the look; the window's repaint raises it
  // again and the colour stays blue until the next scan.
  RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(panel.BevelWidth(), 1);
  RepaintWindow(window);
  EXPECT_EQ(panel.BevelWidth(), 3);
  EXPECT_EQ(panel.FontColor(), RGB(0, 0, 255));
  EXPECT_EQ(window.Board().Panel(3)->BevelWidth(), 3);
  EXPECT_EQ(window.Board().Panel(3)->FontColor(), RGB(0, 128, 0));
  series.Records(L"ALGEBR12");  // let the started program finish

  // Any repaint of the window's surface raises it, the background
  // picture's alone too: hiding the panels repaints only the picture.
  const RECT background = window.imgPict.Bounds();
  const struct {
    const char* repaint;
    std::function<void()> act;
  } repaints[] = {
      {"the background picture",
       [&] {
         RedrawWindow(window.Handle(), &background, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
       }},
      {"the menu hidden and shown",
       [&] {
         for (int toggle = 0; toggle < 2; ++toggle) {
           Click(window.imgPicture);
           PumpMessages();
         }
       }},
  };
  BevelPanel& third = *window.Board().Panel(3);
  for (const auto& row : repaints) {
    SCOPED_TRACE(row.repaint);
    Click(third.Handle(), 100, 15);
    ASSERT_EQ(third.BevelWidth(), 1);
    row.act();
    EXPECT_EQ(third.BevelWidth(), 3);
  }
  series.Records(L"KANSU10", 2);
}

// Each panel's look and marker, which painting must leave alone.
std::vector<std::string> LookOfBoard(TfrmMain& window) {
  std::vector<std::string> looks;
  for (int n = 1; n <= window.Board().Count(); ++n) {
    ui::TitlePanel& panel = *window.Board().Panel(n);
    looks.push_back(panel.Name() + ": bevel " + std::to_string(panel.BevelWidth()) + ", colour " +
                    std::to_string(panel.FontColor()) + (panel.Enabled() ? ", enabled" : "") +
                    ", marker " + std::to_string(static_cast<int>(panel.Marker().Kind())) +
                    (panel.MarkerSet() ? " set" : ""));
  }
  return looks;
}

TEST_F(MainWindowLaunch, ASnapshotOfAnyWindowChangesNothing) {
  TfrmMain& window = series.Open();
  Click(window.Board().Panel(1)->Handle(), 100, 15);  // the pressed look
  const std::vector<std::string> before = LookOfBoard(window);
  ASSERT_EQ(window.Board().Panel(1)->BevelWidth(), 1);

  std::vector<HWND> windows = Descendants(window.Handle());
  windows.push_back(window.Handle());
  ASSERT_GT(windows.size(), 10u);
  for (HWND each : windows) Picture::Printed(each);
  EXPECT_EQ(LookOfBoard(window), before);
  series.Records(L"ALGEBR12");  // let the started program finish
}

TEST_F(MainWindowLaunch, ProgramGoneSinceTheScanStartsNothingAndSaysNothing) {
  TfrmMain& window = series.Open();
  const std::wstring exe = series.root + L"\\ALGEBR12\\algebra1.exe";
  ASSERT_TRUE(DeleteFileW(exe.c_str()));

  Click(window.Board().Panel(1)->Handle(), 100, 15);
  EXPECT_THAT(series.Records(L"ALGEBR12", 0), IsEmpty());
  EXPECT_THAT(series.messages.messages, IsEmpty());
  EXPECT_THAT(series.messages.errors, IsEmpty());
  EXPECT_EQ(window.Board().Panel(1)->BevelWidth(), 1);
}

TEST_F(MainWindowLaunch, DisabledPanelAndMarkerImageStartNothing) {
  TfrmMain& window = series.Open();
  // A program put in place after the scan: its panel is still disabled.
  series.Install(L"ZUKEI", L"geometry.exe");
  Click(window.Board().Panel(2)->Handle(), 100, 15);
  // The marker image takes its own clicks.
  Click(*window.Board().Marker(1), 5, 5);
  Sleep(500);
  EXPECT_THAT(series.Records(L"ZUKEI", 0), IsEmpty());
  EXPECT_THAT(series.Records(L"ALGEBR12", 0), IsEmpty());
  EXPECT_EQ(window.Board().Panel(1)->BevelWidth(), 3);
}

TEST(MainWindow, PanelNumbersBeyondNinetyNineStartTheirOwnEntry) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(100));
  series.Install(L"PROG10", L"prog10.exe");
  series.Install(L"PROG100", L"prog100.exe");
  TfrmMain& window = series.Open();
  ASSERT_TRUE(window.Board().Panel(100)->Enabled());

  Click(window.Board().Panel(100)->Handle(), 100, 15);
  const auto records = series.Records(L"PROG100");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"prog100.exe");
  EXPECT_THAT(series.Records(L"PROG10", 0), IsEmpty());
}

TEST(MainWindow, EachPanelKnowsItsEntryAndIsFoundByItsName) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(123));
  TfrmMain& window = series.Open();
  struct Case {
    const char* name;
    int number;  // 0: no panel
  };
  for (const Case& c : {Case{"Btn7", 7}, Case{"Btn12", 12}, Case{"Btn123", 123}, Case{"btn50", 50},
                        Case{"Btn", 0}, Case{"Btnx", 0}, Case{"Btn1x", 0}}) {
    const auto* panel = dynamic_cast<const ui::TitlePanel*>(FindControl(window.Handle(), c.name));
    EXPECT_EQ(panel ? panel->Entry() : 0, c.number) << c.name;
  }
  for (int n = 1; n <= window.Board().Count(); ++n) EXPECT_EQ(window.Board().Panel(n)->Entry(), n);
}

}  // namespace
}  // namespace sorvel::test
