// The user's message boxes, counted instead of shown, for the benchmarks.
#pragma once

#include <string>

#include "core/Messages.h"

namespace sorvel::bench {

class CountingMessages : public Messages {
 public:
  void ShowMessage(const std::string&) override { ++shown; }
  void ShowErrorBox(const std::string&) override { ++shown; }
  int shown = 0;
};

}  // namespace sorvel::bench
