#include "ui/controls/BevelPanel.h"

#include "platform/win32/Encoding.h"

namespace sorvel::ui {

void DrawFrame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width && rect.right > rect.left && rect.bottom > rect.top; ++i) {
    const auto strip = [dc](int left, int top, int right, int bottom, COLORREF color) {
      SetDCBrushColor(dc, color);
      RECT r{left, top, right, bottom};
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    };
    strip(rect.left, rect.top, rect.right - 1, rect.top + 1, topLeft);        // top
    strip(rect.left, rect.top, rect.left + 1, rect.bottom - 1, topLeft);      // left
    strip(rect.right - 1, rect.top, rect.right, rect.bottom, bottomRight);    // right
    strip(rect.left, rect.bottom - 1, rect.right, rect.bottom, bottomRight);  // bottom
    InflateRect(&rect, -1, -1);
  }
}

bool BevelPanel::Create(const Args& args) {
  bevelOuter_ = args.bevelOuter;
  bevelWidth_ = args.bevelWidth;
  borderWidth_ = args.borderWidth;
  alignment_ = args.alignment;
  fontColor_ = args.fontColor;
  SetCursor(args.cursor);
  SetOnClick(args.onClick);
  SetOnMouseMove(args.onMouseMove);

  CreateArgs create = ChildCreateArgs(args);
  create.className = L"SorvelBevelPanel";
  create.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0) |
                 (args.tabStop ? WS_TABSTOP : 0);
  // Dialog navigation goes on into the controls the panel holds.
  create.exStyle = WS_EX_CONTROLPARENT;
  create.text = args.caption;
  create.background = GetSysColorBrush(COLOR_BTNFACE);
  if (!Window::Create(create)) return false;
  SetName(args.name);
  if (args.font) SetFont(args.font);
  return true;
}

void BevelPanel::Repaint() {
  // The controls inside repaint too: an image that lets the panel show
  // through must show the new bevel as well.
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void BevelPanel::SetBevelOuter(Bevel bevel) {
  if (bevel == bevelOuter_) return;
  bevelOuter_ = bevel;
  Repaint();
}

void BevelPanel::SetBevelWidth(int width) {
  // Only a change repaints: the main window sets the width at every repaint.
  if (width == bevelWidth_) return;
  bevelWidth_ = width;
  Repaint();
}

void BevelPanel::SetBorderWidth(int width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  Repaint();
}

void BevelPanel::SetAlignment(CaptionAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Repaint();
}

void BevelPanel::SetFontColor(COLORREF color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Repaint();
}

void BevelPanel::Paint(HDC dc, const RECT& client) {
  RECT rect = client;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (bevelOuter_ == Bevel::Raised) DrawFrame3D(dc, rect, light, shadow, bevelWidth_);
  if (bevelOuter_ == Bevel::Lowered) DrawFrame3D(dc, rect, shadow, light, bevelWidth_);
  DrawFrame3D(dc, rect, face, face, borderWidth_);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));

  const std::wstring caption = win32::Cp932ToWideLenient(Text());
  if (caption.empty()) return;
  HGDIOBJ oldFont = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, fontColor_);
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
  if (alignment_ == CaptionAlignment::Center) format |= DT_CENTER;
  if (alignment_ == CaptionAlignment::Right) format |= DT_RIGHT;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
  SelectObject(dc, oldFont);
}

LRESULT BevelPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENABLE) Repaint();
  return ClickableWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
