// An image: a bitmap drawn unscaled from its top-left corner (clipped) or
// stretched over the whole control, or an icon drawn unscaled and clipped.
// Where the picture leaves room (no picture, a smaller bitmap, the icon's
// transparent parts) the parent shows through.
#pragma once

#include <functional>
#include <string>

#include "ui/controls/ClickableWindow.h"

namespace sorvel::ui {

class ImageControl : public ClickableWindow<ImageControl> {
 public:
  enum class Picture { Empty, Bitmap, Icon };

  struct Args {
    HWND parent = nullptr;
    std::string name;
    int left = 0, top = 0, width = 105, height = 105;
    bool stretch = false;
    HCURSOR cursor = nullptr;  // nullptr: the arrow
    bool visible = true;
    std::function<void(ImageControl&)> onClick;
    std::function<void(ImageControl&, int x, int y)> onMouseMove;
  };
  bool Create(const Args& args);
  ~ImageControl() override;

  // The image owns what it is given and releases it when it gets another
  // picture or is destroyed.
  void SetBitmap(HBITMAP bitmap);
  void SetIcon(HICON icon);
  void Clear();  // the empty picture

  Picture Kind() const { return kind_; }
  HBITMAP Bitmap() const { return kind_ == Picture::Bitmap ? bitmap_ : nullptr; }
  HICON Icon() const { return kind_ == Picture::Icon ? icon_ : nullptr; }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);

  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }

 private:
  void Release();
  void PaintParentBackground(HDC dc, const RECT& client);
  void PaintBitmap(HDC dc, const RECT& client);

  Picture kind_ = Picture::Empty;
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
  bool stretch_ = false;
};

}  // namespace sorvel::ui
