#include "tests/support/win32/Picture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/win32/Gdi.h"
#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {
namespace {

BITMAPINFO TopDownFormat(int width, int height) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  return format;
}

}  // namespace

void Picture::CopyFrom(HDC source, int left, int top) {
  const win32::ScreenDc screen;
  const win32::MemoryDc memory(screen.Get());
  const win32::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width_, height_));
  {
    const win32::SelectedObject selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width_, height_, source, left, top, SRCCOPY);
  }
  BITMAPINFO format = TopDownFormat(width_, height_);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
  GetDIBits(memory.Get(), bitmap.Get(), 0, height_, pixels_.data(), &format, DIB_RGB_COLORS);
}

Picture Picture::Printed(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  Picture picture(client.right, client.bottom);
  const win32::ScreenDc screen;
  const win32::MemoryDc memory(screen.Get());
  const win32::OwnedBitmap bitmap(
      CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
  const win32::SelectedObject selected(memory.Get(), bitmap.Get());
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
  picture.CopyFrom(memory.Get(), 0, 0);
  return picture;
}

Picture Picture::OnScreen(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpMessages();
  RECT rect;
  GetWindowRect(hwnd, &rect);
  Picture picture(rect.right - rect.left, rect.bottom - rect.top);
  picture.CopyFrom(win32::ScreenDc().Get(), rect.left, rect.top);
  return picture;
}

COLORREF Picture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Picture::Count(COLORREF color, const RECT& area) const {
  int count = 0;
  for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y) {
    for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x) {
      count += At(x, y) == color;
    }
  }
  return count;
}

std::string Picture::Save(const std::string& name) const {
  const char* folder = std::getenv("SORVEL_ARTIFACTS");
  CreateDirectoryA(folder ? folder : ".", nullptr);
  const std::string path = std::string(folder ? folder : ".") + "/" + name + ".bmp";
  const BITMAPINFO format = TopDownFormat(width_, height_);
  // Opaque: viewers read the fourth byte of a 32-bit picture as alpha, and
  // GDI leaves it 0 wherever it drew text or pictures.
  std::vector<std::uint32_t> opaque(pixels_);
  for (std::uint32_t& pixel : opaque) pixel |= 0xFF000000u;
  const DWORD bytes = static_cast<DWORD>(opaque.size() * sizeof(std::uint32_t));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(format.bmiHeader);
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&format.bmiHeader), sizeof(format.bmiHeader));
  out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
  return path;
}

RECT AreaOnScreenshot(HWND top, HWND control, RECT area) {
  RECT frame;
  GetWindowRect(top, &frame);
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&area), 2);
  OffsetRect(&area, -frame.left, -frame.top);
  return area;
}

Picture SaveScreenshot(HWND hwnd, const std::string& name) {
  Picture picture = Picture::OnScreen(hwnd);
  picture.Save(name);
  return picture;
}

}  // namespace sorvel::test
