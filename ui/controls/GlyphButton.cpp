#include "ui/controls/GlyphButton.h"

#include <commctrl.h>

namespace sorvel::ui {

bool GlyphButton::Create(const Args& args) {
  // The themed button of common controls 6 comes from comctl32, which must
  // have registered its classes first.
  static const bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)registered;

  onClick_ = args.onClick;
  CreateArgs create = ChildCreateArgs(args);
  create.style =
      WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON | (args.visible ? WS_VISIBLE : 0);
  create.text = args.caption;
  if (!CreateStandard(L"BUTTON", create)) return false;
  SetName(args.name);
  if (args.font) SetFont(args.font);
  return true;
}

GlyphButton::~GlyphButton() {
  if (glyph_) DestroyIcon(glyph_);
}

void GlyphButton::SetGlyph(HICON glyph) {
  HICON old = glyph_;
  glyph_ = glyph;
  SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph));
  if (old) DestroyIcon(old);
}

void GlyphButton::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

void GlyphButton::OnNotify(WORD code) {
  if (code == BN_CLICKED && onClick_) onClick_(*this);
}

}  // namespace sorvel::ui
