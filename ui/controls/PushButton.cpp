#include "ui/controls/PushButton.h"

#include <oleacc.h>

namespace sorvel::ui {

void PushButton::Create(const ControlArgs& args, const Options& options) {
  onClick_ = options.onClick;
  CreateWindowOf({.className = L"BUTTON",
                  .systemClass = true,
                  .style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON},
                 args);
}

void PushButton::Click() { SendMessageW(Handle(), BM_CLICK, 0, 0); }

std::optional<AccessibleTraits> PushButton::Accessibility() const {
  return AccessibleTraits{.role = ROLE_SYSTEM_PUSHBUTTON, .focusable = true};
}

void PushButton::OnNotify(WORD code) {
  if (code == BN_CLICKED && onClick_) onClick_();
}

}  // namespace sorvel::ui
