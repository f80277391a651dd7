// Test doubles for what the core reports: message boxes and scan results.
#pragma once

#include <string>
#include <vector>

#include "core/Messages.h"
#include "core/ScanListener.h"

namespace sorvel::test {

class RecordingMessages : public Messages {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowErrorBox(const std::string& text) override { errors.push_back(text); }

  std::vector<std::string> messages;
  std::vector<std::string> errors;  // as the error box shows them
};

// Records "installed 3", "missing 4" and "icon 3", in call order.
class RecordingListener : public ScanListener {
 public:
  void SetEntryInstalled(int n, bool installed) override {
    calls.push_back((installed ? "installed " : "missing ") + std::to_string(n));
  }
  void LoadEntryIcon(int n) override { calls.push_back("icon " + std::to_string(n)); }

  std::vector<std::string> calls;
};

}  // namespace sorvel::test
