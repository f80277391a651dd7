// The footprint of SorvelL.exe: its size and the DLLs it imports (directly
// or delay-loaded), each of which must be a system DLL (found in the system
// folder, not beside the program).
#pragma once

#include <string>

namespace sorvel::bench {

// Prints the imports and the figures of size and foreign DLLs; 1 when the
// file cannot be read.
int ReportFootprint(const std::wstring& exe);

}  // namespace sorvel::bench
