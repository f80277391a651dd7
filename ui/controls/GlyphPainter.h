// Small glyphs drawn before the items of a list (drives, folders), in
// coordinates at 96 DPI relative to the glyph's top-left corner, drawn
// scaled to the list's DPI.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace sorvel::ui {

class GlyphPainter {
 public:
  // (x, y) in pixels.
  GlyphPainter(HDC dc, int x, int y, int dpi) : dc_(dc), x_(x), y_(y), dpi_(dpi) {}

  // A rectangle, an ellipse and a polygon, filled and bordered.
  void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF border);
  void Disc(int left, int top, int right, int bottom, COLORREF fill, COLORREF border);
  void Shape(std::initializer_list<POINT> corners, COLORREF fill, COLORREF border);
  // A rectangle of one colour, without border.
  void Fill(int left, int top, int right, int bottom, COLORREF color);

 private:
  // Draws with a fill brush and a border pen selected for it.
  template <typename Draw>
  void Filled(COLORREF fill, COLORREF border, Draw draw);
  RECT At(int left, int top, int right, int bottom) const;
  POINT At(POINT corner) const;

  HDC dc_;
  int x_, y_;
  int dpi_;
};

// The focus rectangle around `rect`, its dotted line as thick at `dpi` as
// one pixel is at 96 DPI.
void DrawFocusFrame(HDC dc, const RECT& rect, int dpi);

}  // namespace sorvel::ui
