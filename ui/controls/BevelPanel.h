// A panel with a three-dimensional outer bevel and a one-line caption, the
// kind that holds other controls (the side panel) or stands as a clickable
// title of its own (the title board).
#pragma once

#include <functional>
#include <string>

#include "ui/controls/ClickableWindow.h"

namespace sorvel::ui {

enum class Bevel { None, Raised, Lowered };
enum class CaptionAlignment { Left, Center, Right };

class BevelPanel : public ClickableWindow<BevelPanel> {
 public:
  struct Args {
    HWND parent = nullptr;
    std::string name;
    std::string caption;
    int left = 0, top = 0, width = 185, height = 41;
    Bevel bevelOuter = Bevel::Raised;
    int bevelWidth = 1;
    int borderWidth = 0;
    CaptionAlignment alignment = CaptionAlignment::Center;
    HFONT font = nullptr;  // not owned
    COLORREF fontColor = GetSysColor(COLOR_WINDOWTEXT);
    HCURSOR cursor = nullptr;  // nullptr: the arrow
    bool tabStop = false;      // receives the focus in the tab order
    bool visible = true;
    std::function<void(BevelPanel&)> onClick;
    std::function<void(BevelPanel&, int x, int y)> onMouseMove;
  };
  bool Create(const Args& args);

  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(Bevel bevel);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);
  CaptionAlignment Alignment() const { return alignment_; }
  void SetAlignment(CaptionAlignment alignment);
  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);

  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A disabled panel is not clicked, even when the press came before.
  bool CompletesClick() const override { return Enabled(); }

 private:
  void Repaint();

  Bevel bevelOuter_ = Bevel::Raised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  CaptionAlignment alignment_ = CaptionAlignment::Center;
  COLORREF fontColor_ = 0;
};

// Draws `width` nested one-pixel frames, `topLeft` on the top and left edges
// and `bottomRight` on the others, and shrinks `rect` by them.
void DrawFrame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace sorvel::ui
