// The installation status window, driven in-process under Wine; printing
// goes into enhanced metafiles.
#include <gtest/gtest.h>

#include <memory>

#include "core/StatusTable.h"
#include "platform/Platform.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/StateBuilder.h"
#include "tests/support/win32/EmfPrintRecorder.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/WindowMessages.h"

namespace sorvel::ui {
namespace {

using Table = std::vector<std::vector<std::string>>;

class StatusWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window::SetErrorReporter(ErrorBoxReporter(messages_));
    state_.lastUpdate = "2001年4月1日 更新";
    AddEntry("代数 I", "algebra1", "1.3");
    AddEntry("図形と証明", "geometry", "3.1");
    AddEntry("計算ドリル", "keisan", "2.0");
  }
  void TearDown() override { Window::SetErrorReporter(nullptr); }

  void AddEntry(const std::string& title, const std::string& stem, const std::string& latest) {
    test::AddEntry(state_, {title, stem, latest, "key"});
  }
  void Found(int n, const std::string& folder, int matches) {
    state_.Result(n).folder = folder;
    state_.Result(n).exeName = state_.Entry(n).exeStem + ".exe";
    state_.Result(n).matchCount = matches;
  }
  void ClearScan() {
    for (ScanResult& result : state_.results) result.folder.clear();
    state_.ClearMatchCounts();
  }

  // `printer` empty: the default printer.
  std::unique_ptr<TfrmShow> MakeWindow(win32::TextPrinter::SurfaceSource printer = {}) {
    TfrmShow::Sources sources;
    sources.mainWindowSize = [this] { return mainSize_; };
    sources.chooserFolder = [this] { return chooserFolder_; };
    sources.printer = std::move(printer);
    auto window = std::make_unique<TfrmShow>(state_, std::move(sources));
    EXPECT_TRUE(window->Create());
    return window;
  }
  // A wide page, so no line is wrapped.
  win32::TextPrinter::SurfaceSource Recorder() {
    return [this] { return std::make_unique<test::EmfPrintRecorder>(log_, SIZE{4000, 6000}); };
  }

  static Table Cells(const StringGrid& grid) {
    Table table;
    for (int row = 0; row < grid.RowCount(); ++row) {
      table.emplace_back();
      for (int col = 0; col < grid.ColCount(); ++col) table.back().push_back(grid.Cell(col, row));
    }
    return table;
  }
  // Shows the window as the details command does, but without waiting.
  static void ShowAndHide(TfrmShow& window) {
    window.Show();
    test::PumpMessages();
    window.SetVisible(false);
  }

  LauncherState state_;
  SIZE mainSize_{640, 450};
  std::string chooserFolder_ = "C:\\SERIES";
  test::RecordingMessages messages_;
  test::PrintLog log_;
};

const std::vector<std::string> kHeader = {"単元名", "実行ファイル名", "Ver",       "最新",
                                          "属性",   "重複",           "フォルダ名"};

TEST_F(StatusWindowTest, CreationLaysOutTheGridFromTheMainWindowSize) {
  auto window = MakeWindow();
  const RECT bounds = window->Bounds();
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(window->Width(), 640);
  EXPECT_EQ(window->Height(), 450);
  EXPECT_EQ(window->Text(), "");
  const RECT grid = window->stgSpec.Bounds();
  EXPECT_EQ(
      std::vector<LONG>({grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top}),
      std::vector<LONG>({24, 40, 580, 340}));
  EXPECT_EQ(window->stgSpec.ColCount(), 7);
  std::vector<int> widths;
  for (int col = 0; col < 7; ++col) widths.push_back(window->stgSpec.ColWidth(col));
  EXPECT_EQ(widths, (std::vector<int>{155, 90, 30, 30, 70, 30, 165}));
  EXPECT_EQ(window->stgSpec.RowHeight(), 24);
  EXPECT_EQ(window->stgSpec.FixedRows(), 1);
  EXPECT_EQ(window->stgSpec.FixedCols(), 1);
  EXPECT_EQ(Cells(window->stgSpec).front(), kHeader);
  EXPECT_EQ(window->btnClose.Text(), "閉じる");
  EXPECT_EQ(window->btnPrint.Text(), "印刷");
}

