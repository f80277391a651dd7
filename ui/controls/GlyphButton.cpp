#include "ui/controls/GlyphButton.h"

#include <commctrl.h>
#include <oleacc.h>

namespace sorvel::ui {

void GlyphButton::Create(const ControlArgs& args, const Options& options) {
  // The themed button of common controls 6 comes from comctl32, which must
  // have registered its classes first.
  static const bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)registered;

  onClick_ = options.onClick;
  CreateWindowOf({.className = L"BUTTON",
                  .systemClass = true,
                  .style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON},
                 args);
}

void GlyphButton::SetGlyph(HICON glyph) {
  // The button shows the new glyph before the old one is released.
  SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph));
  glyph_.Reset(glyph);
}

void GlyphButton::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

std::optional<AccessibleTraits> GlyphButton::Accessibility() const {
  return AccessibleTraits{.role = ROLE_SYSTEM_PUSHBUTTON, .focusable = true};
}

void GlyphButton::OnNotify(WORD code) {
  if (code == BN_CLICKED && onClick_) onClick_();
}

}  // namespace sorvel::ui
