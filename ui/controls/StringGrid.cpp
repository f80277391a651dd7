#include "ui/controls/StringGrid.h"

#include <algorithm>

#include "platform/win32/Encoding.h"
#include "platform/win32/Gdi.h"
#include "ui/Layout.h"
#include "ui/controls/GlyphPainter.h"
#include "ui/controls/GridAccessible.h"
#include "ui/controls/HighContrast.h"

namespace sorvel::ui {
namespace {

// Ordinary cells have silver lines, fixed cells black ones.
constexpr COLORREF kLineColor = RGB(192, 192, 192);
constexpr COLORREF kFixedLineColor = RGB(0, 0, 0);

// Under high contrast the lines are the theme's: button text between the
// fixed cells, the 3D shadow between the others.
COLORREF LineColor(bool fixed) {
  if (HighContrastOn()) return GetSysColor(fixed ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  return fixed ? kFixedLineColor : kLineColor;
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

void StringGrid::Create(const ControlArgs& args, const Options& options) {
  defaultColWidth_ = options.defaultColWidth;
  rowHeight_ = options.rowHeight;
  colWidths_.assign(static_cast<size_t>(std::max(1, options.colCount)), defaultColWidth_);
  cells_.assign(static_cast<size_t>(std::max(1, options.rowCount)),
                std::vector<std::string>(colWidths_.size()));
  fixedCols_ = std::clamp(options.fixedCols, 0, ColCount() - 1);
  fixedRows_ = std::clamp(options.fixedRows, 0, RowCount() - 1);
  ResetSelection();
  CreateWindowOf({.className = L"SorvelStringGrid",
                  .style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS,
                  .exStyle = WS_EX_CLIENTEDGE},
                 args);
  UpdateScrollBars();
}

void StringGrid::SetColCount(int count) {
  count = std::max(1, count);
  if (count == ColCount()) return;
  colWidths_.resize(static_cast<size_t>(count), defaultColWidth_);
  for (auto& row : cells_) row.resize(static_cast<size_t>(count));
  CountChanged(count, fixedCols_);
}

void StringGrid::SetRowCount(int count) {
  count = std::max(1, count);
  if (count == RowCount()) return;
  cells_.resize(static_cast<size_t>(count), std::vector<std::string>(colWidths_.size()));
  CountChanged(count, fixedRows_);
}

// A count that leaves no room for the fixed rows (columns) turns them into
// ordinary ones.
void StringGrid::CountChanged(int count, int& fixed) {
  if (count <= fixed) {
    fixed = count - 1;
    ResetSelection();
  }
  ClampScroll();
  UpdateScrollBars();
  Invalidate();
}

int StringGrid::ColWidth(int col) const {
  return col >= 0 && col < ColCount() ? ScaleToDpi(colWidths_[static_cast<size_t>(col)], Dpi()) : 0;
}

int StringGrid::RowHeight() const { return ScaleToDpi(rowHeight_, Dpi()); }

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  colWidths_[static_cast<size_t>(col)] = std::max(0, width);
  ClampScroll();
  UpdateScrollBars();
  Invalidate();
}

std::string StringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return std::string();
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
  cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
  Invalidate();
}

RECT StringGrid::Selection() const {
  return RECT{std::min(anchor_.x, current_.x), std::min(anchor_.y, current_.y),
              std::max(anchor_.x, current_.x), std::max(anchor_.y, current_.y)};
}

bool StringGrid::InSelection(int col, int row) const {
  const RECT range = Selection();
  return col >= range.left && col <= range.right && row >= range.top && row <= range.bottom;
}

bool StringGrid::Select(int col, int row, bool extend) {
  if (col < fixedCols_ || col >= ColCount() || row < fixedRows_ || row >= RowCount()) return false;
  const bool moved = col != current_.x || row != current_.y;
  current_ = POINT{col, row};
  if (!extend) anchor_ = current_;
  ScrollIntoView(col, row);
  Invalidate();
  if (moved) NotifyCurrentCell();
  return true;
}

void StringGrid::NotifyCurrentCell() const {
  if (GetFocus() != Handle()) return;
  const LONG child = GridCellChildId(*this, current_.x, current_.y);
  NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, child);
  NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, child);
}

void StringGrid::ResetSelection() { current_ = anchor_ = topLeft_ = POINT{fixedCols_, fixedRows_}; }

std::vector<StringGrid::Span> StringGrid::VisibleCols(int clientWidth) const {
  std::vector<Span> spans;
  int x = 0;
  for (int col = 0; col < ColCount() && x < clientWidth; ++col) {
    if (col >= fixedCols_ && col < topLeft_.x) continue;
    spans.push_back(Span{col, x, ColWidth(col)});
    x += ColWidth(col) + kLineWidth;
  }
  return spans;
}

