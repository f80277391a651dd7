// SorvelL.exe: the program entry.
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "app/RunLauncher.h"
#include "app/StartupProbe.h"
#include "platform/win32/SystemLibrary.h"
#include "ui/StartupSteps.h"
#include "ui/controls/WindowClass.h"

// An exception that nothing catches ends the program, as it always did. The
// library's own handler would first write the exception's type, demangled,
// to a console this program has not got, and it brings the demangler with
// it: 40 KB of the 1 MiB the launcher keeps within.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  sorvel::probe::Start();
  if (sorvel::probe::IsOn()) sorvel::ui::SetStepRecorder(sorvel::probe::Mark);
  sorvel::win32::LoadDllsFromSystemFolderOnly();
  sorvel::ui::RegisterCommonControlClasses();
  sorvel::ui::MarkStep("common controls");
  return sorvel::RunLauncher();
}
