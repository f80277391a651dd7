// A grid of text cells with fixed (header) rows and columns at the top and
// left, as a custom-painted control: cells are set by the program and only
// selected by the user, never edited.
//
// Fixed rows and columns look like buttons and are not selectable. Rows and
// columns that do not fit scroll, whole cells at a time, under the fixed
// ones. A range of ordinary cells is selected with the mouse (click, drag)
// or the keyboard (arrows, Home/End, PgUp/PgDn, with Shift to extend).
// Scrolling and the moves of the current cell are in StringGridScroll.cpp.
#pragma once

#include <string>
#include <vector>

#include "ui/Layout.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// How a grid is made: its cells and their size at 96 DPI.
struct StringGridOptions {
  int colCount = 5, rowCount = 5;
  int fixedCols = 1, fixedRows = 1;
  int defaultColWidth = kGrid.defaultColWidth;
  int rowHeight = kGrid.defaultRowHeight;
};

class StringGrid : public Window {
 public:
  using Options = StringGridOptions;
  void Create(const ControlArgs& args, const Options& options = {});

  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // At least 1. A count that leaves no room for the fixed rows (columns)
  // turns them into ordinary ones: the fixed count drops to count - 1.
  void SetColCount(int count);
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }

  // Widths and heights are set at 96 DPI, as the layout gives them, and
  // read in pixels at the grid's DPI.
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight() const;

  // Text of a cell (CP932); outside the grid reads as empty and is not set.
  std::string Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);

  // The current cell and the other corner of the selected range.
  int Col() const { return current_.x; }
  int Row() const { return current_.y; }
  RECT Selection() const;  // inclusive cell range: left/top/right/bottom
  bool InSelection(int col, int row) const;
  // Moves the current cell to an ordinary cell; false for a fixed cell or
  // one outside the grid.
  bool Select(int col, int row, bool extend = false);

  // First ordinary row / column shown below / beside the fixed ones.
  int TopRow() const { return topLeft_.y; }

  // The cell under a client point, or {-1, -1}.
  POINT CellAt(POINT client) const;
  // Where cell (col, row) is shown, in client pixels (maybe cut at the
  // edge); false when it is out of view.
  bool CellRect(int col, int row, RECT& rect) const;

  bool PaintsItself() const override { return true; }
  void Paint(HDC dc, const RECT& client) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;

 private:
  static constexpr int kLineWidth = kGrid.lineWidth;

  // Pixel offsets of the columns / rows as they are shown now: x of each
  // visible column's left edge (fixed ones first, then the scrolled ones).
  struct Span {
    int index;
    int start;
    int size;
  };
  std::vector<Span> VisibleCols(int clientWidth) const;
  std::vector<Span> VisibleRows(int clientHeight) const;

  void PaintCell(HDC dc, int col, int row, const RECT& rect);
  bool IsFixed(int col, int row) const { return col < fixedCols_ || row < fixedRows_; }

  void ResetSelection();
  // Tells screen readers of the current cell while the grid has the focus.
  void NotifyCurrentCell() const;
  // After the count of rows or columns changed.
  void CountChanged(int count, int& fixed);
  void ClampScroll();
  int MaxTopRow(int clientHeight) const;
  int MaxLeftCol(int clientWidth) const;
  void ScrollTo(int leftCol, int topRow);
  void ScrollIntoView(int col, int row);
  void UpdateScrollBars();
  void SetScrollBar(int bar, int scrollable, int lastFirst, int position);

  void OnKeyDown(WPARAM key);
  void OnMouse(LPARAM lParam, bool extend);
  void OnScroll(int bar, WORD request);

  std::vector<std::vector<std::string>> cells_;  // [row][col]
  std::vector<int> colWidths_;                   // at 96 DPI, as rowHeight_
  int defaultColWidth_ = kGrid.defaultColWidth;
  int rowHeight_ = kGrid.defaultRowHeight;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  POINT current_{1, 1};
  POINT anchor_{1, 1};
  POINT topLeft_{1, 1};
  bool dragging_ = false;
  bool updatingBars_ = false;
};

}  // namespace sorvel::ui
