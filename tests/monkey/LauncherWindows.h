// The launcher's windows as the user sees them, from outside: its visible
// top-level windows, told apart by caption and content (main window, status
// window, folder chooser, message boxes, pop-ups such as a drop-down list or
// a menu), and the controls the user aims at, found by text and place.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace sorvel::test {

enum class WindowKind { Main, Status, Chooser, Box, Popup };
const char* KindName(WindowKind kind);

std::wstring ClassOf(HWND hwnd);
// A window as the log names it: its class and the start of its text.
std::string Describe(HWND hwnd);

// The visible top-level windows of these processes, topmost first.
std::vector<HWND> VisibleTopLevelWindows(const std::set<DWORD>& processes);

struct SeenWindow {
  HWND hwnd = nullptr;
  WindowKind kind = WindowKind::Popup;
  RECT rect{};
  bool enabled = true;
  bool iconic = false;
};

// A message box as the user reads it.
struct BoxText {
  std::wstring caption, text;
  bool stopIcon = false;
};

class LauncherWindows {
 public:
  LauncherWindows(DWORD processId, std::wstring mainCaption)
      : processId_(processId), mainCaption_(std::move(mainCaption)) {}

  // The launcher's visible top-level windows, topmost first.
  std::vector<SeenWindow> Survey();
  // The main window once it was seen; null before.
  HWND Main() const { return main_; }

  // Controls, found anew each time (null when not there).
  HWND Child(HWND parent, const std::wstring& text) const;  // by its text, at any depth
  // The child of `parent` whose top-left corner lies at this point of
  // parent's client area (the places the layout fixes).
  HWND ChildAt(HWND parent, int left, int top) const;
  // Title panels: the main window's children whose text starts with the
  // eight blanks that keep a title clear of its marker.
  std::vector<HWND> TitlePanels();
  HWND SmallPicture() const;  // the 81 x 65 picture in the side panel

  static BoxText ReadBox(HWND box);

 private:
  WindowKind Classify(HWND hwnd);

  DWORD processId_;
  std::wstring mainCaption_;
  HWND main_ = nullptr;
  std::map<HWND, WindowKind> kinds_;
  std::vector<HWND> panels_;
};

}  // namespace sorvel::test
