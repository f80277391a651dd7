// A user who does random but valid things to the launcher's windows: clicks
// and double clicks anywhere on them, mouse paths, keys to the focused
// window, and the commands, drive box, folder list, grid and buttons aimed
// at. All of it goes through the system's input (SendInput), so that what
// is disabled, covered or held up by a modal window stays out of reach, as
// it does for a user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/monkey/LauncherWindows.h"

namespace sorvel::test {

// The entries of the folder list before the sub-folders: the drive root
// and each component of the folder's path ("C:\SERIES" has two).
int PathEntries(const std::wstring& folder);
// Whether the folder list has strayed from the series: neither in it, nor
// on the way to it, nor one step below a drive root. Aimed moves then go
// up, so that the walk stays where the launcher's work is.
bool Strayed(const std::wstring& folder, const std::wstring& seriesRoot);

class RandomUser {
 public:
  // The random numbers of one action, drawn whatever the action turns out
  // to be, so that a seed gives the same choices on a replay.
  struct Dice {
    uint32_t value[6];
    double Unit(int i) const { return value[i] / 4294967296.0; }
    uint32_t Pick(int i, uint32_t count) const { return count ? value[i] % count : 0; }
  };
  // What one action did, for the log and for the check of the launcher's end.
  struct Done {
    std::string what;
    bool mayEnd = false;  // it may close the main window, and so the launcher
  };

  // `seriesRoot`: where the folder list's aimed moves stay near;
  // `pressPrint`: whether the user presses print (only where no printer
  // would put it on paper).
  RandomUser(LauncherWindows& windows, DWORD launcherId, std::wstring seriesRoot, bool pressPrint);

  // One action on the launcher's visible windows (topmost first).
  Done Act(const Dice& dice, const std::vector<SeenWindow>& windows);

 private:
  Done ClickSomewhere(const Dice& dice, const std::vector<SeenWindow>& windows, bool twice);
  Done ClickAt(POINT point, const std::string& what, bool twice);
  Done ClickControl(HWND control, const Dice& dice, const std::string& what, bool twice = false);
  Done MovePath(const Dice& dice, const std::vector<SeenWindow>& windows);
  Done Hover(const Dice& dice, const SeenWindow& main);
  Done Key(const Dice& dice, const std::vector<SeenWindow>& windows);
  Done SideButton(const Dice& dice);
  Done PickDrive(const Dice& dice, const SeenWindow& chooser);
  Done OpenFolder(const Dice& dice, const SeenWindow& chooser);
  bool IsExitButton(HWND hwnd) const;
  bool Closes(HWND under, POINT point) const;

  LauncherWindows& windows_;
  DWORD launcherId_;
  std::wstring seriesRoot_;
  bool pressPrint_;
};

}  // namespace sorvel::test
