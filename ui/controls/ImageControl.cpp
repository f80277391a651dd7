#include "ui/controls/ImageControl.h"

#include <algorithm>

namespace sorvel::ui {

void ImageControl::Create(const ControlArgs& args, const Options& options) {
  stretch_ = options.stretch;
  accessibility_ = options.accessibility;
  SetCursor(options.cursor);
  SetOnClick(options.onClick);
  SetOnMouseMove(options.onMouseMove);
  CreateWindowOf({.className = L"SorvelImage", .style = WS_CHILD | WS_CLIPSIBLINGS}, args);
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

void ImageControl::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  Invalidate();
}

void ImageControl::PaintParentBackground(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HWND parent = GetParent(Handle());
  if (!parent) return;
  // The parent paints itself into this DC, moved so that its part under the
  // image lands in the image's client area.
  POINT origin{0, 0};
  MapWindowPoints(Handle(), parent, &origin, 1);
  const win32::SavedDcState saved(dc);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
}

void ImageControl::PaintBitmap(HDC dc, const RECT& client) {
  BITMAP info{};
  if (!GetObjectW(bitmap_.Get(), sizeof(info), &info)) return;
  const win32::MemoryDc source(dc);
  const win32::SelectedObject selected(source.Get(), bitmap_.Get());
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (stretch_) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, client.left, client.top, width, height, source.Get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  } else {
    BitBlt(dc, client.left, client.top, std::min<int>(width, info.bmWidth),
           std::min<int>(height, info.bmHeight), source.Get(), 0, 0, SRCCOPY);
  }
}

// Whether the bitmap hides everything behind the image.
bool ImageControl::CoversClient(const RECT& client) const {
  if (kind_ != Picture::Bitmap) return false;
  if (stretch_) return true;
  BITMAP info{};
  return GetObjectW(bitmap_.Get(), sizeof(info), &info) && info.bmWidth >= client.right &&
         info.bmHeight >= client.bottom;
}

void ImageControl::Paint(HDC dc, const RECT& client) {
  if (!CoversClient(client)) PaintParentBackground(dc, client);
  if (kind_ == Picture::Bitmap) PaintBitmap(dc, client);
  // An icon at its own size; what lies outside the control is cut off.
  if (kind_ == Picture::Icon)
    DrawIconEx(dc, client.left, client.top, icon_.Get(), 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace sorvel::ui
