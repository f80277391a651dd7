// What a screen reader learns of a string grid: a table whose children are
// its rows, whose rows' children are their cells. A cell is named by its
// text and described by its column's header and its row's title; the
// current cell is focused and selected, and cells out of view are
// offscreen.
//
// The grid paints itself (its fixed row and column look like buttons, and
// it scales with the DPI as every window of ours does), so it answers for
// itself with an IAccessible of its own rather than through a list view
// that would look and lay out otherwise.
#pragma once

#include <windows.h>

namespace sorvel::ui {

class StringGrid;

// The child id under which the grid's client object answers for cell (col,
// row), as focus events name the cell: the rows have the ids 1 to the row
// count, the cells the ids after them, row by row.
LONG GridCellChildId(const StringGrid& grid, int col, int row);

// The answer to WM_GETOBJECT for the grid's client area; 0 (the system's
// standard answer) when COM cannot be had.
LRESULT AnswerGridGetObject(HWND grid, WPARAM wParam);

}  // namespace sorvel::ui
