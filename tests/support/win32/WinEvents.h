// The accessibility events this process fires, as a screen reader hooked
// out of context receives them: on the hooking thread, while it handles its
// messages.
#pragma once

#include <windows.h>

#include <vector>

namespace sorvel::test {

struct WinEvent {
  DWORD event;
  HWND hwnd;
  LONG objectId;
  LONG childId;
};

// Records the events `first` to `last` of this process while it lives; one
// recorder at a time.
class WinEventRecorder {
 public:
  WinEventRecorder(DWORD first, DWORD last);
  ~WinEventRecorder();
  WinEventRecorder(const WinEventRecorder&) = delete;
  WinEventRecorder& operator=(const WinEventRecorder&) = delete;

  bool Hooked() const { return hook_ != nullptr; }
  // The events received since the last call, after handling the messages
  // waiting.
  std::vector<WinEvent> Take();

 private:
  HWINEVENTHOOK hook_;
};

}  // namespace sorvel::test
