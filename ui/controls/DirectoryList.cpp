#include "ui/controls/DirectoryList.h"

#include <algorithm>

#include "core/Cp932.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Gdi.h"
#include "ui/Layout.h"
#include "ui/controls/GlyphPainter.h"

namespace sorvel::ui {
namespace {

// A folder glyph in a 16 x 12 box: closed, or open with its front flap
// folded down.
void DrawFolderGlyph(GlyphPainter glyph, bool open) {
  const COLORREF border = RGB(128, 96, 0), back = RGB(224, 176, 32), front = RGB(255, 224, 112);
  const int bottom = kListItem.glyphHeight;
  glyph.Shape({{0, 2}, {2, 0}, {6, 0}, {8, 2}}, back, border);  // the tab
  if (open) {
    glyph.Box(0, 2, 14, bottom, back, border);
    glyph.Shape({{3, 5}, {16, 5}, {13, bottom - 1}, {0, bottom - 1}}, front, border);
  } else {
    glyph.Box(0, 2, 15, bottom, front, border);
  }
}

}  // namespace

void DirectoryList::Create(const ControlArgs& args, const Options& options) {
  onChange_ = options.onChange;
  CreateWindowOf({.className = L"LISTBOX",
                  .systemClass = true,
                  .style = WS_CHILD | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                           LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                  .exStyle = WS_EX_CLIENTEDGE},
                 args);
  OnDpiChanged();
}

void DirectoryList::OnDpiChanged() {
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ScaleToDpi(kListItem.height, Dpi()));
}

char DirectoryList::Drive() const {
  const std::string& folder = listing_.Folder();
  if (folder.size() < 2 || folder[1] != ':') return 0;
  return cp932::AsciiUpper(folder[0]);
}

void DirectoryList::SetFolder(const std::string& path) {
  if (path.empty() || cp932::EqualsNoCase(path, listing_.Folder())) return;
  listing_.PointAt(platform_, path);
  FillList();
  if (onChange_) onChange_();
}

std::string DirectoryList::Item(int index) const {
  return index >= 0 && index < Count() ? listing_.Names()[static_cast<size_t>(index)]
                                       : std::string();
}

std::string DirectoryList::ItemFolder(int index) const { return listing_.ItemFolder(index); }

int DirectoryList::SelectedIndex() const {
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void DirectoryList::SelectIndex(int index) {
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DirectoryList::OpenSelected() { SetFolder(ItemFolder(SelectedIndex())); }

void DirectoryList::FillList() {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& name : listing_.Names()) {
    SendMessageW(Handle(), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(win32::Cp932ToWideLenient(name).c_str()));
  }
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  // The folder itself is the selected entry, as after a move.
  SelectIndex(listing_.PathItemCount() - 1);
  Invalidate();
}

int DirectoryList::Level(int index) const { return std::min(index, listing_.PathItemCount()); }

LRESULT DirectoryList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      // Enter opens the selected folder instead of going to the window.
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = CallDefault(message, wParam, lParam);
      if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
          msg->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        OpenSelected();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_RETURN) return 0;
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

void DirectoryList::OnNotify(WORD code) {
  if (code == LBN_DBLCLK) OpenSelected();
}

bool DirectoryList::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& rect = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= Count()) return true;

  const int dpi = Dpi();
  const int glyphLeft =
      rect.left + ScaleToDpi(kListItem.glyphLeft + Level(index) * kListItem.levelIndent, dpi);
  const int glyphTop =
      rect.top + (rect.bottom - rect.top - ScaleToDpi(kListItem.glyphHeight, dpi)) / 2;
  DrawFolderGlyph(GlyphPainter(dc, glyphLeft, glyphTop, dpi), index < listing_.PathItemCount());
  const win32::SelectedObject font(dc, PaintFont());
  const std::wstring name = win32::Cp932ToWideLenient(Item(index));
  RECT text = rect;
  text.left = glyphLeft + ScaleToDpi(kListItem.glyphWidth + kListItem.glyphTextGap, dpi);
  SIZE extent{};
  GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
  text.right =
      std::min<LONG>(rect.right, text.left + extent.cx + ScaleToDpi(2 * kListItem.nameInset, dpi));
  // Only the name is highlighted, as in a folder tree.
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutW(dc, text.left + ScaleToDpi(kListItem.nameInset, dpi),
              text.top + (rect.bottom - rect.top - extent.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &text,
              name.c_str(), static_cast<UINT>(name.size()), nullptr);
  if (item.itemState & ODS_FOCUS) DrawFocusFrame(dc, text, dpi);
  return true;
}

}  // namespace sorvel::ui
