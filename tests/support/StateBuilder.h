// Launcher states as a loaded catalogue and a scan leave them, for tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/LauncherState.h"

namespace sorvel::test {

// Appends a catalogue entry with `found` as its scan result (by default not
// installed); returns its entry number.
inline int AddEntry(LauncherState& state, CatalogueEntry entry, ScanResult found = {}) {
  state.entries.push_back(std::move(entry));
  state.results.push_back(std::move(found));
  return state.EntryCount();
}

// "n folder\exe" of every entry the latest scan found.
inline std::vector<std::string> Found(const LauncherState& state) {
  std::vector<std::string> found;
  for (int n = 1; n <= state.EntryCount(); ++n) {
    if (state.IsInstalled(n)) {
      found.push_back(std::to_string(n) + " " + state.Result(n).folder + "\\" +
                      state.Result(n).exeName);
    }
  }
  return found;
}

}  // namespace sorvel::test
