// A launcher core wired to the fake platform, for tests.
#pragma once

#include <string>
#include <vector>

#include "core/LauncherContext.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/StateBuilder.h"

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
      AddEntry(state, {"T" + std::to_string(state.EntryCount() + 1), stem, "1.0", "key"});
    }
  }
};

}  // namespace sorvel::test
