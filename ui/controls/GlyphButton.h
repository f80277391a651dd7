// A push button with a glyph area: the standard button control, which shows
// an optional picture beside its caption.
#pragma once

#include <functional>
#include <string>

#include "ui/controls/Window.h"

namespace sorvel::ui {

class GlyphButton : public Window {
 public:
  struct Args {
    HWND parent = nullptr;
    std::string name;
    std::string caption;
    int left = 0, top = 0, width = 75, height = 25;
    HFONT font = nullptr;  // not owned
    bool visible = true;
    std::function<void(GlyphButton&)> onClick;
  };
  bool Create(const Args& args);
  ~GlyphButton() override;

  // The glyph shown beside the caption (owned from then on); nullptr: none.
  void SetGlyph(HICON glyph);
  HICON Glyph() const { return glyph_; }

  void SetOnClick(std::function<void(GlyphButton&)> onClick) { onClick_ = std::move(onClick); }
  // Clicks the button as the user would (the click handler runs).
  void Click();

 protected:
  void OnNotify(WORD code) override;

 private:
  HICON glyph_ = nullptr;
  std::function<void(GlyphButton&)> onClick_;
};

}  // namespace sorvel::ui
