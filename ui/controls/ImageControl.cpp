#include "ui/controls/ImageControl.h"

#include <algorithm>

namespace sorvel::ui {

void ImageControl::Create(const ControlArgs& args, const Options& options) {
  host_ = Window::FromHandle(args.parent);
  name_ = args.name;
  place_ = args.place;
  stretch_ = options.stretch;
  cursor_ = options.cursor;
  onClick_ = options.onClick;
  onMouseMove_ = options.onMouseMove;
  accessibility_ = options.accessibility;
  Invalidate();
}

RECT ImageControl::Bounds() const {
  const Place at = ScaleToDpi(place_, Dpi());
  return {at.left, at.top, at.left + at.width, at.top + at.height};
}

bool ImageControl::Contains(POINT at) const {
  const RECT bounds = Bounds();
  return host_ && PtInRect(&bounds, at);
}

void ImageControl::Invalidate() const {
  // A hidden host repaints all of itself when shown; under Wine each
  // invalidation is a round trip to the server.
  if (!Host() || !IsWindowVisible(Host())) return;
  const RECT bounds = Bounds();
  InvalidateRect(Host(), &bounds, FALSE);
}

// Takes the picture given (a bitmap, an icon or neither) and releases the
// one it showed before; the same picture again changes nothing.
void ImageControl::Show(HBITMAP bitmap, HICON icon) {
  if ((bitmap && bitmap == bitmap_.Get()) || (icon && icon == icon_.Get())) return;
  bitmap_.Reset(bitmap);
  icon_.Reset(icon);
  kind_ = bitmap ? Picture::Bitmap : icon ? Picture::Icon : Picture::Empty;
  Invalidate();
}

void ImageControl::SetBitmap(HBITMAP bitmap) { Show(bitmap, nullptr); }
void ImageControl::SetIcon(HICON icon) { Show(nullptr, icon); }
void ImageControl::Clear() { Show(nullptr, nullptr); }

void ImageControl::PaintBitmap(HDC dc, const RECT& place) const {
  BITMAP info{};
  if (!GetObjectW(bitmap_.Get(), sizeof(info), &info)) return;
  const win32::MemoryDc source(dc);
  const win32::SelectedObject selected(source.Get(), bitmap_.Get());
  const int width = place.right - place.left, height = place.bottom - place.top;
  // A picture made for its place at this DPI is copied as it is: the
  // halftone stretch would give the same pixels, far more slowly.
  const bool sameSize = info.bmWidth == width && info.bmHeight == height;
  if (stretch_ && !sameSize) {
    SetStretchBltMode(dc, HALFTONE);
    // The halftone pattern starts at the image's corner, as it would in a
    // window of its own.
    SetBrushOrgEx(dc, place.left, place.top, nullptr);
    StretchBlt(dc, place.left, place.top, width, height, source.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  } else {
    BitBlt(dc, place.left, place.top, std::min<int>(width, info.bmWidth),
           std::min<int>(height, info.bmHeight), source.Get(), 0, 0, SRCCOPY);
  }
}

void ImageControl::Paint(HDC dc) const {
  if (kind_ == Picture::Empty) return;
  const RECT place = Bounds();
  const win32::SavedDcState saved(dc);
  IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
  if (kind_ == Picture::Bitmap) PaintBitmap(dc, place);
  // An icon at its own size; what lies outside the image is cut off.
  if (kind_ == Picture::Icon)
    DrawIconEx(dc, place.left, place.top, icon_.Get(), 0, 0, 0, nullptr, DI_NORMAL);
}

void ImageControl::MouseMove(POINT at) const {
  const RECT place = Bounds();
  if (onMouseMove_) onMouseMove_(at.x - place.left, at.y - place.top);
}

void ImageControl::Click() const {
  if (onClick_) onClick_();
}

}  // namespace sorvel::ui
