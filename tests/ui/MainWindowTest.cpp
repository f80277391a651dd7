// The main window in-process under Wine: layout, fonts, focus and pictures,
// start-up errors, closing and a screenshot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "platform/win32/Encoding.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ui::BevelPanel;
using ui::FindControl;
using ui::TfrmMain;

// ---------------------------------------------------------------------------
// The window's fixed layout.

TEST(MainWindow, LayoutFontsFocusOrderAndPictures) {
  MainTestSeries series;
  series.WriteCatalogue("数学シリーズ", NumberedEntries(2));
  TfrmMain& window = series.Open();

  EXPECT_EQ(BoxOf(window), (Box{(GetSystemMetrics(SM_CXSCREEN) - 640) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - 450) / 2, 640, 450}));
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Text(), "数学シリーズ");

  struct Placed {
    ui::Window& control;
    HWND parent;
    Box box;
  };
  const std::vector<Placed> layout = {
      {window.pnlMain, window.Handle(), {8, 8, 129, 400}},
      {window.Panel2, window.pnlMain.Handle(), {20, 24, 90, 74}},
      {window.btnShow(), window.pnlMain.Handle(), {8, 110, 113, 33}},
      {window.btnChangeDrive(), window.pnlMain.Handle(), {8, 160, 113, 33}},
      {window.btnDownLoad(), window.pnlMain.Handle(), {8, 218, 113, 35}},
      {window.btnHelp(), window.pnlMain.Handle(), {8, 284, 113, 33}},
      {window.btnEnd(), window.pnlMain.Handle(), {8, 352, 113, 33}},
  };
  for (const Placed& placed : layout) {
    SCOPED_TRACE(placed.control.Name());
    EXPECT_EQ(BoxOf(placed.control), placed.box);
    EXPECT_EQ(GetParent(placed.control.Handle()), placed.parent);
    EXPECT_EQ(FindControl(window.Handle(), placed.control.Name()), &placed.control);
  }
  // The pictures are drawn by the windows they lie in, and have none.
  const struct {
    const ui::ImageControl& picture;
    HWND host;
    Box box;
  } pictures[] = {{window.imgPict, window.Handle(), {141, 9, 481, 401}},
                  {window.imgPicture, window.Panel2.Handle(), {4, 4, 81, 65}}};
  for (const auto& placed : pictures) {
    SCOPED_TRACE(placed.picture.Name());
    EXPECT_EQ(BoxOf(placed.picture), placed.box);
    EXPECT_EQ(placed.picture.Host(), placed.host);
    EXPECT_EQ(FindControl(window.Handle(), placed.picture.Name()), nullptr);
  }
  // No hidden template controls: the board's sizes are its own.
  EXPECT_EQ(FindControl(window.Handle(), "btnDummy"), nullptr);
  EXPECT_EQ(FindControl(window.Handle(), "imgDummy"), nullptr);

  EXPECT_EQ(window.btnShow().Text(), "詳細");
  EXPECT_EQ(window.btnChangeDrive().Text(), "参照");
  EXPECT_EQ(window.btnDownLoad().Text(), "最新版ダウンロード");
  EXPECT_EQ(window.btnHelp().Text(), "ヘルプ");
  EXPECT_EQ(window.btnEnd().Text(), "終了");
  EXPECT_EQ(window.pnlMain.Text(), "");
  EXPECT_EQ(window.Panel2.BevelOuter(), ui::Bevel::Lowered);
  EXPECT_EQ(window.Panel2.BevelWidth(), 3);
  EXPECT_EQ(window.Panel2.BorderWidth(), 1);

  // The window's font, shared by its controls and the title panels.
  for (ui::Window* control : std::initializer_list<ui::Window*>{
           &window, &window.btnShow(), &window.pnlMain, window.Board().Panel(1)}) {
    LOGFONTW font{};
    ASSERT_TRUE(
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control->Handle(), WM_GETFONT, 0, 0)),
                   sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfHeight, -12);
  }

  // Keyboard focus: btnShow first, then the side panel's order.
  EXPECT_EQ(GetFocus(), window.btnShow().Handle());
  std::vector<std::string> order;
  HWND at = window.btnShow().Handle();
  for (int i = 0; i < 5; ++i) {
    order.push_back(ui::Window::FromHandle(at)->Name());
    at = GetNextDlgTabItem(window.Handle(), at, FALSE);
  }
  EXPECT_THAT(order, ElementsAre("btnShow", "btnEnd", "btnChangeDrive", "btnDownLoad", "btnHelp"));
  std::vector<std::string> zOrder;
  for (HWND child = GetWindow(window.pnlMain.Handle(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    zOrder.push_back(ui::Window::FromHandle(child)->Name());
  }
  EXPECT_THAT(zOrder, ElementsAre("btnShow", "btnEnd", "btnChangeDrive", "btnDownLoad", "Panel2",
                                  "btnHelp"));

  // The pictures and cursors come from the program's resources.
  BITMAP picture{};
  ASSERT_TRUE(GetObjectW(window.imgPict.Bitmap(), sizeof(picture), &picture));
  EXPECT_EQ(picture.bmWidth, 529);
  EXPECT_EQ(picture.bmHeight, 397);
  EXPECT_FALSE(window.imgPict.Stretch());
  ASSERT_TRUE(GetObjectW(window.imgPicture.Bitmap(), sizeof(picture), &picture));
  EXPECT_EQ(picture.bmWidth, 81);
  EXPECT_EQ(picture.bmHeight, 65);
  EXPECT_TRUE(window.imgPicture.Stretch());
  HINSTANCE module = GetModuleHandleW(nullptr);
  ASSERT_NE(window.ArrowCursor(), nullptr);
  ASSERT_NE(window.PointCursor(), nullptr);
  EXPECT_EQ(window.ArrowCursor(), LoadCursorW(module, L"Arrow1CSR"));
  EXPECT_EQ(window.PointCursor(), LoadCursorW(module, L"PointCSR"));
  EXPECT_EQ(window.imgPicture.Cursor(), window.PointCursor());
  EXPECT_EQ(window.Board().Panel(1)->Cursor(), window.ArrowCursor());
  EXPECT_EQ(window.imgPict.Cursor(), nullptr);
  EXPECT_EQ(window.Board().Marker(1)->Cursor(), nullptr);

  // Title panels lie over the background picture: the mouse finds them.
  RECT panel = window.Board().Panel(1)->Bounds();
  POINT inside{panel.left + 100, panel.top + 20};
  EXPECT_EQ(ChildWindowFromPoint(window.Handle(), inside), window.Board().Panel(1)->Handle());
}

// ---------------------------------------------------------------------------
// Start-up failures.

// The real platform, except that the parent of the home folder cannot be
// entered, as on a drive where the launcher's folder is shared but its
// parent is not.
class LockedParentPlatform : public win32::Win32Platform {
 public:
  ErrorCode ChangeDirectory(const std::string& path) override {
    if (path.size() >= 3 && path.compare(path.size() - 3, 3, "..\\") == 0) {
      return error::kAccessDenied;
    }
    return Win32Platform::ChangeDirectory(path);
  }
};

TEST(MainWindowStartUp, ScanFolderThatCannotBeEnteredShowsTheErrorAndRunsOnWithBluePanels) {
  MainTestSeries series;
  series.WriteCatalogue("Series", {{"代数 I", "algebra1"}, {"図形", "geometry"}});
  series.Install(L"ALGEBR12", L"algebra1.exe");
  LockedParentPlatform platform;
  TfrmMain& window = series.Open(platform);

  EXPECT_THAT(series.messages.errors, ElementsAre(WithClosingPeriod(texts::InOutErrorText(5))));
  EXPECT_THAT(series.messages.messages, IsEmpty());
  EXPECT_TRUE(window.State().catalogueLoaded);
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Text(), "Series");
  for (int n = 1; n <= 2; ++n) {
    BevelPanel* panel = window.Board().Panel(n);
    EXPECT_TRUE(panel->Enabled());
    EXPECT_EQ(panel->FontColor(), RGB(0, 0, 255));
    EXPECT_EQ(panel->BevelWidth(), 3);
    Click(panel->Handle(), 100, 15);
  }
  Sleep(500);
  EXPECT_THAT(series.Records(L"ALGEBR12", 0), IsEmpty());
  EXPECT_EQ(series.messages.errors.size(), 1u);
  EXPECT_THAT(series.messages.messages, IsEmpty());
}

