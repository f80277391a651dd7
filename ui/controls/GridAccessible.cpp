#include "ui/controls/GridAccessible.h"

#include <oleacc.h>

#include <optional>
#include <string>

#include "core/UserTexts.h"
#include "ui/controls/AccessibleCom.h"
#include "ui/controls/StringGrid.h"

namespace sorvel::ui {
namespace {

// The part of the grid an object stands for: the table (row -1), one of its
// rows (col -1) or one cell.
struct GridPart {
  int row = -1;
  int col = -1;
  bool IsTable() const { return row < 0; }
  bool IsRow() const { return row >= 0 && col < 0; }
};

constexpr GridPart kTable{};

// A screen reader may keep an object after its grid is gone or has shrunk.
StringGrid* GridOf(HWND hwnd, GridPart part) {
  auto* grid = dynamic_cast<StringGrid*>(Window::FromHandle(hwnd));
  if (!grid || part.row >= grid->RowCount() || part.col >= grid->ColCount()) return nullptr;
  return grid;
}

LONG ChildCount(const StringGrid& grid, GridPart part) {
  if (part.IsTable()) return grid.RowCount();
  return part.IsRow() ? grid.ColCount() : 0;
}

// The part `child` names, seen from `part`; nullopt for none of its own.
std::optional<GridPart> ChildPart(const StringGrid& grid, GridPart part, const VARIANT& child) {
  if (child.vt != VT_I4) return std::nullopt;
  const LONG id = child.lVal;
  if (id == CHILDID_SELF) return part;
  const LONG rows = grid.RowCount(), cols = grid.ColCount();
  if (part.IsTable() && id >= 1 && id <= rows) return GridPart{static_cast<int>(id - 1)};
  const LONG cell = id - rows - 1;
  if (part.IsTable() && cell >= 0 && cell < rows * cols)
    return GridPart{static_cast<int>(cell / cols), static_cast<int>(cell % cols)};
  if (part.IsRow() && id >= 1 && id <= cols) return GridPart{part.row, static_cast<int>(id - 1)};
  return std::nullopt;
}

std::string RowTitle(const StringGrid& grid, int row) {
  return grid.FixedCols() > 0 ? grid.Cell(0, row) : std::string();
}

// An ordinary cell is described by its column's header and its row's title,
// each where the grid has one.
std::string Description(const StringGrid& grid, GridPart cell) {
  if (cell.row < grid.FixedRows()) return std::string();
  const std::string header = grid.FixedRows() > 0 ? grid.Cell(cell.col, 0) : std::string();
  const std::string title = cell.col >= grid.FixedCols() ? RowTitle(grid, cell.row) : "";
  if (header.empty() || title.empty()) return header + title;
  return header + texts::kCellNameJoint + title;
}

LONG Role(const StringGrid& grid, GridPart part) {
  if (part.IsTable()) return ROLE_SYSTEM_TABLE;
  if (part.IsRow()) return ROLE_SYSTEM_ROW;
  if (part.row < grid.FixedRows()) return ROLE_SYSTEM_COLUMNHEADER;
  if (part.col < grid.FixedCols()) return ROLE_SYSTEM_ROWHEADER;
  return ROLE_SYSTEM_CELL;
}

// Where a row or cell is shown, in client pixels; nullopt out of view.
std::optional<RECT> ShownRect(const StringGrid& grid, GridPart part) {
  RECT shown{}, cell{};
  bool any = false;
  for (int col = part.IsRow() ? 0 : part.col; col < grid.ColCount(); ++col) {
    if (grid.CellRect(col, part.row, cell)) {
      UnionRect(&shown, any ? &shown : &cell, &cell);
      any = true;
    }
    if (!part.IsRow()) break;
  }
  return any ? std::optional<RECT>(shown) : std::nullopt;
}

LONG State(const StringGrid& grid, GridPart part) {
  LONG state = ShownRect(grid, part) ? 0 : STATE_SYSTEM_OFFSCREEN;
  if (part.IsRow()) return state;
  state |= STATE_SYSTEM_READONLY;
  if (part.row < grid.FixedRows() || part.col < grid.FixedCols()) return state;
  state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (grid.InSelection(part.col, part.row)) state |= STATE_SYSTEM_SELECTED;
  const bool current = part.col == grid.Col() && part.row == grid.Row();
  if (current && GetFocus() == grid.Handle()) state |= STATE_SYSTEM_FOCUSED;
  return state;
}

// The sibling or child `direction` leads to from `part`.
std::optional<GridPart> Navigate(const StringGrid& grid, GridPart part, LONG direction) {
  const LONG count = ChildCount(grid, part);
  const auto child = [&](int index) {
    return part.IsTable() ? GridPart{index} : GridPart{part.row, index};
  };
  if (direction == NAVDIR_FIRSTCHILD && count > 0) return child(0);
  if (direction == NAVDIR_LASTCHILD && count > 0) return child(static_cast<int>(count) - 1);
  const int step = direction == NAVDIR_NEXT ? 1 : direction == NAVDIR_PREVIOUS ? -1 : 0;
  if (step == 0 || part.IsTable()) return std::nullopt;
  GridPart next = part;
  int& index = part.IsRow() ? next.row : next.col;
  index += step;
  const int siblings = part.IsRow() ? grid.RowCount() : grid.ColCount();
  return index >= 0 && index < siblings ? std::optional<GridPart>(next) : std::nullopt;
}

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

HRESULT NoPart(VARIANT* out) {
  if (out) out->vt = VT_EMPTY;
  return S_FALSE;
}

// The object of one part of a grid. The table's object lays itself over the
// system's standard client object, which answers what the window itself is
// (its place, parent and neighbours); rows and cells answer for themselves.
// It holds the window handle, not the grid: a screen reader may keep it
// after the grid is gone, and then hears that the object is no more.
class GridAccessible final : public AccessibleObject {
 public:
  GridAccessible(const ComFunctions& com, HWND hwnd, IAccessible* standard, GridPart part)
      : com_(com), hwnd_(hwnd), standard_(standard), part_(part) {
    standard_->AddRef();
  }
  GridAccessible(const GridAccessible&) = delete;
  GridAccessible& operator=(const GridAccessible&) = delete;

