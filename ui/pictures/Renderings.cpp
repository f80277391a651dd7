#include "ui/pictures/Renderings.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "ui/Layout.h"
#include "ui/pictures/Png.h"

namespace sorvel::ui {
namespace {

constexpr int kRenderings[] = {100, 150, 200};

// The resource of a rendering: the name itself at 100 percent, else the
// name and "_150" or "_200" (spelt out here: std::to_wstring would bring a
// whole printf into the program).
std::wstring RenderingName(const wchar_t* name, int percent) {
  std::wstring rendering(name);
  if (percent == 100) return rendering;
  rendering += L'_';
  for (int digit = 100; digit > 0; digit /= 10)
    rendering += static_cast<wchar_t>(L'0' + percent / digit % 10);
  return rendering;
}

std::string_view ResourceBytes(const std::wstring& name, const wchar_t* type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name.c_str(), type);
  if (!found) return {};
  const void* bytes = LockResource(LoadResource(module, found));
  return bytes ? std::string_view(static_cast<const char*>(bytes), SizeofResource(module, found))
               : std::string_view();
}

// A 24-bit picture of its own, rows from the top; `bits` receives its pixels.
HBITMAP MakeBitmap(SIZE size, void** bits) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = size.cx;
  format.bmiHeader.biHeight = -size.cy;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 24;
  return CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, bits, nullptr, 0);
}

HBITMAP FromPng(const std::wstring& name) {
  const auto image = png::DecodeRgb(ResourceBytes(name, MAKEINTRESOURCEW(10) /* RT_RCDATA */));
  if (!image) return nullptr;
  void* bits = nullptr;
  HBITMAP bitmap = MakeBitmap({image->width, image->height}, &bits);
  if (!bitmap) return nullptr;
  const std::size_t row = static_cast<std::size_t>(image->width) * 3;
  const std::size_t stride = (row + 3) / 4 * 4;
  for (std::size_t y = 0; y < static_cast<std::size_t>(image->height); ++y) {
    const std::uint8_t* in = &image->rgb[y * row];
    auto* out = static_cast<std::uint8_t*>(bits) + y * stride;
    for (std::size_t x = 0; x < row; x += 3) {  // a DIB holds blue, green, red
      out[x] = in[x + 2];
      out[x + 1] = in[x + 1];
      out[x + 2] = in[x];
    }
  }
  return bitmap;
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

// `source` scaled to `size` with the halftone filter, which averages.
HBITMAP Resized(HBITMAP source, SIZE size) {
  void* bits = nullptr;
  HBITMAP target = MakeBitmap(size, &bits);
  if (!target) return nullptr;
  const SIZE from = SizeOf(source);
  const win32::ScreenDc screen;
  const win32::MemoryDc sourceDc(screen.Get()), targetDc(screen.Get());
  const win32::SelectedObject selectedSource(sourceDc.Get(), source);
  const win32::SelectedObject selectedTarget(targetDc.Get(), target);
  SetStretchBltMode(targetDc.Get(), HALFTONE);
  SetBrushOrgEx(targetDc.Get(), 0, 0, nullptr);
  StretchBlt(targetDc.Get(), 0, 0, size.cx, size.cy, sourceDc.Get(), 0, 0, from.cx, from.cy,
             SRCCOPY);
  return target;
}

HBITMAP LoadBitmapResource(const wchar_t* name) {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The smallest rendering of the picture from `percent` on that it has; the
// resource itself when it has none.
HBITMAP LoadRendering(const wchar_t* name, int percent) {
  for (int each : kRenderings) {
    if (each < percent) continue;
    HBITMAP picture = each == 100 ? LoadBitmapResource(name) : FromPng(RenderingName(name, each));
    if (picture) return picture;
  }
  return LoadBitmapResource(name);
}

}  // namespace

int RenderingPercent(int dpi) {
  for (int percent : kRenderings) {
    if (percent * kLayoutDpi >= dpi * 100) return percent;
  }
  return kRenderings[std::size(kRenderings) - 1];
}

HBITMAP LoadPicture(const wchar_t* name, int dpi) {
  if (dpi == kLayoutDpi) return LoadBitmapResource(name);
  // The size asked for is the resource's own, scaled.
  const std::string_view header = ResourceBytes(name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (header.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER info;
  std::memcpy(&info, header.data(), sizeof(info));
  const SIZE size{ScaleToDpi(info.biWidth, dpi), ScaleToDpi(std::abs(info.biHeight), dpi)};

  win32::OwnedBitmap picture(LoadRendering(name, RenderingPercent(dpi)));
  if (!picture) return nullptr;
  const SIZE made = SizeOf(picture.Get());
  if (made.cx == size.cx && made.cy == size.cy) return picture.Release();
  HBITMAP resized = Resized(picture.Get(), size);
  return resized ? resized : picture.Release();
}

HICON LoadIconAtDpi(const wchar_t* name, int dpi) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (dpi == kLayoutDpi)
    return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  const int size = ScaleToDpi(kIconSize, dpi);
  const std::wstring rendering = RenderingName(name, RenderingPercent(dpi));
  HANDLE icon = LoadImageW(module, rendering.c_str(), IMAGE_ICON, size, size, 0);
  if (!icon) icon = LoadImageW(module, name, IMAGE_ICON, size, size, 0);
  return static_cast<HICON>(icon);
}

void DpiCursor::Load(const wchar_t* name, int dpi) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (dpi == kLayoutDpi) {
    shared_ = LoadCursorW(module, name);
    owned_.Reset();
    return;
  }
  const int size = ScaleToDpi(kIconSize, dpi);
  const std::wstring rendering = RenderingName(name, RenderingPercent(dpi));
  HANDLE cursor = LoadImageW(module, rendering.c_str(), IMAGE_CURSOR, size, size, 0);
  if (!cursor) cursor = LoadImageW(module, name, IMAGE_CURSOR, size, size, 0);
  owned_.Reset(static_cast<HCURSOR>(cursor));
  shared_ = nullptr;
}

}  // namespace sorvel::ui
