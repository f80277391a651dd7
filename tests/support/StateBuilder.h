// Launcher states as a loaded catalogue and a scan leave them, for tests.
#pragma once

#include <utility>

#include "core/LauncherState.h"

namespace sorvel::test {

// Appends a catalogue entry with `found` as its scan result (by default not
// installed); returns its entry number.
inline int AddEntry(LauncherState& state, CatalogueEntry entry, ScanResult found = {}) {
  state.entries.push_back(std::move(entry));
  state.results.push_back(std::move(found));
  return state.EntryCount();
}

}  // namespace sorvel::test
