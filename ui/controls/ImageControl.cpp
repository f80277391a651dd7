#include "ui/controls/ImageControl.h"

#include <algorithm>

namespace sorvel::ui {

bool ImageControl::Create(const Args& args) {
  stretch_ = args.stretch;
  SetCursor(args.cursor);
  SetOnClick(args.onClick);
  SetOnMouseMove(args.onMouseMove);

  CreateArgs create = ChildCreateArgs(args);
  create.className = L"SorvelImage";
  create.style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0);
  if (!Window::Create(create)) return false;
  SetName(args.name);
  return true;
}

ImageControl::~ImageControl() { Release(); }

void ImageControl::Release() {
  if (bitmap_) DeleteObject(bitmap_);
  if (icon_) DestroyIcon(icon_);
  bitmap_ = nullptr;
  icon_ = nullptr;
  kind_ = Picture::Empty;
}

void ImageControl::SetBitmap(HBITMAP bitmap) {
  if (bitmap == bitmap_ && bitmap) return;
  Release();
  bitmap_ = bitmap;
  kind_ = bitmap ? Picture::Bitmap : Picture::Empty;
  Invalidate();
}

void ImageControl::SetIcon(HICON icon) {
  if (icon == icon_ && icon) return;
  Release();
  icon_ = icon;
  kind_ = icon ? Picture::Icon : Picture::Empty;
  Invalidate();
}

void ImageControl::Clear() {
  Release();
  Invalidate();
}

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
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
}

void ImageControl::PaintBitmap(HDC dc, const RECT& client) {
  BITMAP info{};
  if (!GetObjectW(bitmap_, sizeof(info), &info)) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap_);
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (stretch_) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, client.left, client.top, width, height, source, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  } else {
    BitBlt(dc, client.left, client.top, std::min<int>(width, info.bmWidth),
           std::min<int>(height, info.bmHeight), source, 0, 0, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void ImageControl::Paint(HDC dc, const RECT& client) {
  const bool coversAll = kind_ == Picture::Bitmap && (stretch_ || [&] {
                           BITMAP info{};
                           return GetObjectW(bitmap_, sizeof(info), &info) &&
                                  info.bmWidth >= client.right && info.bmHeight >= client.bottom;
                         }());
  if (!coversAll) PaintParentBackground(dc, client);
  if (kind_ == Picture::Bitmap) PaintBitmap(dc, client);
  // An icon at its own size; what lies outside the control is cut off.
  if (kind_ == Picture::Icon)
    DrawIconEx(dc, client.left, client.top, icon_, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace sorvel::ui