TEST_F(StatusWindowTest, EachShowingRewritesEveryCell) {
  auto window = MakeWindow();
  Found(1, "ALGEBR12", 1);
  Found(3, "KEISAN20", 3);
  ShowAndHide(*window);
  EXPECT_EQ(Cells(window->stgSpec),
            (Table{kHeader,
                   {"代数 I", "algebra1.exe", "1.2", "1.3", "Free", "0", "ALGEBR12"},
                   {"図形と証明", "geometry.exe", "", "3.1", "not installed", "", ""},
                   {"計算ドリル", "keisan.exe", "2.0", "2.0", "Free", "2", "KEISAN20"}}));
  EXPECT_EQ(window->edtLastUpdate.Text(), "2001年4月1日 更新");
  EXPECT_EQ(window->pnlDrive.Text(), "C:\\SERIES");

  // Another scan, another folder and a resized main window.
  ClearScan();
  Found(2, "GEOMETRY_V31", 2);
  chooserFolder_ = "Q:\\";
  mainSize_ = SIZE{700, 520};
  ShowAndHide(*window);
  EXPECT_EQ(Cells(window->stgSpec),
            (Table{kHeader,
                   {"代数 I", "algebra1.exe", "", "1.3", "not installed", "", ""},
                   {"図形と証明", "geometry.exe", "3.1", "3.1", "Free", "1", "GEOMETRY_V31"},
                   {"計算ドリル", "keisan.exe", "", "2.0", "not installed", "", ""}}));
  EXPECT_EQ(window->pnlDrive.Text(), "Q:\\");
  EXPECT_EQ(window->Width(), 700);
  EXPECT_EQ(window->Height(), 520);
  EXPECT_EQ(window->stgSpec.Width(), 580);  // the grid keeps its size
}

TEST_F(StatusWindowTest, CentredAtTheFirstShowingOnly) {
  auto window = MakeWindow();
  ShowAndHide(*window);
  RECT bounds = window->Bounds();
  EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
  EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 450) / 2);
  SetWindowPos(window->Handle(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowAndHide(*window);
  bounds = window->Bounds();
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 20);
}

TEST_F(StatusWindowTest, AnEmptyCatalogueLeavesTheHeaderAsAnOrdinaryRow) {
  state_ = LauncherState();
  auto window = MakeWindow(Recorder());
  ShowAndHide(*window);
  StringGrid& grid = window->stgSpec;
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.FixedRows(), 0);
  EXPECT_EQ(Cells(grid), Table{kHeader});
  EXPECT_TRUE(grid.Select(2, 0));

  test::Click(window->btnPrint.Handle());
  EXPECT_EQ(log_.Lines(), std::vector<std::string>{PrintLine(kHeader)});
}

TEST_F(StatusWindowTest, PrintsOneLineForEachRowOfTheGrid) {
  Found(1, "ALGEBR12", 1);
  auto window = MakeWindow(Recorder());
  ShowAndHide(*window);
  test::Click(window->btnPrint.Handle());
  EXPECT_TRUE(messages_.errors.empty());
  EXPECT_EQ(log_.documents, 1);
  EXPECT_EQ(log_.ends, 1);
  EXPECT_EQ(log_.Lines(),
            (std::vector<std::string>{"□　単元名" + std::string(24, ' ') + " 実行ファイル名" +
                                          std::string(6, ' ') + " Ver   / 最新 ",

                                      PrintLine({"代数 I", "algebra1.exe", "1.2", "1.3"}),
                                      PrintLine({"図形と証明", "geometry.exe", "", "3.1"}),
                                      PrintLine({"計算ドリル", "keisan.exe", "", "2.0"})}));
}

