// A series laid out in a temporary folder for the main window tests: the
// launcher's home folder LAUNCH with its catalogue, beside program folders
// holding copies of the sample recorder under the entries' file names.
#pragma once

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/win32/TestText.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {

struct SeriesEntry {
  std::string title;    // CP932
  std::string exeName;  // the catalogue's ExeName field
};

class MainTestSeries {
 public:
  MainTestSeries();
  ~MainTestSeries();

  // Writes LAUNCH\SVLindex.txt: caption, date line and one line per entry.
  void WriteCatalogue(const std::string& caption, const std::vector<SeriesEntry>& entries);
  // Copies the sample recorder to <root>\<folder>\<exeName>; `withIcon`
  // takes its twin with an icon of its own.
  void Install(const std::wstring& folder, const std::wstring& exeName, bool withIcon = false);
  // Three entries, the second missing: "代数 I" in ALGEBR12\algebra1.exe,
  // "図形", "関数" in KANSU10\KANSU.EXE.
  void LayOutTwoOfThree();

  // What the recorder wrote in <root>\<folder>: one "<current directory>|<command
  // line>" line per start. Waits up to `lines` lines for a while.
  std::vector<std::wstring> Records(const std::wstring& folder, size_t lines = 1);

  // Creates the main window with the current directory at LAUNCH.
  ui::TfrmMain& Open(Platform& platform);
  ui::TfrmMain& Open() { return Open(platform); }
  void Close() { window.reset(); }

  std::wstring root;  // the series folder
  std::wstring home;  // root\LAUNCH
  win32::Win32Platform platform;
  RecordingMessages messages;
  std::unique_ptr<ui::TfrmMain> window;

 private:
  std::wstring savedDirectory_;
};

// The real platform, refusing to enter one folder on request, as a folder
// shared without rights does.
class RefusingPlatform : public win32::Win32Platform {
 public:
  ErrorCode ChangeDirectory(const std::string& path) override;
  std::string refused;  // a full path; empty: none
};

// Where a control stands in its parent, for comparing and printing.
struct Box {
  int left, top, width, height;
  bool operator==(const Box&) const = default;
};
template <typename Control>  // a window, or an image drawn by its host
Box BoxOf(const Control& control) {
  const RECT r = control.Bounds();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
// The mouse at (x, y) of an image, as its host gets it.
inline POINT InHost(const ui::ImageControl& image, int x, int y) {
  const RECT place = image.Bounds();
  return {place.left + x, place.top + y};
}
inline void Click(const ui::ImageControl& image, int x = 2, int y = 2) {
  const POINT at = InHost(image, x, y);
  Click(image.Host(), at.x, at.y);
}
inline void MoveMouse(const ui::ImageControl& image, int x = 2, int y = 2) {
  const POINT at = InHost(image, x, y);
  MoveMouse(image.Host(), at.x, at.y);
}
// The cursor the image's host sets with the mouse over (x, y) of the image.
inline HCURSOR CursorOver(const ui::ImageControl& image, int x = 2, int y = 2) {
  POINT at = InHost(image, x, y);
  ClientToScreen(image.Host(), &at);
  SetCursorPos(at.x, at.y);
  SetCursor(nullptr);
  SendMessageW(image.Host(), WM_SETCURSOR, reinterpret_cast<WPARAM>(image.Host()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

inline void PrintTo(const Box& box, std::ostream* out) {
  *out << "{" << box.left << ", " << box.top << ", " << box.width << " x " << box.height << "}";
}

// `n` entries titled "Title <n>" with the executable "prog<n>".
std::vector<SeriesEntry> NumberedEntries(int n);

}  // namespace sorvel::test
