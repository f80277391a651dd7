// What the core's routines work with: the platform, the user's message
// boxes, the state, and the window that shows the entries (if any).
#pragma once

#include "core/LauncherState.h"
#include "core/Messages.h"
#include "core/ScanListener.h"
#include "platform/Platform.h"

namespace sorvel {

struct LauncherContext {
  Platform& platform;
  Messages& messages;
  LauncherState& state;
  ScanListener* listener = nullptr;
};

}  // namespace sorvel
