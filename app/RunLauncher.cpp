#include "app/RunLauncher.h"

#include "platform/win32/Win32Platform.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowMessages.h"

namespace sorvel {

int RunLauncher() {
  win32::Win32Platform platform;
  ui::WindowMessages messages;

  // Creating the main window runs the start-up: home folder, catalogue,
  // title board, CD-ROM test and first scan; then it is shown. A window the
  // system refuses has been reported in the error box.
  ui::TfrmMain frmMain(platform, messages);
  if (!frmMain.Create()) return 1;
  if (!frmMain.State().catalogueLoaded) return 0;

  ui::TfrmChangeDrive frmChangeDrive(platform, frmMain.State().homeFolder);
  ui::TfrmShow frmShow(frmMain.State(),
                       {.mainWindowSize = [&frmMain] { return frmMain.LayoutSize(); },
                        .chooserFolder = [&frmChangeDrive] { return frmChangeDrive.Folder(); },
                        .printer = {}});
  if (!frmShow.Create(frmMain.Handle()) || !frmChangeDrive.Create(frmMain.Handle())) return 1;
  frmMain.AttachDialogs(&frmShow, &frmChangeDrive);
  return ui::Form::RunEventLoop();
}

}  // namespace sorvel
