// A push button with a glyph area: the standard button control, which shows
// an optional picture beside its caption.
#pragma once

#include <functional>
#include <utility>

#include "platform/win32/Gdi.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// How a button answers a click.
struct GlyphButtonOptions {
  std::function<void()> onClick{};
};

class GlyphButton : public Window {
 public:
  using Options = GlyphButtonOptions;
  // The caption is the window text.
  void Create(const ControlArgs& args, const Options& options = {});

  // The glyph shown beside the caption (owned from then on); nullptr: none.
  void SetGlyph(HICON glyph);
  HICON Glyph() const { return glyph_.Get(); }

  void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
  // Clicks the button as the user would (the click handler runs).
  void Click();

  // A push button named by its caption, for every system: the standard
  // account of a button says so on Windows, not under Wine.
  std::optional<AccessibleTraits> Accessibility() const override;

 protected:
  void OnNotify(WORD code) override;

 private:
  win32::OwnedIcon glyph_;
  std::function<void()> onClick_;
};

}  // namespace sorvel::ui
