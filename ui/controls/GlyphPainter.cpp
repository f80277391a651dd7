#include "ui/controls/GlyphPainter.h"

#include <vector>

#include "platform/win32/Gdi.h"

namespace sorvel::ui {

template <typename Draw>
void GlyphPainter::Filled(COLORREF fill, COLORREF border, Draw draw) {
  const win32::OwnedBrush brush(CreateSolidBrush(fill));
  const win32::OwnedPen pen(CreatePen(PS_SOLID, 1, border));
  const win32::SelectedObject selectedBrush(dc_, brush.Get());
  const win32::SelectedObject selectedPen(dc_, pen.Get());
  draw();
}

void GlyphPainter::Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
  Filled(fill, border, [&] { Rectangle(dc_, x_ + left, y_ + top, x_ + right, y_ + bottom); });
}

void GlyphPainter::Disc(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
  Filled(fill, border, [&] { Ellipse(dc_, x_ + left, y_ + top, x_ + right, y_ + bottom); });
}

void GlyphPainter::Shape(std::initializer_list<POINT> corners, COLORREF fill, COLORREF border) {
  std::vector<POINT> points;
  for (const POINT& corner : corners) points.push_back({x_ + corner.x, y_ + corner.y});
  Filled(fill, border, [&] { Polygon(dc_, points.data(), static_cast<int>(points.size())); });
}

void GlyphPainter::Fill(int left, int top, int right, int bottom, COLORREF color) {
  SetBkColor(dc_, color);
  const RECT rect{x_ + left, y_ + top, x_ + right, y_ + bottom};
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace sorvel::ui
