// Small glyphs drawn before the items of a list (drives, folders), in
// coordinates relative to the glyph's top-left corner.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace sorvel::ui {

class GlyphPainter {
 public:
  GlyphPainter(HDC dc, int x, int y) : dc_(dc), x_(x), y_(y) {}

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

  HDC dc_;
  int x_, y_;
};

}  // namespace sorvel::ui
