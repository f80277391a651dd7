// What a screen reader learns about the main window's controls through
// AccessibleObjectFromWindow, in-process under Wine: names, roles, states
// and the title panels' default action.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <memory>

#include "platform/win32/Encoding.h"
#include "tests/support/win32/AccessibleView.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/GridAccessible.h"
#include "ui/controls/HighContrast.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TitleBoard.h"

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
      {window.btnShow(), L"詳細", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnEnd(), L"終了", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnChangeDrive(), L"参照", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
      {window.btnDownLoad(), L"最新版ダウンロード", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE,
       L""},
      {window.btnHelp(), L"ヘルプ", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, L""},
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

// The pictures have no windows: each is the last child of the object of
// the window it lies in, a simple element answered for by that object.
TEST_F(ScreenReader, PicturesAreChildElementsOfTheWindowsTheyLieIn) {
  TfrmMain& window = series.Open();
  const struct {
    const ui::ImageControl& picture;
    std::wstring name;
    long role;
  } expected[] = {
      {window.imgPicture, L"メニューの表示切り替え", ROLE_SYSTEM_PUSHBUTTON},
      {window.imgPict, L"", ROLE_SYSTEM_GRAPHIC},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.picture.Name());
    const AccessibleView host = ViewAccessible(row.picture.Host());
    ASSERT_GT(host.childCount, 0);
    const AccessibleView seen = ViewAccessible(row.picture.Host(), {host.childCount});
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.name, row.name);
    EXPECT_EQ(seen.role, row.role);
    EXPECT_EQ(seen.state & kKeyboardStates, 0);
    EXPECT_EQ(seen.defaultAction, L"");
    RECT place = row.picture.Bounds();
    MapWindowPoints(row.picture.Host(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_TRUE(EqualRect(&seen.location, &place));
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

// ---------------------------------------------------------------------------
// The status table, read through the grid's object while the keyboard moves
// its current cell.

std::function<void()> inStatusWindow;
void RunInStatusWindow(ui::Form&) {
  if (inStatusWindow) inStatusWindow();
}

// A key as the keyboard gives it to the control with the focus.
void Press(UINT key) {
  const HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  PumpMessages();
}

// The focus events of this process, as a screen reader hooked out of
// context hears them: on this thread, while it handles its messages.
struct FocusEvent {
  HWND hwnd;
  LONG objectId, childId;
};
std::vector<FocusEvent> focusEvents;
void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG objectId, LONG childId, DWORD,
                           DWORD) {
  focusEvents.push_back({hwnd, objectId, childId});
}

// The cell the last focus event of the grid names, as a screen reader
// resolves it; none when the grid fired no focus event.
AccessibleView LastFocusedCell(HWND grid) {
  PumpMessages();
  AccessibleView cell;
  for (const FocusEvent& event : focusEvents) {
    if (event.hwnd == grid) cell = ViewEventObject(event.hwnd, event.objectId, event.childId);
  }
  focusEvents.clear();
  return cell;
}

class DialogReader : public ScreenReader {
 protected:
  void SetUp() override {
    ScreenReader::SetUp();
    // Eighteen entries: more rows than the table shows at once.
    std::vector<SeriesEntry> entries = {
        {"代数 I", "ALGEBRA1"}, {"図形", "geometry"}, {"関数", "kansu"}};
    for (int n = 4; n <= 18; ++n) entries.push_back({"単元 " + std::to_string(n), "unit"});
    series.WriteCatalogue("Series", entries);
    ui::Form::SetModalShownHook(RunInStatusWindow);
  }
  void TearDown() override {
    inStatusWindow = nullptr;
    ui::Form::SetModalShownHook(nullptr);
  }
  // The main window with its status window, as the launcher attaches it.
  TfrmMain& Open() {
    TfrmMain& window = series.Open();
    ui::TfrmShow::Sources sources;
    sources.mainWindowSize = [&window] { return window.LayoutSize(); };
    sources.chooserFolder = [&window] { return window.ChooserFolder(); };
    status = std::make_unique<ui::TfrmShow>(window.State(), sources);
    status->Create(window.Handle());
    chooser = std::make_unique<ui::TfrmChangeDrive>(series.platform, SeriesFolder(window.State()));
    chooser->Create(window.Handle());
    window.AttachDialogs(status.get(), chooser.get());
    return window;
  }
  std::unique_ptr<ui::TfrmShow> status;
  std::unique_ptr<ui::TfrmChangeDrive> chooser;
};

TEST_F(DialogReader, FieldsAreNamedByWhatTheyShow) {
  Open();
  status->Show();
  PumpMessages();
  const struct {
    ui::Window& control;
    std::wstring name, value;
    long states;  // of kKeyboardStates
  } expected[] = {
      {chooser->dcbDrive, L"ドライブ", L"", STATE_SYSTEM_FOCUSABLE},
      {chooser->dlbDrive, L"フォルダ一覧", L"", STATE_SYSTEM_FOCUSABLE},
      {chooser->Panel1, L"検索するフォルダ", win32::Cp932ToWideLenient(chooser->Folder()), 0},
      {status->pnlDrive, L"検索したフォルダ", win32::Cp932ToWideLenient(chooser->Folder()), 0},
      {status->edtLastUpdate, L"更新日", L"2024/04/01", STATE_SYSTEM_FOCUSABLE},
      {status->stgSpec, L"インストール状況", L"", STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED},
  };
  for (const auto& row : expected) {
    SCOPED_TRACE(row.control.Name());
    const AccessibleView seen = ViewAccessible(row.control.Handle());
    EXPECT_EQ(seen.name, row.name);
    if (!row.value.empty()) {
      EXPECT_EQ(seen.value, row.value);
    }
    EXPECT_EQ(seen.state & kKeyboardStates, row.states);
  }
  status->SetVisible(false);
}

TEST_F(DialogReader, KeyboardMovesAreHeardAsTheCurrentCellWithItsHeaders) {
  const struct {
    UINT key;  // 0: the grid takes the focus as the window opens
    int col, row;
    std::wstring name, description;
  } steps[] = {
      {0, 1, 1, L"algebra1.exe", L"実行ファイル名、代数 I"},
      {VK_RIGHT, 2, 1, L"1.2", L"Ver、代数 I"},
      {VK_DOWN, 2, 2, L"", L"Ver、図形"},
      {VK_RIGHT, 3, 2, L"1.0", L"最新、図形"},
      {VK_RIGHT, 4, 2, L"not installed", L"属性、図形"},
      {VK_DOWN, 4, 3, L"Free", L"属性、関数"},
      {VK_END, 6, 3, L"KANSU10", L"フォルダ名、関数"},
      {VK_LEFT, 5, 3, L"0", L"重複、関数"},
      {VK_HOME, 1, 3, L"kansu.exe", L"実行ファイル名、関数"},
      {VK_NEXT, 1, 14, L"unit.exe", L"実行ファイル名、単元 14"},
      {VK_NEXT, 1, 18, L"unit.exe", L"実行ファイル名、単元 18"},
      {VK_UP, 1, 17, L"unit.exe", L"実行ファイル名、単元 17"},
  };
  TfrmMain& window = Open();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  bool shown = false;
  const auto read = [&] {
    const ui::StringGrid& grid = status->stgSpec;
    ASSERT_EQ(GetFocus(), grid.Handle());
    RECT view;
    GetClientRect(grid.Handle(), &view);
    MapWindowPoints(grid.Handle(), nullptr, reinterpret_cast<POINT*>(&view), 2);
    for (const auto& step : steps) {
      SCOPED_TRACE(::testing::Message() << "to " << step.col << "," << step.row);
      if (step.key) Press(step.key);
      const AccessibleView cell = LastFocusedCell(grid.Handle());
      ASSERT_TRUE(cell.found) << "no focus event";
      EXPECT_EQ(grid.Col(), step.col);
      EXPECT_EQ(grid.Row(), step.row);
      EXPECT_EQ(cell.name, step.name);
      EXPECT_EQ(cell.description, step.description);
      EXPECT_EQ(cell.role, ROLE_SYSTEM_CELL);
      EXPECT_EQ(
          cell.state & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_OFFSCREEN),
          STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED);
      RECT inside;
      EXPECT_TRUE(IntersectRect(&inside, &cell.location, &view) &&
                  EqualRect(&inside, &cell.location));
    }
  };
  inStatusWindow = [&] {
    shown = true;
    read();
    Click(status->btnClose.Handle());
  };
  SetFocus(window.btnShow().Handle());
  Press(VK_SPACE);
  UnhookWinEvent(hook);
  EXPECT_TRUE(shown);
}

TEST_F(DialogReader, EveryCellIsNamedByItsOwnTextAndOnlyShownCellsAreOnScreen) {
  Open();
  status->Show();
  PumpMessages();
  const ui::StringGrid& grid = status->stgSpec;
  const HWND hwnd = grid.Handle();
  const AccessibleView table = ViewAccessible(hwnd);
  EXPECT_EQ(table.role, ROLE_SYSTEM_TABLE);
  EXPECT_EQ(table.childCount, grid.RowCount());
  for (int row = 0; row < grid.RowCount(); ++row) {
    const AccessibleView line = ViewAccessible(hwnd, {row + 1});
    EXPECT_EQ(line.role, ROLE_SYSTEM_ROW);
    EXPECT_EQ(line.childCount, grid.ColCount());
    for (int col = 0; col < grid.ColCount(); ++col) {
      SCOPED_TRACE(::testing::Message() << "cell " << col << "," << row);
      const std::wstring text = win32::Cp932ToWideLenient(grid.Cell(col, row));
      const AccessibleView cell = ViewAccessible(hwnd, {row + 1, col + 1});
      EXPECT_EQ(cell.name, text);
      EXPECT_EQ(ViewAccessible(hwnd, {ui::GridCellChildId(grid, col, row)}).name, text);
      RECT shown;
      EXPECT_EQ((cell.state & STATE_SYSTEM_OFFSCREEN) != 0, !grid.CellRect(col, row, shown));
    }
  }
  // The fixed row and column are the headers; rows past the view offscreen.
  EXPECT_EQ(ViewAccessible(hwnd, {1, 3}).role, ROLE_SYSTEM_COLUMNHEADER);
  EXPECT_EQ(ViewAccessible(hwnd, {3, 1}).role, ROLE_SYSTEM_ROWHEADER);
  EXPECT_EQ(ViewAccessible(hwnd, {3, 1}).description, L"単元名");
  EXPECT_EQ(ViewAccessible(hwnd, {3, 1}).name, L"図形");
  EXPECT_EQ(ViewAccessible(hwnd, {19, 2}).state & STATE_SYSTEM_OFFSCREEN, STATE_SYSTEM_OFFSCREEN);
  EXPECT_EQ(ViewAccessible(hwnd, {2, 2}).state & STATE_SYSTEM_OFFSCREEN, 0);
  status->SetVisible(false);
}

// ---------------------------------------------------------------------------
// High contrast: the title panels and the grid in the theme's colours, and
// without it every pixel as before.

// A white high-contrast theme, as Windows switches it on: its colours, and
// the state said on (Wine cannot switch it itself).
class HighContrastTheme {
 public:
  HighContrastTheme() {
    for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kElements[i]);
    SetSysColors(kCount, kElements, kColours);
    ui::SetHighContrastOverride(true);
  }
  ~HighContrastTheme() {
    SetSysColors(kCount, kElements, saved_);
    ui::SetHighContrastOverride(std::nullopt);
  }
  HighContrastTheme(const HighContrastTheme&) = delete;
  HighContrastTheme& operator=(const HighContrastTheme&) = delete;

 private:
  static constexpr int kCount = 9;
  static constexpr INT kElements[kCount] = {
      COLOR_BTNFACE,   COLOR_BTNTEXT,      COLOR_GRAYTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
      COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_WINDOW,   COLOR_WINDOWTEXT};
  static constexpr COLORREF kColours[kCount] = {
      RGB(255, 255, 255), RGB(0, 0, 0), RGB(96, 0, 0),      RGB(55, 0, 110), RGB(255, 255, 255),
      RGB(0, 0, 0),       RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)};
  COLORREF saved_[kCount]{};
};

