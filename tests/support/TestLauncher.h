// A launcher core wired to the fake platform, for tests.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherContext.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/RecordingMessages.h"

namespace sorvel::test {

struct TestLauncher {
  FakePlatform platform;
  RecordingMessages messages;
  RecordingListener listener;
  LauncherState state;
  LauncherContext context{platform, messages, state, &listener};

  // Catalogue entries with these executable stems, titled "T1", "T2", ...
  void SetStems(const std::vector<std::string>& stems) {
    for (const std::string& stem : stems) {
      state.lstTitle.push_back("T" + std::to_string(state.lstTitle.size() + 1));
      state.lstEXE.push_back(stem);
      state.lstNewVersion.push_back("1.0");
      state.lstKey.push_back("key");
    }
    state.ReserveEntries(state.EntryCount());
  }
};

}  // namespace sorvel::test
