// The launcher's layout: every position, size and font height of its
// windows and controls, in pixels at 96 DPI, and nowhere else; and the one
// rule that scales them to a window's DPI.
#pragma once

#include <array>

#include "core/BoardRoom.h"
#include "core/StatusTable.h"
#include "ui/controls/Scaling.h"

namespace sorvel::ui {

// The height of the windows' font, "ＭＳ Ｐゴシック".
inline constexpr int kFontHeight = 12;

// Items of the lists that show a glyph before their text: the drive box and
// the directory list.
struct ListItemLayout {
  int height;
  int glyphLeft;  // from the item's left edge (the directory list's first level)
  int glyphWidth;
  int glyphHeight;
  int glyphTextGap;    // between the glyph and the text
  int nameInset;       // the directory list's name inside its highlight, left and right
  int levelIndent;     // per level of a folder tree
  int dropDownHeight;  // the drive box's open list
};
inline constexpr ListItemLayout kListItem{.height = 16,
                                          .glyphLeft = 2,
                                          .glyphWidth = 16,
                                          .glyphHeight = 12,
                                          .glyphTextGap = 4,
                                          .nameInset = 2,
                                          .levelIndent = 8,
                                          .dropDownHeight = 200};

// The string grid: the lines between its cells (one pixel at every DPI),
// the indent of a cell's text, and the cells of a grid made without sizes.
struct GridLayout {
  int lineWidth;  // in pixels
  int textIndent;
  int defaultColWidth;
  int defaultRowHeight;
};
inline constexpr GridLayout kGrid{
    .lineWidth = 1, .textIndent = 2, .defaultColWidth = 64, .defaultRowHeight = 24};

// Icons and cursors: the launcher's icon and its two cursors.
inline constexpr int kIconSize = 32;

// The main window, TfrmMain.
struct MainWindowLayout {
  int width;
  int height;
  int sidePanelGap;  // pnlMain is as high as the window less this
  Place imgPict;
  Place pnlMain;
  Place Panel2;
  int frameBevelWidth;  // Panel2's lowered bevel
  int frameBorderWidth;
  Place imgPicture;  // in Panel2
  Place btnShow;     // the buttons in pnlMain
  Place btnChangeDrive;
  Place btnDownLoad;
  Place btnHelp;
  Place btnEnd;
};
inline constexpr MainWindowLayout kMainWindow{
    .width = 640,
    .height = 450,
    .sidePanelGap = 50,
    .imgPict = {141, 9, 481, 401},
    .pnlMain = {8, 8, 129, 401},
    .Panel2 = {20, 24, 90, 74},
    .frameBevelWidth = 3,
    .frameBorderWidth = 1,
    .imgPicture = {4, 4, 81, 65},
    .btnShow = {8, 110, 113, 33},
    .btnChangeDrive = {8, 160, 113, 33},
    .btnDownLoad = {8, 218, 113, 35},
    .btnHelp = {8, 284, 113, 33},
    .btnEnd = {8, 352, 113, 33},
};

// The title board on the main window: columns of panels, each with its
// marker image at its left end.
struct TitleBoardLayout {
  int panelWidth;
  int panelHeight;
  int wideBoardLimit;  // boards of up to this many panels get wider panels
  int widening;        // by this much
  int columnGap;
  int wideColumnGap;
  int panelsPerColumn;
  int firstRowTop;
  int rowPitch;
  int rightMargin;  // room kept free at the window's right edge
  int raisedBevelWidth;
  int pressedBevelWidth;
  int focusCueInset;  // the focus cue's distance from the panel's edge, inside the bevel
  Place marker;       // in its panel
};
inline constexpr TitleBoardLayout kTitleBoard{
    .panelWidth = 137,
    .panelHeight = 33,
    .wideBoardLimit = 12,
    .widening = 50,
    .columnGap = 25,
    .wideColumnGap = 10,
    .panelsPerColumn = kPanelsPerColumn,
    .firstRowTop = 50,
    .rowPitch = 53,
    .rightMargin = 10,
    .raisedBevelWidth = 3,
    .pressedBevelWidth = 1,
    .focusCueInset = 4,
    .marker = {0, 6, 25, 17},
};

// Where title panel n of a board of `count` panels stands: columns of six
// from top to bottom, left to right; boards of up to twelve have wider
// panels. Integer division truncates toward zero, also for a negative share:
// boards of more than eighteen panels run past the window's edges.
constexpr Place TitlePanelPlace(int n, int count) {
  const TitleBoardLayout& board = kTitleBoard;
  const bool wide = count <= board.wideBoardLimit;
  const int width = board.panelWidth + (wide ? board.widening : 0);
  const int gap = wide ? board.wideColumnGap : board.columnGap;
  const int columns = (count - 1) / board.panelsPerColumn + 1;
  const int side = kMainWindow.pnlMain.width;
  const int offset =
      side + (kMainWindow.width - side - columns * width - board.rightMargin) / columns;
  const int column = (n - 1) / board.panelsPerColumn;
  const int row = (n - 1) % board.panelsPerColumn;
  return {kMainWindow.imgPicture.left + offset + (width + gap) * column,
          board.firstRowTop + row * board.rowPitch, width, board.panelHeight};
}

// The status window, TfrmShow: as large as the main window, the grid
// smaller than it by a margin.
struct StatusWindowLayout {
  Place pnlDrive;
  int drivePanelFontHeight;
  Place edtLastUpdate;
  Place stgSpec;  // its size is set from the main window's
  int gridWidthMargin;
  int gridHeightMargin;
  int rowHeight;
  // One width for each column of the status table: a column added there
  // without its width here does not compile.
  std::array<int, kStatusColumns> columnWidths;
  Place btnClose;
  Place btnPrint;
};
inline constexpr StatusWindowLayout kStatusWindow{
    .pnlDrive = {24, 8, 265, 25},
    .drivePanelFontHeight = 16,
    .edtLastUpdate = {304, 8, 249, 20},
    .stgSpec = {24, 40, 580, 340},
    .gridWidthMargin = 60,
    .gridHeightMargin = 110,
    .rowHeight = 24,
    .columnWidths = std::to_array({155, 90, 30, 30, 70, 30, 165}),
    .btnClose = {64, 384, 41, 33},
    .btnPrint = {168, 384, 49, 33},
};

// The folder chooser, TfrmChangeDrive.
struct ChooserLayout {
  Place window;  // on the screen
  Place Panel1;
  Place dcbDrive;
  Place dlbDrive;
  Place btnOk;
  Place btnCancel;
};
inline constexpr ChooserLayout kChooser{
    .window = {113, 158, 687, 450},
    .Panel1 = {32, 16, 473, 25},
    .dcbDrive = {32, 56, 169, 18},
    .dlbDrive = {232, 56, 273, 345},
    .btnOk = {64, 224, 97, 41},
    .btnCancel = {64, 312, 97, 41},
};

}  // namespace sorvel::ui