  // IDispatch: no type information; screen readers call IAccessible.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return OnPart(child, [&](StringGrid& grid, GridPart part) {
      if (part.IsTable()) {
        const auto traits = grid.Accessibility();
        if (!traits) return standard_->get_accName(Self(), name);
        return com_.Text(traits->name, name);
      }
      return com_.Text(part.IsRow() ? RowTitle(grid, part.row) : grid.Cell(part.col, part.row),
                       name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return OnPart(child, [&](StringGrid& grid, GridPart part) {
      if (part.IsTable()) return standard_->get_accDescription(Self(), description);
      if (part.IsRow()) return Missing(description);
      return com_.Text(Description(grid, part), description);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return OnPart(child,
                  [&](StringGrid& grid, GridPart part) { return Number(Role(grid, part), role); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return OnPart(child, [&](StringGrid& grid, GridPart part) {
      if (part.IsTable()) return standard_->get_accState(Self(), state);
      return Number(State(grid, part), state);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    if (part_.IsTable()) return standard_->get_accParent(parent);
    *parent = New(part_.IsRow() ? kTable : GridPart{part_.row});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    return OnPart(Self(), [&](StringGrid& grid, GridPart part) {
      *count = ChildCount(grid, part);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    return OnPart(child, [&](StringGrid&, GridPart part) {
      if (child.lVal == CHILDID_SELF) return E_INVALIDARG;
      *object = New(part);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;

  // What a table's window has besides, the standard object's; rows and
  // cells have none of it.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return IsTable(child) ? standard_->get_accValue(child, value) : Missing(value);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return IsTable(child) ? standard_->get_accHelp(child, help) : Missing(help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return IsTable(child) ? standard_->get_accHelpTopic(file, child, topic) : Missing(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return IsTable(child) ? standard_->get_accKeyboardShortcut(child, shortcut) : Missing(shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return IsTable(child) ? standard_->get_accDefaultAction(child, action) : Missing(action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return IsTable(child) ? standard_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~GridAccessible() override { standard_->Release(); }

  // Runs `answer` for the part `child` names, while the grid still has it.
  template <typename Answer>
  HRESULT OnPart(const VARIANT& child, Answer answer) const {
    StringGrid* grid = GridOf(hwnd_, part_);
    if (!grid) return CO_E_OBJNOTCONNECTED;
    const std::optional<GridPart> part = ChildPart(*grid, part_, child);
    return part ? answer(*grid, *part) : E_INVALIDARG;
  }
  bool IsTable(const VARIANT& child) const {
    return part_.IsTable() && child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }
  static HRESULT Missing(BSTR* text) {
    if (text) *text = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  static HRESULT Number(LONG number, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = number;
    return S_OK;
  }
  IDispatch* New(GridPart part) const { return new GridAccessible(com_, hwnd_, standard_, part); }
  HRESULT Object(GridPart part, VARIANT* out) const {
    out->vt = VT_DISPATCH;
    out->pdispVal = New(part);
    return S_OK;
  }

  const ComFunctions& com_;
  HWND hwnd_;
  IAccessible* standard_;  // one reference of its own
  GridPart part_;
};

// The grid's focus is its current cell, while the grid has the focus.
HRESULT GridAccessible::get_accFocus(VARIANT* focus) {
  if (!focus) return E_POINTER;
  return OnPart(Self(), [&](StringGrid& grid, GridPart part) {
    if (!part.IsTable() || GetFocus() != hwnd_) return NoPart(focus);
    return Object(GridPart{grid.Row(), grid.Col()}, focus);
  });
}

// The current cell is the one selected for a screen reader, whatever range
// the mouse has dragged.
HRESULT GridAccessible::get_accSelection(VARIANT* selection) {
  if (!selection) return E_POINTER;
  return OnPart(Self(), [&](StringGrid& grid, GridPart part) {
    if (!part.IsTable()) return NoPart(selection);
    return Object(GridPart{grid.Row(), grid.Col()}, selection);
  });
}

HRESULT GridAccessible::accSelect(LONG flags, VARIANT child) {
  return OnPart(child, [&](StringGrid& grid, GridPart part) {
    if (part.IsTable() || part.IsRow()) return E_INVALIDARG;
    if ((flags & SELFLAG_TAKEFOCUS) != 0) SetFocus(hwnd_);
    if ((flags & (SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION)) != 0 &&
        !grid.Select(part.col, part.row, (flags & SELFLAG_EXTENDSELECTION) != 0))
      return E_INVALIDARG;
    return S_OK;
  });
}

// Screen coordinates; a row or cell out of view has no place.
HRESULT GridAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                    VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  return OnPart(child, [&](StringGrid& grid, GridPart part) {
    if (part.IsTable()) return standard_->accLocation(left, top, width, height, Self());
    *left = *top = *width = *height = 0;
    RECT rect = ShownRect(grid, part).value_or(RECT{});
    if (IsRectEmpty(&rect)) return S_FALSE;
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left, *top = rect.top;
    *width = rect.right - rect.left, *height = rect.bottom - rect.top;
    return S_OK;
  });
}

HRESULT GridAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  return OnPart(start, [&](StringGrid& grid, GridPart part) {
    const std::optional<GridPart> next = Navigate(grid, part, direction);
    if (next) return Object(*next, end);
    if (part.IsTable()) return standard_->accNavigate(direction, Self(), end);
    return NoPart(end);
  });
}

HRESULT GridAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (!child) return E_POINTER;
  return OnPart(Self(), [&](StringGrid& grid, GridPart part) {
    POINT point{x, y};
    ScreenToClient(hwnd_, &point);
    const POINT cell = grid.CellAt(point);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point)) return NoPart(child);
    if (cell.x < 0) return part.IsTable() ? Number(CHILDID_SELF, child) : NoPart(child);
    const GridPart hit{static_cast<int>(cell.y), static_cast<int>(cell.x)};
    if (!part.IsTable() && hit.row != part.row) return NoPart(child);
    if (part.IsTable() || part.IsRow()) return Object(hit, child);
    return hit.col == part.col ? Number(CHILDID_SELF, child) : NoPart(child);
  });
}

}  // namespace

LONG GridCellChildId(const StringGrid& grid, int col, int row) {
  return grid.RowCount() + 1 + row * grid.ColCount() + col;
}

LRESULT AnswerGridGetObject(HWND grid, WPARAM wParam) {
  const ComFunctions* com = AccessibleCom();
  if (!com) return 0;
  IAccessible* standard = StandardClientObject(*com, grid);
  if (!standard) return 0;
  auto* table = new GridAccessible(*com, grid, standard, kTable);
  standard->Release();  // the table holds its own reference
  return AnswerWith(*com, wParam, table);
}

}  // namespace sorvel::ui
