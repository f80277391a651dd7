#include "app/RunLauncher.h"

#include "app/StartupProbe.h"
#include "platform/win32/Win32Platform.h"
#include "ui/StartupSteps.h"
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
  if (!frmShow.Create(frmMain.Handle())) return 1;
  ui::MarkStep("status window");
  if (!frmChangeDrive.Create(frmMain.Handle())) return 1;
  ui::MarkStep("folder chooser");
  frmMain.AttachDialogs(&frmShow, &frmChangeDrive);
  // The start-up is over when the event loop first has nothing to do.
  if (!probe::IsOn()) return ui::Form::RunEventLoop();
  return ui::Form::RunEventLoop([] { probe::AnnounceDone("painted and idle"); });
}

}  // namespace sorvel
