// What screen readers learn about the launcher's controls (MSAA, and UI
// Automation through its MSAA proxy).
//
// A control that describes itself answers WM_GETOBJECT for its client area
// with a small IAccessible laid over the system's standard one: the name,
// role, state and default action come from the control, everything else
// (location, parent, navigation) from the standard object. Annotating the
// standard object through IAccPropServices would say the same on Windows,
// but Wine keeps no annotations, and a default action that does something
// needs an object of our own anyway.
#pragma once

#include <windows.h>

#include <string>

namespace sorvel::ui {

// What a control tells a screen reader; what is left empty is the system's
// standard answer.
struct AccessibleTraits {
  std::string name{};           // CP932; empty: the window text
  long role = 0;                // ROLE_SYSTEM_*; 0: the standard role
  std::string defaultAction{};  // CP932; empty: the standard default action
  std::string value{};          // CP932; empty: the standard value
  bool focusable = false;       // reachable by keyboard while enabled
};

// The message that brings a screen reader's request for the default action
// to the control; posted, so the screen reader never waits for a program
// start or a message box.
constexpr UINT kDefaultActionMessage = WM_APP + 1;

// Whether a click on `hwnd` could reach it now: it and every window it lies
// in are enabled. A modal box disables its owner, and with it every control
// of the owner, whatever each control's own state says.
bool TakesClicks(HWND hwnd);

// The answer to WM_GETOBJECT for the client area of `hwnd`, a window of ours
// with traits. Loads oleacc and initialises COM on this thread the first
// time (never at start-up: most sessions have no screen reader). 0 when that
// fails, so the system gives its standard answer.
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam);

}  // namespace sorvel::ui