TEST_F(StatusWindowTest, PrintsTheRowsTheCoreBuiltWhateverTheGridShows) {
  auto window = MakeWindow(Recorder());
  ShowAndHide(*window);
  window->stgSpec.SetCell(0, 0, "changed");
  window->stgSpec.SetCell(1, 2, "changed");
  test::Click(window->btnPrint.Handle());
  EXPECT_EQ(log_.Lines(), (std::vector<std::string>{
                              PrintLine(kHeader), PrintLine({"代数 I", "algebra1.exe", "", "1.3"}),
                              PrintLine({"図形と証明", "geometry.exe", "", "3.1"}),
                              PrintLine({"計算ドリル", "keisan.exe", "", "2.0"})}));
}

TEST_F(StatusWindowTest, AFailedPrintJobShowsTheErrorAndLeavesThePrinterFree) {
  auto window = MakeWindow(Recorder());
  ShowAndHide(*window);
  log_.failPageStart = 1;  // nothing was printed before
  test::Click(window->btnPrint.Handle());
  ASSERT_EQ(messages_.errors.size(), 1u);
  EXPECT_EQ(log_.aborts, 1);
  EXPECT_TRUE(log_.Lines().empty());

  test::Click(window->btnPrint.Handle());
  EXPECT_EQ(messages_.errors.size(), 1u);  // not "still printing"
  EXPECT_EQ(log_.ends, 1);
  EXPECT_EQ(log_.Lines().size(), 4u);
}

TEST_F(StatusWindowTest, WithoutADefaultPrinterTheErrorBoxSaysSo) {
  try {
    win32::OpenDefaultPrinter();
    GTEST_SKIP() << "this Wine prefix has a default printer";
  } catch (const LauncherError&) {
  }
  auto window = MakeWindow();
  ShowAndHide(*window);
  test::Click(window->btnPrint.Handle());
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"デフォルト プリンタが存在しません."});
  EXPECT_TRUE(IsWindow(window->Handle()));
}

TEST_F(StatusWindowTest, CloseGivesOneAndTheTitleBarTwo) {
  auto window = MakeWindow();
  static TfrmShow* shown = nullptr;
  static bool byTitleBar = false;
  shown = window.get();
  Form::SetModalShownHook([](Form& form) {
    if (byTitleBar) {
      PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      EXPECT_EQ(GetFocus(), shown->stgSpec.Handle());  // first in the focus order
      test::Click(shown->btnClose.Handle());
    }
  });
  byTitleBar = false;
  EXPECT_EQ(window->ShowModal(), kModalOk);
  byTitleBar = true;
  EXPECT_EQ(window->ShowModal(), kModalCancel);
  Form::SetModalShownHook(nullptr);
}

TEST_F(StatusWindowTest, Screenshot) {
  Found(1, "ALGEBR12", 1);
  Found(2, "GEOMETRY_V31", 2);
  for (int n = 4; n <= 14; ++n)
    AddEntry("単元 " + std::to_string(n), "unit" + std::to_string(n), "1.0");
  chooserFolder_ = "C:\\SERIES";
  auto window = MakeWindow();
  window->Show();
  window->stgSpec.Select(1, 2);
  const test::Picture shot = test::SaveScreenshot(window->Handle(), "StatusWindow");
  window->SetVisible(false);

  // The header row in the fixed cells' face, the rows below on white, and
  // the searched folder written in black.
  const HWND top = window->Handle();
  const HWND grid = window->stgSpec.Handle();
  RECT client;
  GetClientRect(grid, &client);
  const RECT header = test::AreaOnScreenshot(top, grid, {0, 0, client.right, 24});
  const RECT rows = test::AreaOnScreenshot(top, grid, {160, 100, client.right, client.bottom});
  const auto size = [](const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); };
  EXPECT_GT(shot.Count(GetSysColor(COLOR_BTNFACE), header), size(header) / 2);
  EXPECT_GT(shot.Count(GetSysColor(COLOR_WINDOW), rows), size(rows) / 2);
  RECT folder;
  GetClientRect(window->pnlDrive.Handle(), &folder);
  EXPECT_GT(
      shot.Count(RGB(0, 0, 0), test::AreaOnScreenshot(top, window->pnlDrive.Handle(), folder)), 20);
}

}  // namespace
}  // namespace sorvel::ui