// Pixels of `color` inside a title panel's bevels, as the screenshot shows.
int InsidePanel(const Picture& shot, HWND top, const ui::Window& panel, COLORREF color) {
  RECT inside;
  GetClientRect(panel.Handle(), &inside);
  InflateRect(&inside, -6, -6);
  return shot.Count(color, AreaOnScreenshot(top, panel.Handle(), inside));
}

TEST_F(DialogReader, UnderHighContrastEveryTitleIsWrittenInTheThemesColours) {
  TfrmMain& window = Open();
  Click(window.Board().Panel(3)->Handle());  // pressed until the next scan
  const HighContrastTheme theme;
  const struct {
    int entry;
    int face, ink;
  } expected[] = {
      {1, COLOR_BTNFACE, COLOR_BTNTEXT},          // installed
      {2, COLOR_BTNFACE, COLOR_GRAYTEXT},         // missing
      {3, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},  // pressed
  };
  const Picture shot = SaveScreenshot(window.Handle(), "main_window_high_contrast");
  for (const auto& row : expected) {
    SCOPED_TRACE("entry " + std::to_string(row.entry));
    const ui::Window& panel = *window.Board().Panel(row.entry);
    EXPECT_GT(InsidePanel(shot, window.Handle(), panel, GetSysColor(row.face)), 2000);
    EXPECT_GT(InsidePanel(shot, window.Handle(), panel, GetSysColor(row.ink)), 20);
  }
  // The grid's lines are the theme's too, none of its own silver.
  status->Show();
  status->stgSpec.Select(2, 3);
  const Picture table = SaveScreenshot(status->Handle(), "status_window_high_contrast");
  status->SetVisible(false);
  RECT cells;
  GetClientRect(status->stgSpec.Handle(), &cells);
  const RECT area = AreaOnScreenshot(status->Handle(), status->stgSpec.Handle(), cells);
  EXPECT_EQ(table.Count(RGB(192, 192, 192), area), 0);
  EXPECT_GT(table.Count(RGB(0, 0, 0), area), 2000);
}

TEST_F(DialogReader, WithoutHighContrastEveryPixelStaysAsItWas) {
  TfrmMain& window = Open();
  status->Show();
  PumpMessages();
  ui::SetHighContrastOverride(false);
  const COLORREF titles[] = {ui::kTitleGreen, ui::kTitleWhite, ui::kTitleGreen};
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n));
    // Inside the bevels only the face and the title's own colour.
    const Picture panel = Picture::Printed(window.Board().Panel(n)->Handle());
    const RECT inside{6, 6, panel.Width() - 6, panel.Height() - 6};
    EXPECT_EQ(panel.Count(GetSysColor(COLOR_BTNFACE), inside) + panel.Count(titles[n - 1], inside),
              (inside.right - inside.left) * (inside.bottom - inside.top));
  }
  // The grid's own silver lines between its ordinary cells.
  EXPECT_GT(Picture::Printed(status->stgSpec.Handle()).Count(RGB(192, 192, 192)), 1000);
  status->SetVisible(false);
  ui::SetHighContrastOverride(std::nullopt);
}

}  // namespace
}  // namespace sorvel::test
