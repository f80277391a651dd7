// SorvelL.exe: the program entry.
#include <windows.h>

#include "app/RunLauncher.h"
#include "app/StartupProbe.h"
#include "platform/win32/SystemLibrary.h"
#include "ui/StartupSteps.h"
#include "ui/controls/WindowClass.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  sorvel::probe::Start();
  if (sorvel::probe::IsOn()) sorvel::ui::SetStepRecorder(sorvel::probe::Mark);
  sorvel::win32::LoadDllsFromSystemFolderOnly();
  sorvel::ui::RegisterCommonControlClasses();
  sorvel::ui::MarkStep("common controls");
  return sorvel::RunLauncher();
}
