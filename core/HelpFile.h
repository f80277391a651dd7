// Which help file the help command opens, and with which viewer. Windows 10
// and 11 no longer open Windows Help, and HTML Help shows a compiled help
// file's pages only from the local computer, so the newer forms come first
// and a plain page comes first on a share.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace sorvel {

enum class HelpViewer {
  HtmlHelp,  // a compiled help file's contents
  Shell,     // a page opened with the shell's "open" verb, as index.htm is
  WinHelp,   // Windows Help's contents
};

struct HelpToOpen {
  std::string file;  // a full path; Windows Help's bare name, found in the current directory
  HelpViewer viewer = HelpViewer::WinHelp;
  bool operator==(const HelpToOpen&) const = default;
};

// True when `homeFolder` lies on a network drive or a UNC share.
bool OnNetwork(Platform& platform, const std::string& homeFolder);

// The first help file of the home folder in the order for where it lies;
// Windows Help's file when there is none, so that a series without help
// behaves as it always did.
HelpToOpen ChooseHelp(Platform& platform, const std::string& homeFolder);

}  // namespace sorvel
