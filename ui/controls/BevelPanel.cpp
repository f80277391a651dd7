#include "ui/controls/BevelPanel.h"

#include "platform/win32/Encoding.h"
#include "platform/win32/Gdi.h"
#include "ui/controls/HighContrast.h"

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

void BevelPanel::Create(const ControlArgs& args, const Options& options) {
  bevelOuter_ = options.bevelOuter;
  bevelWidth_ = options.bevelWidth;
  borderWidth_ = options.borderWidth;
  alignment_ = options.alignment;
  fontColor_ = options.fontColor;
  SetCursor(options.cursor);
  SetOnClick(options.onClick);
  SetOnMouseMove(options.onMouseMove);
  CreateWindowOf({.className = L"SorvelBevelPanel",
                  .style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                           (options.tabStop ? DWORD{WS_TABSTOP} : 0),
                  // Dialog navigation goes on into the controls the panel holds.
                  .exStyle = options.holdsControls ? DWORD{WS_EX_CONTROLPARENT} : 0,
                  .background = GetSysColorBrush(COLOR_BTNFACE)},
                 args);
}

void BevelPanel::Repaint() {
  // The controls inside repaint too: an image that lets the panel show
  // through must show the new bevel as well. A hidden panel repaints when
  // it is shown, and one not painted since it was made paints all of itself
  // anyway (the main window raises every title panel at its first paint).
  if (!painted_ || !IsWindowVisible(Handle())) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Only a change repaints: the main window sets every panel's bevel width at
// every repaint of its own.
template <typename Value>
void BevelPanel::Change(Value& property, Value value) {
  if (value == property) return;
  property = value;
  Repaint();
}

void BevelPanel::SetBevelWidth(int width) { Change(bevelWidth_, width); }
void BevelPanel::SetFontColor(COLORREF color) { Change(fontColor_, color); }

BevelPanel::Colours BevelPanel::PaintColours() const {
  if (HighContrastOn()) return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
  return {GetSysColor(COLOR_BTNFACE), fontColor_};
}

void BevelPanel::Paint(HDC dc, const RECT& client) {
  painted_ = true;
  RECT rect = client;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const Colours colours = PaintColours();
  // The widths are the layout's: as wide at any DPI as at 96.
  const int bevel = ScaleToDpi(bevelWidth_, Dpi());
  if (bevelOuter_ == Bevel::Raised) DrawFrame3D(dc, rect, light, shadow, bevel);
  if (bevelOuter_ == Bevel::Lowered) DrawFrame3D(dc, rect, shadow, light, bevel);
  DrawFrame3D(dc, rect, colours.face, colours.face, ScaleToDpi(borderWidth_, Dpi()));
  SetDCBrushColor(dc, colours.face);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

  const std::wstring caption = win32::Cp932ToWideLenient(Text());
  if (caption.empty()) return;
  const win32::SelectedObject font(dc, PaintFont());
  SetTextColor(dc, colours.caption);
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX;
  if (alignment_ == CaptionAlignment::Center) format |= DT_CENTER;
  if (alignment_ == CaptionAlignment::Right) format |= DT_RIGHT;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
}

std::optional<AccessibleTraits> BevelPanel::Accessibility() const {
  std::optional<AccessibleTraits> traits = ClickableWindow::Accessibility();
  if (traits) traits->value = Text();
  return traits;
}

LRESULT BevelPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENABLE) Repaint();
  return ClickableWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
