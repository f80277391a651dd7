// The string grid's scrolling and the moves of its current cell by the
// keyboard and the mouse.

#include <algorithm>

#include "ui/controls/MousePress.h"
#include "ui/controls/StringGrid.h"

namespace sorvel::ui {

// The smallest top row that still shows the last row whole.
int StringGrid::MaxTopRow(int clientHeight) const {
  const int room = clientHeight - fixedRows_ * (RowHeight() + kLineWidth);
  int top = RowCount() - 1;
  int used = RowHeight();
  while (top - 1 >= fixedRows_ && used + kLineWidth + RowHeight() <= room) {
    used += kLineWidth + RowHeight();
    --top;
  }
  return std::max(top, fixedRows_);
}

int StringGrid::MaxLeftCol(int clientWidth) const {
  int room = clientWidth;
  for (int col = 0; col < fixedCols_; ++col) room -= ColWidth(col) + kLineWidth;
  int left = ColCount() - 1;
  int used = ColWidth(left);
  while (left - 1 >= fixedCols_ && used + kLineWidth + ColWidth(left - 1) <= room) {
    used += kLineWidth + ColWidth(left - 1);
    --left;
  }
  return std::max(left, fixedCols_);
}

void StringGrid::ClampScroll() {
  if (!Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  current_.x = std::clamp<LONG>(current_.x, fixedCols_, ColCount() - 1);
  current_.y = std::clamp<LONG>(current_.y, fixedRows_, RowCount() - 1);
  anchor_.x = std::clamp<LONG>(anchor_.x, fixedCols_, ColCount() - 1);
  anchor_.y = std::clamp<LONG>(anchor_.y, fixedRows_, RowCount() - 1);
  topLeft_.x = std::clamp<LONG>(topLeft_.x, fixedCols_, MaxLeftCol(client.right));
  topLeft_.y = std::clamp<LONG>(topLeft_.y, fixedRows_, MaxTopRow(client.bottom));
}

void StringGrid::ScrollTo(int leftCol, int topRow) {
  const POINT before = topLeft_;
  topLeft_ = POINT{leftCol, topRow};
  ClampScroll();
  if (topLeft_.x != before.x || topLeft_.y != before.y) {
    UpdateScrollBars();
    Invalidate();
  }
}

void StringGrid::ScrollIntoView(int col, int row) {
  RECT client;
  GetClientRect(Handle(), &client);
  int left = topLeft_.x, top = topLeft_.y;
  if (row < top) top = row;
  int fixedHeight = fixedRows_ * (RowHeight() + kLineWidth);
  while (top < row && fixedHeight + (row - top + 1) * (RowHeight() + kLineWidth) > client.bottom)
    ++top;
  if (col < left) left = col;
  int fixedWidth = 0;
  for (int c = 0; c < fixedCols_; ++c) fixedWidth += ColWidth(c) + kLineWidth;
  auto widthFrom = [this](int from, int to) {
    int width = 0;
    for (int c = from; c <= to; ++c) width += ColWidth(c) + kLineWidth;
    return width;
  };
  while (left < col && fixedWidth + widthFrom(left, col) > client.right) ++left;
  ScrollTo(left, top);
}

void StringGrid::UpdateScrollBars() {
  if (!Handle() || updatingBars_) return;
  updatingBars_ = true;
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  RECT client;
  GetClientRect(Handle(), &client);
  const int fullWidth = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
  const int fullHeight = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
  int totalWidth = 0;
  for (int col = 0; col < ColCount(); ++col) totalWidth += ColWidth(col) + kLineWidth;
  const int totalHeight = RowCount() * (RowHeight() + kLineWidth);

  bool needVertical = totalHeight > fullHeight;
  const bool needHorizontal = totalWidth > fullWidth - (needVertical ? barWidth : 0);
  if (needHorizontal && !needVertical) needVertical = totalHeight > fullHeight - barHeight;
  ShowScrollBar(Handle(), SB_VERT, needVertical);
  ShowScrollBar(Handle(), SB_HORZ, needHorizontal);

  GetClientRect(Handle(), &client);
  ClampScroll();
  if (needVertical) {
    SetScrollBar(SB_VERT, RowCount() - fixedRows_, MaxTopRow(client.bottom) - fixedRows_,
                 topLeft_.y - fixedRows_);
  }
  if (needHorizontal) {
    SetScrollBar(SB_HORZ, ColCount() - fixedCols_, MaxLeftCol(client.right) - fixedCols_,
                 topLeft_.x - fixedCols_);
  }
  updatingBars_ = false;
}

// A bar over `scrollable` rows (columns) of which the first `lastFirst`
// can be scrolled past; `position` of them are.
void StringGrid::SetScrollBar(int bar, int scrollable, int lastFirst, int position) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = scrollable - 1;
  info.nPage = static_cast<UINT>(scrollable - lastFirst);
  info.nPos = position;
  SetScrollInfo(Handle(), bar, &info, TRUE);
}

void StringGrid::OnScroll(int bar, WORD request) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  int pos = info.nPos;
  const int page = std::max<int>(1, static_cast<int>(info.nPage));
  switch (request) {
    case SB_LINEUP:
      pos -= 1;
      break;
    case SB_LINEDOWN:
      pos += 1;
      break;
    case SB_PAGEUP:
      pos -= page;
      break;
    case SB_PAGEDOWN:
      pos += page;
      break;
    case SB_TOP:
      pos = info.nMin;
      break;
    case SB_BOTTOM:
      pos = info.nMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = info.nTrackPos;
      break;
    default:
      return;
  }
  if (bar == SB_VERT) {
    ScrollTo(topLeft_.x, fixedRows_ + pos);
  } else {
    ScrollTo(fixedCols_ + pos, topLeft_.y);
  }
}

void StringGrid::OnKeyDown(WPARAM key) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  RECT client;
  GetClientRect(Handle(), &client);
  const int page =
      std::max(1, (static_cast<int>(client.bottom) - fixedRows_ * (RowHeight() + kLineWidth)) /
                      (RowHeight() + kLineWidth));
  int col = current_.x, row = current_.y;
  switch (key) {
    case VK_UP:
      --row;
      break;
    case VK_DOWN:
      ++row;
      break;
    case VK_LEFT:
      --col;
      break;
    case VK_RIGHT:
      ++col;
      break;
    case VK_PRIOR:
      row -= page;
      break;
    case VK_NEXT:
      row += page;
      break;
    case VK_HOME:
      col = fixedCols_;
      if (control) row = fixedRows_;
      break;
    case VK_END:
      col = ColCount() - 1;
      if (control) row = RowCount() - 1;
      break;
    default:
      return;
  }
  Select(std::clamp(col, fixedCols_, ColCount() - 1), std::clamp(row, fixedRows_, RowCount() - 1),
         shift);
}

void StringGrid::OnMouse(LPARAM lParam, bool extend) {
  const POINT cell = CellAt(PointOf(lParam));
  if (cell.x >= 0) Select(cell.x, cell.y, extend);
}

}  // namespace sorvel::ui