TEST(MainWindowStartUp, MissingCatalogueShowsItsMessageAndAnEmptyWindow) {
  MainTestSeries series;
  TfrmMain& window = series.Open();

  EXPECT_THAT(series.messages.messages,
              ElementsAre(Cp932(series.home) + "\\SVLindex.txtがありません"));
  EXPECT_THAT(series.messages.errors, IsEmpty());
  EXPECT_FALSE(window.State().catalogueLoaded);
  EXPECT_TRUE(window.Visible());
  EXPECT_EQ(window.Text(), "");
  EXPECT_EQ(window.Board().Panel(1), nullptr);
}

// ---------------------------------------------------------------------------
// Closing.

TEST(MainWindow, EndButtonClosesTheWindowAndEndsTheEventLoop) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(1));
  TfrmMain& window = series.Open();
  HWND handle = window.Handle();

  window.btnEnd().Click();
  EXPECT_FALSE(IsWindow(handle));
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(MainWindow, DestroyingTheWindowObjectLeavesTheEventLoopRunning) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(1));
  series.Open();
  series.Close();
  MSG quit;
  EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// ---------------------------------------------------------------------------
// How it looks: a series like the demo, some programs installed.

TEST(MainWindowScreenshot, DemoLikeSeries) {
  MainTestSeries series;
  series.WriteCatalogue("数学学習シリーズ ランチャー", {{"代数 I (式と計算)", "algebra1"},
                                                        {"図形と証明", "geometry"},
                                                        {"計算ドリル", "keisan"},
                                                        {"関数とグラフ", "kansu"},
                                                        {"表計算で学ぶ統計", "hyoukei"},
                                                        {"確率の基礎", "kakuritu"},
                                                        {"方程式の解き方", "houtei"},
                                                        {"三角比入門", "sankaku"}});
  series.Install(L"ALGEBR12", L"algebra1.exe");
  series.Install(L"GEOMET11", L"GEOMETRY.EXE");
  series.Install(L"KANSU10", L"kansu.exe");
  series.Install(L"HOUTEI", L"houtei.exe");
  TfrmMain& window = series.Open();
  Click(window.Board().Panel(4)->Handle(), 100, 15);  // entry 4 clicked: blue until a scan

  // Each caption in its panel's colour: installed green, missing white.
  const Picture shot = SaveScreenshot(window.Handle(), "main_window");
  EXPECT_EQ(shot.Width(), 640);
  EXPECT_EQ(shot.Height(), 450);
  const COLORREF green = ui::kTitleGreen, white = ui::kTitleWhite, blue = ui::kTitleBlue;
  const COLORREF captions[] = {green, green, white, blue, white, white, green, white};
  for (int n = 1; n <= 8; ++n) {
    const HWND panel = window.Board().Panel(n)->Handle();
    RECT inside;
    GetClientRect(panel, &inside);
    InflateRect(&inside, -6, -6);
    EXPECT_GT(shot.Count(captions[n - 1], AreaOnScreenshot(window.Handle(), panel, inside)), 20)
        << "entry " << n;
  }
  series.Records(L"KANSU10");
}

}  // namespace
}  // namespace sorvel::test
