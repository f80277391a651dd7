// An image without a window of its own: a bitmap drawn unscaled from its
// top-left corner (clipped) or stretched over its whole place, or an icon
// drawn unscaled and clipped. The window it lies in, its host, paints it
// after its own surface and hands it the mouse over its place; where the
// picture leaves room (no picture, a smaller bitmap, the icon's transparent
// parts) the host shows through. A start-up makes one per title panel, and
// a window for each would cost more than the board itself.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/Gdi.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// How an image shows its picture and what it does under the mouse.
struct ImageControlOptions {
  bool stretch = false;
  HCURSOR cursor = nullptr;  // nullptr: the arrow
  std::function<void()> onClick{};
  std::function<void(int x, int y)> onMouseMove{};
  // What a screen reader is told; nullopt: nothing, the image is part of
  // its host.
  std::optional<AccessibleTraits> accessibility{};
};

class ImageControl {
 public:
  enum class Picture { Empty, Bitmap, Icon };
  using Options = ImageControlOptions;

  ImageControl() = default;
  ImageControl(const ImageControl&) = delete;
  ImageControl& operator=(const ImageControl&) = delete;

  // Lies in `args.parent`, a window of ours, at `args.place`; the font and
  // the text are not used. A host that is no window of ours shows nothing.
  void Create(const ControlArgs& args, const Options& options = {});

  // The image owns what it is given and releases it when it gets another
  // picture or is destroyed.
  void SetBitmap(HBITMAP bitmap);
  void SetIcon(HICON icon);
  void Clear();  // the empty picture

  Picture Kind() const { return kind_; }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  HICON Icon() const { return icon_.Get(); }
  bool Stretch() const { return stretch_; }
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }  // nullptr: the arrow
  HCURSOR Cursor() const { return cursor_; }

  HWND Host() const { return host_ ? host_->Handle() : nullptr; }
  const std::string& Name() const { return name_; }
  int Dpi() const { return host_ ? host_->Dpi() : kLayoutDpi; }
  // Its place in the host's client area, in pixels at the host's DPI.
  RECT Bounds() const;
  // Whether it is seen: its host is.
  bool Visible() const { return host_ && host_->Visible(); }
  bool Contains(POINT at) const;
  // Repaints its place later.
  void Invalidate() const;

  // The host's part: the picture painted over its place in the host's DC,
  // the mouse at a point of the host's client area, a click.
  void Paint(HDC dc) const;
  void MouseMove(POINT at) const;
  void Click() const;
  bool TakesClicks() const { return static_cast<bool>(onClick_); }
  const std::optional<AccessibleTraits>& Accessibility() const { return accessibility_; }

 private:
  void Show(HBITMAP bitmap, HICON icon);
  void PaintBitmap(HDC dc, const RECT& place) const;

  Window* host_ = nullptr;
  std::string name_;
  Place place_;  // at 96 DPI
  Picture kind_ = Picture::Empty;
  win32::OwnedBitmap bitmap_;
  win32::OwnedIcon icon_;
  bool stretch_ = false;
  HCURSOR cursor_ = nullptr;
  std::function<void()> onClick_;
  std::function<void(int x, int y)> onMouseMove_;
  std::optional<AccessibleTraits> accessibility_;
};

}  // namespace sorvel::ui
