// The launcher's start-up: windows in their order, then the event loop.
#pragma once

namespace sorvel {

// Creates the main window (which loads the catalogue and runs the first
// scan), ends at once with 0 when the catalogue was not loaded, otherwise
// moves the current directory to where the folder chooser opens and runs
// the event loop until the main window is closed. Returns the exit code: 1
// when the main window could not be made.
int RunLauncher();

}  // namespace sorvel
