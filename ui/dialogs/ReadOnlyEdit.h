// A one-line edit field that shows a text the user can select and copy but
// not change.
#pragma once

#include "ui/controls/Window.h"

namespace sorvel::ui {

class ReadOnlyEdit : public Window {
 public:
  void Create(const ControlArgs& args) {
    CreateWindowOf({.className = L"EDIT",
                    .systemClass = true,
                    .style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY,
                    .exStyle = WS_EX_CLIENTEDGE},
                   args);
  }
};

}  // namespace sorvel::ui