std::vector<StringGrid::Span> StringGrid::VisibleRows(int clientHeight) const {
  std::vector<Span> spans;
  int y = 0;
  for (int row = 0; row < RowCount() && y < clientHeight; ++row) {
    if (row >= fixedRows_ && row < topLeft_.y) continue;
    spans.push_back(Span{row, y, RowHeight()});
    y += RowHeight() + kLineWidth;
  }
  return spans;
}

POINT StringGrid::CellAt(POINT point) const {
  RECT client;
  GetClientRect(Handle(), &client);
  POINT cell{-1, -1};
  for (const Span& span : VisibleCols(client.right)) {
    if (point.x >= span.start && point.x < span.start + span.size + kLineWidth) cell.x = span.index;
  }
  for (const Span& span : VisibleRows(client.bottom)) {
    if (point.y >= span.start && point.y < span.start + span.size + kLineWidth) cell.y = span.index;
  }
  if (cell.x < 0 || cell.y < 0) return POINT{-1, -1};
  return cell;
}

bool StringGrid::CellRect(int col, int row, RECT& rect) const {
  RECT client;
  GetClientRect(Handle(), &client);
  const auto find = [](const std::vector<Span>& spans, int index) {
    return std::find_if(spans.begin(), spans.end(),
                        [index](const Span& span) { return span.index == index; });
  };
  const std::vector<Span> cols = VisibleCols(client.right), rows = VisibleRows(client.bottom);
  const auto colSpan = find(cols, col);
  const auto rowSpan = find(rows, row);
  if (colSpan == cols.end() || rowSpan == rows.end()) return false;
  rect = RECT{colSpan->start, rowSpan->start, colSpan->start + colSpan->size,
              rowSpan->start + rowSpan->size};
  return true;
}

void StringGrid::Paint(HDC dc, const RECT& client) {
  const win32::SelectedObject font(dc, PaintFont());
  int right = 0, bottom = 0;
  const std::vector<Span> cols = VisibleCols(client.right);
  for (const Span& row : VisibleRows(client.bottom)) {
    for (const Span& col : cols) {
      const RECT rect{col.start, row.start, col.start + col.size, row.start + row.size};
      PaintCell(dc, col.index, row.index, rect);
      right = std::max<int>(right, rect.right + kLineWidth);
    }
    bottom = row.start + row.size + kLineWidth;
  }
  // Beyond the last column and row the grid shows its own colour.
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  FillColor(dc, RECT{right, 0, client.right, client.bottom}, window);
  FillColor(dc, RECT{0, bottom, right, client.bottom}, window);
}

void StringGrid::PaintCell(HDC dc, int col, int row, const RECT& rect) {
  const bool fixed = IsFixed(col, row);
  const bool focused = GetFocus() == Handle();
  const bool isCurrent = col == current_.x && row == current_.y;
  const bool highlighted = !fixed && InSelection(col, row) && !(focused && isCurrent);

  COLORREF back = GetSysColor(fixed ? COLOR_BTNFACE : COLOR_WINDOW);
  COLORREF text = GetSysColor(fixed ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
  if (highlighted) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  SetBkColor(dc, back);
  SetTextColor(dc, text);
  const std::wstring wide = win32::Cp932ToWideLenient(Cell(col, row));
  const int indent = ScaleToDpi(kGrid.textIndent, Dpi());
  ExtTextOutW(dc, rect.left + indent, rect.top + indent, ETO_OPAQUE | ETO_CLIPPED, &rect,
              wide.c_str(), static_cast<UINT>(wide.size()), nullptr);

  const COLORREF line = LineColor(fixed);
  FillColor(dc, RECT{rect.right, rect.top, rect.right + kLineWidth, rect.bottom + kLineWidth},
            line);
  FillColor(dc, RECT{rect.left, rect.bottom, rect.right + kLineWidth, rect.bottom + kLineWidth},
            line);
  if (fixed) {
    RECT edge = rect;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  } else if (focused && isCurrent) {
    DrawFocusFrame(dc, rect, Dpi());
  }
}

// The cells keep their layout sizes, now in pixels of the new DPI.
void StringGrid::OnDpiChanged() {
  ClampScroll();
  UpdateScrollBars();
  Invalidate();
}

LRESULT StringGrid::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SIZE:
      UpdateScrollBars();
      Invalidate();
      return 0;
    case WM_SETFOCUS:
      Invalidate();
      NotifyCurrentCell();
      return 0;
    case WM_KILLFOCUS:
      Invalidate();
      return 0;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerGridGetObject(Handle(), wParam)) return answer;
      }
      break;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      OnMouse(lParam, (wParam & MK_SHIFT) != 0);
      SetCapture(Handle());
      dragging_ = true;
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnMouse(lParam, true);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
      }
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
      ScrollTo(topLeft_.x, topLeft_.y - 3 * notches);
      return 0;
    }
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
