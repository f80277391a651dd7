#include "tests/support/win32/WinEvents.h"

#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {
namespace {

std::vector<WinEvent> received;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG objectId, LONG childId, DWORD,
                         DWORD) {
  received.push_back({event, hwnd, objectId, childId});
}

}  // namespace

WinEventRecorder::WinEventRecorder(DWORD first, DWORD last)
    : hook_(SetWinEventHook(first, last, nullptr, OnWinEvent, GetCurrentProcessId(), 0,
                            WINEVENT_OUTOFCONTEXT)) {
  received.clear();
}

WinEventRecorder::~WinEventRecorder() {
  if (hook_) UnhookWinEvent(hook_);
  received.clear();
}

std::vector<WinEvent> WinEventRecorder::Take() {
  PumpMessages();
  std::vector<WinEvent> events;
  events.swap(received);
  return events;
}

}  // namespace sorvel::test
