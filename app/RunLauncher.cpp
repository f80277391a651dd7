#include "app/RunLauncher.h"

#include "app/StartupProbe.h"
#include "platform/win32/Shell.h"
#include "platform/win32/Win32Platform.h"
#include "ui/StartupSteps.h"
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

  // The status window and the folder chooser are made at their first use;
  // the current directory moves now to where the chooser opens. A folder
  // that cannot be entered is shown in the error box, and the launcher goes on.
  ui::Window::Guard([&frmMain] { frmMain.EnterChooserFolder(); });
  ui::MarkStep("chooser's folder");
  // The start-up is over when the event loop first has nothing to do.
  const int exitCode = probe::IsOn()
                           ? ui::Form::RunEventLoop([] { probe::AnnounceDone("painted and idle"); })
                           : ui::Form::RunEventLoop();
  // Help windows the help command opened end with the launcher.
  win32::CloseHtmlHelpWindows();
  return exitCode;
}

}  // namespace sorvel
