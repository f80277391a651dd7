// A launcher core wired to the fake platform, for tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/LauncherContext.h"
#include "core/StartUp.h"
#include "core/UserTexts.h"
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

  // Runs `handler` as a window's event handler does: an error ends it and
  // is shown in the error box. False when it ended so.
  bool AsEventHandler(const std::function<void()>& handler) {
    try {
      handler();
      return true;
    } catch (const LauncherError& error) {
      messages.ShowError(texts::ErrorText(error));
      return false;
    }
  }

  // The start-up steps as the main window's creation handler runs them,
  // with `buildBoard` (may be empty) where it builds its title board.
  void StartUp(const std::function<void()>& buildBoard = {}) {
    AsEventHandler([&] {
      LoadCatalogueAtStartUp(context);
      if (buildBoard) buildBoard();
      ScanAtStartUp(context);
    });
  }
};

}  // namespace sorvel::test
