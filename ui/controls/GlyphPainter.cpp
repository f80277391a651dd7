#include "ui/controls/GlyphPainter.h"

#include <vector>

#include "platform/win32/Gdi.h"
#include "ui/Layout.h"

namespace sorvel::ui {

RECT GlyphPainter::At(int left, int top, int right, int bottom) const {
  return {x_ + ScaleToDpi(left, dpi_), y_ + ScaleToDpi(top, dpi_), x_ + ScaleToDpi(right, dpi_),
          y_ + ScaleToDpi(bottom, dpi_)};
}

POINT GlyphPainter::At(POINT corner) const {
  return {x_ + ScaleToDpi(corner.x, dpi_), y_ + ScaleToDpi(corner.y, dpi_)};
}

template <typename Draw>
void GlyphPainter::Filled(COLORREF fill, COLORREF border, Draw draw) {
  const win32::OwnedBrush brush(CreateSolidBrush(fill));
  const win32::OwnedPen pen(CreatePen(PS_SOLID, ScaleToDpi(1, dpi_), border));
  const win32::SelectedObject selectedBrush(dc_, brush.Get());
  const win32::SelectedObject selectedPen(dc_, pen.Get());
  draw();
}

void GlyphPainter::Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
  const RECT r = At(left, top, right, bottom);
  Filled(fill, border, [&] { Rectangle(dc_, r.left, r.top, r.right, r.bottom); });
}

void GlyphPainter::Disc(int left, int top, int right, int bottom, COLORREF fill, COLORREF border) {
  const RECT r = At(left, top, right, bottom);
  Filled(fill, border, [&] { Ellipse(dc_, r.left, r.top, r.right, r.bottom); });
}

void GlyphPainter::Shape(std::initializer_list<POINT> corners, COLORREF fill, COLORREF border) {
  std::vector<POINT> points;
  for (const POINT& corner : corners) points.push_back(At(corner));
  Filled(fill, border, [&] { Polygon(dc_, points.data(), static_cast<int>(points.size())); });
}

void GlyphPainter::Fill(int left, int top, int right, int bottom, COLORREF color) {
  SetBkColor(dc_, color);
  const RECT rect = At(left, top, right, bottom);
  ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void DrawFocusFrame(HDC dc, const RECT& rect, int dpi) {
  RECT line = rect;
  for (int width = ScaleToDpi(1, dpi); width > 0 && line.right > line.left; --width) {
    DrawFocusRect(dc, &line);
    InflateRect(&line, -1, -1);
  }
}

}  // namespace sorvel::ui
