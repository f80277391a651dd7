// A one-line edit field that shows a text the user can select and copy but
// not change.
#pragma once

#include <string>

#include "ui/controls/Window.h"

namespace sorvel::ui {

class ReadOnlyEdit : public Window {
 public:
  struct Args {
    HWND parent = nullptr;
    std::string name;
    int left = 0, top = 0, width = 121, height = 21;
    HFONT font = nullptr;
  };
  bool Create(const Args& args) {
    CreateArgs create = ChildCreateArgs(args);
    create.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;
    create.exStyle = WS_EX_CLIENTEDGE;
    if (!CreateStandard(L"EDIT", create)) return false;
    SetName(args.name);
    if (args.font) SetFont(args.font);
    return true;
  }
};

}  // namespace sorvel::ui
