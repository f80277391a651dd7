// The main window's two dialogs, the status window and the folder chooser,
// made when the user first asks for each and kept for the rest of the run:
// most sessions start a program and never open either, and a dialog made
// at start-up would cost every session its windows.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/LauncherState.h"
#include "platform/Platform.h"

namespace sorvel::ui {

class TfrmShow;
class TfrmChangeDrive;

class MainDialogs {
 public:
  MainDialogs(Platform& platform, const LauncherState& state);
  ~MainDialogs();

  // The start-up's part of the chooser: the current directory moves to the
  // parent of the home folder, where the chooser opens, so that everything
  // after the start-up finds it there. A folder that cannot be entered is
  // an error, as the chooser's own move is.
  void EnterChooserFolder();

  // Dialogs made elsewhere, used instead of making them; not owned.
  void Attach(TfrmShow* show, TfrmChangeDrive* chooser);

  // The dialog, made hidden and owned by `owner` at the first call and the
  // same one at every later call; nullptr when the system refused it.
  TfrmShow* Status(HWND owner, std::function<SIZE()> ownerSize);
  TfrmChangeDrive* Chooser(HWND owner);

  // The chooser's folder: where it stands once made, before that where it
  // will open (the parent of the home folder, as the start-up found it).
  std::string ChooserFolder() const;

 private:
  Platform& platform_;
  const LauncherState& state_;
  std::string openingFolder_;  // normalised, as the chooser reports it
  std::unique_ptr<TfrmShow> ownShow_;
  std::unique_ptr<TfrmChangeDrive> ownChooser_;
  TfrmShow* show_ = nullptr;
  TfrmChangeDrive* chooser_ = nullptr;
};

}  // namespace sorvel::ui
