// An image: a bitmap drawn unscaled from its top-left corner (clipped) or
// stretched over the whole control, or an icon drawn unscaled and clipped.
// Where the picture leaves room (no picture, a smaller bitmap, the icon's
// transparent parts) the parent shows through.
#pragma once

#include <functional>
#include <optional>

#include "platform/win32/Gdi.h"
#include "ui/controls/ClickableWindow.h"

namespace sorvel::ui {

// How a image shows its picture and what it does under the mouse.
struct ImageControlOptions {
  bool stretch = false;
  HCURSOR cursor = nullptr;  // nullptr: the arrow
  std::function<void()> onClick{};
  std::function<void(int x, int y)> onMouseMove{};
  // What a screen reader is told; nullopt: the system's standard account.
  std::optional<AccessibleTraits> accessibility{};
};

class ImageControl : public ClickableWindow {
 public:
  enum class Picture { Empty, Bitmap, Icon };

  using Options = ImageControlOptions;
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
  void SetStretch(bool stretch);

  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }
  std::optional<AccessibleTraits> Accessibility() const override { return accessibility_; }

 private:
  void Show(HBITMAP bitmap, HICON icon);
  void PaintParentBackground(HDC dc, const RECT& client);
  void PaintBitmap(HDC dc, const RECT& client);
  bool CoversClient(const RECT& client) const;

  Picture kind_ = Picture::Empty;
  win32::OwnedBitmap bitmap_;
  win32::OwnedIcon icon_;
  bool stretch_ = false;
  std::optional<AccessibleTraits> accessibility_;
};

}  // namespace sorvel::ui
