// SorvelL.exe: the program entry.
#include <windows.h>

#include <commctrl.h>

#include "app/RunLauncher.h"
#include "app/StartupProbe.h"
#include "ui/StartupSteps.h"

namespace {

// The launcher moves its current directory into program folders (and onto
// a CD-ROM); DLLs must never be looked up there.
void HardenDllSearch() {
  SetDllDirectoryW(L"");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  sorvel::probe::Start();
  if (sorvel::probe::IsOn()) sorvel::ui::SetStepRecorder(sorvel::probe::Mark);
  HardenDllSearch();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  sorvel::ui::MarkStep("common controls");
  return sorvel::RunLauncher();
}
