#include "core/ProgramLaunch.h"

#include "core/Cp932.h"

namespace sorvel {

void LaunchEntry(LauncherContext& context, int n) {
  const LauncherState& state = context.state;
  if (!state.IsInstalled(n)) return;
  RunProgram(context.platform, ProgramFolder(state, n), state.Result(n).exeName);
}

void RunProgram(Platform& platform, const std::string& folder, const std::string& exeName) {
  // A failed move is noticed by the start, which then fails quietly as well.
  platform.ChangeDirectory(folder);
  // The file to run is named with its folder: a bare name would be searched
  // for in the launcher's own folder before the current directory. The
  // program still sees its bare name as its command line.
  platform.StartProcess(cp932::InFolder(folder, exeName), exeName);
}

std::string ProgramFolder(const LauncherState& state, int n) {
  return state.baseFolder + state.Result(n).folder;
}

}  // namespace sorvel
