// A panel with a three-dimensional outer bevel and a one-line caption, the
// kind that holds other controls (the side panel) or stands as a clickable
// title of its own (the title board).
#pragma once

#include <functional>

#include "ui/controls/ClickableWindow.h"

namespace sorvel::ui {

enum class Bevel { None, Raised, Lowered };
enum class CaptionAlignment { Left, Center, Right };

// How a bevel panel looks and what it does when clicked.
struct BevelPanelOptions {
  Bevel bevelOuter = Bevel::Raised;
  int bevelWidth = 1;
  int borderWidth = 0;
  CaptionAlignment alignment = CaptionAlignment::Center;
  COLORREF fontColor = GetSysColor(COLOR_WINDOWTEXT);
  HCURSOR cursor = nullptr;  // nullptr: the arrow
  bool tabStop = false;      // receives the focus in the tab order
  // The dialog keys look for controls inside the panel; false: the panel is
  // a control that takes the focus itself.
  bool holdsControls = true;
  std::function<void()> onClick{};
  std::function<void(int x, int y)> onMouseMove{};
};

class BevelPanel : public ClickableWindow {
 public:
  using Options = BevelPanelOptions;
  // The caption is the window text.
  void Create(const ControlArgs& args, const Options& options = {});

  Bevel BevelOuter() const { return bevelOuter_; }
  // Bevel and border widths at 96 DPI, drawn scaled to the panel's DPI.
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  CaptionAlignment Alignment() const { return alignment_; }
  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);

  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }
  // A named panel is a field: its caption is its value.
  std::optional<AccessibleTraits> Accessibility() const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A disabled panel is not clicked, even when the press came before.
  bool CompletesClick() const override { return Enabled(); }
  // Repaints the panel and the controls inside it.
  void Repaint();
  // The colours of the face and the caption: the panel's own, or under high
  // contrast the theme's button colours.
  struct Colours {
    COLORREF face;
    COLORREF caption;
  };
  virtual Colours PaintColours() const;

 private:
  template <typename Value>
  void Change(Value& property, Value value);

  Bevel bevelOuter_ = Bevel::Raised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  CaptionAlignment alignment_ = CaptionAlignment::Center;
  COLORREF fontColor_ = 0;
  bool painted_ = false;  // painted at least once: a change must repaint
};

// Draws `width` nested one-pixel frames, `topLeft` on the top and left edges
// and `bottomRight` on the others, and shrinks `rect` by them.
void DrawFrame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace sorvel::ui
