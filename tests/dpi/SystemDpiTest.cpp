// The launcher's windows in a Wine prefix whose system DPI is not 96 (its
// HKCU\Control Panel\Desktop\LogPixels, which Wine reads when a process
// starts): every number of the layout scaled by the layout's rule, the title
// font made for the DPI, and a screenshot of the main window checked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/win32/Win32Platform.h"
#include "tests/support/StateBuilder.h"
#include "tests/ui/LayoutAtDpi.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::test {
namespace {

using ui::ScaleToDpi;

class SystemDpi : public ::testing::Test {
 protected:
  // The DPI the prefix was set to; the tests mean nothing at another.
  void SetUp() override {
    const char* expected = std::getenv("SORVEL_EXPECT_DPI");
    ASSERT_NE(expected, nullptr) << "SORVEL_EXPECT_DPI names the DPI the prefix was set to";
    dpi_ = GetDeviceCaps(win32::ScreenDc().Get(), LOGPIXELSY);
    ASSERT_EQ(dpi_, std::atoi(expected)) << "the system DPI of this Wine prefix";
  }

  int dpi_ = 0;
};

// Boards of six entries: see the screenshot.
TEST_F(SystemDpi, BoardsOfTwelveAndEighteenEntries) {
  struct Board {
    int entries, panelWidth;
    std::vector<int> columnLefts;
  };
  for (const Board& board : {Board{12, 187, {196, 393}}, Board{18, 137, {163, 325, 487}}}) {
    SCOPED_TRACE(std::to_string(board.entries) + " entries");
    MainTestSeries series;
    series.WriteCatalogue("Series", NumberedEntries(board.entries));
    ui::TfrmMain& window = series.Open();
    ExpectMainWindowAt(window, dpi_);
    ExpectBoardAt(window, dpi_, board.panelWidth, board.columnLefts);
    EXPECT_EQ(window.Board().Count(), board.entries);
  }
}

TEST_F(SystemDpi, ChooserAndStatusWindow) {
  MainTestSeries series;
  win32::Win32Platform platform;
  ui::TfrmChangeDrive chooser(platform, Cp932(series.home) + "\\");
  ASSERT_TRUE(chooser.Create());
  ExpectChooserAt(chooser, dpi_);

  LauncherState state;
  AddEntry(state, {"代数 I", "algebra1", "1.3", "key"});
  ui::TfrmShow status(state, {.mainWindowSize =
                                  [] {
                                    return SIZE{640, 450};
                                  },
                              .chooserFolder = [] { return std::string("C:\\"); },
                              .printer = {}});
  ASSERT_TRUE(status.Create());
  ExpectStatusWindowAt(status, dpi_);
}

// The rows of `area` that hold pixels of `color`, from the first to the last.
int InkHeight(const Picture& shot, COLORREF color, const RECT& area) {
  int first = -1, last = -1;
  for (int y = area.top; y < area.bottom; ++y) {
    if (shot.Count(color, {area.left, y, area.right, y + 1}) == 0) continue;
    if (first < 0) first = y;
    last = y;
  }
  return first < 0 ? 0 : last - first + 1;
}

// Below the board the background shows its picture for the DPI, unscaled.
void ExpectBackgroundIsThePicture(const Picture& shot, ui::TfrmMain& window, int dpi) {
  const win32::OwnedBitmap picture(ui::LoadPicture(L"BACKGROUND", dpi));
  ASSERT_TRUE(picture);
  const win32::MemoryDc dc(win32::ScreenDc().Get());
  const win32::SelectedObject selected(dc.Get(), picture.Get());
  const int top = ScaleToDpi(350, dpi);
  const RECT place = window.imgPict.Bounds();
  const RECT strip =
      AreaOnScreenshot(window.Handle(), window.imgPict.Host(),
                       {place.left, place.top + top, place.left + ScaleToDpi(470, dpi),
                        place.top + ScaleToDpi(395, dpi)});
  int same = 0, samples = 0;
  for (int y = strip.top; y < strip.bottom; y += 7) {
    for (int x = strip.left; x < strip.right; x += 13, ++samples) {
      same += shot.At(x, y) == GetPixel(dc.Get(), x - strip.left, y - strip.top + top);
    }
  }
  EXPECT_EQ(same, samples);
}

TEST_F(SystemDpi, MainWindowScreenshot) {
  MainTestSeries series;
  series.WriteCatalogue("数学学習シリーズ", {{"代数 I (式と計算)", "algebra1"},
                                             {"図形と証明", "geometry"},
                                             {"関数とグラフ", "kansu"},
                                             {"確率の基礎", "kakuritu"},
                                             {"方程式の解き方", "houtei"},
                                             {"三角比入門", "sankaku"}});
  // Installed as far as the scan can tell: nothing is started here.
  CreateDirectoryW((series.root + L"\\ALGEBR12").c_str(), nullptr);
  WriteFileBytes(series.root + L"\\ALGEBR12\\algebra1.exe", "MZ");
  CreateDirectoryW((series.root + L"\\KANSU10").c_str(), nullptr);
  WriteFileBytes(series.root + L"\\KANSU10\\kansu.exe", "MZ");
  ui::TfrmMain& window = series.Open();
  ExpectMainWindowAt(window, dpi_);
  ExpectBoardAt(window, dpi_, 187, {447});
  const Picture shot = SaveScreenshot(window.Handle(), "main_window_" + std::to_string(dpi_));
  EXPECT_EQ(shot.Width(), ScaleToDpi(640, dpi_));
  EXPECT_EQ(shot.Height(), ScaleToDpi(450, dpi_));

  // Each title in its colour, in letters as tall as the font made for the DPI.
  const COLORREF captions[] = {ui::kTitleGreen, ui::kTitleWhite, ui::kTitleGreen,
                               ui::kTitleWhite, ui::kTitleWhite, ui::kTitleWhite};
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n));
    const HWND panel = window.Board().Panel(n)->Handle();
    RECT inside;
    GetClientRect(panel, &inside);
    InflateRect(&inside, -ScaleToDpi(6, dpi_), -ScaleToDpi(4, dpi_));
    const RECT area = AreaOnScreenshot(window.Handle(), panel, inside);
    EXPECT_GT(shot.Count(captions[n - 1], area), 20 * dpi_ / 96 * dpi_ / 96);
    const int ink = InkHeight(shot, captions[n - 1], area);
    EXPECT_GE(ink, ScaleToDpi(10, dpi_));
    EXPECT_LE(ink, ScaleToDpi(12, dpi_) + 1);
  }

  ExpectBackgroundIsThePicture(shot, window, dpi_);
}

}  // namespace
}  // namespace sorvel::test
