#include "tests/monkey/ActionLog.h"

#include <cstdio>

namespace sorvel::test {

int ActionLog::Add(double seconds, const std::string& what) {
  char head[48];
  std::snprintf(head, sizeof head, "#%d %.1f s  ", ++count_, seconds);
  lines_.push_back(head + what);
  if (lines_.size() > keep_) lines_.pop_front();
  return count_;
}

std::vector<std::string> ActionLog::Last() const { return {lines_.begin(), lines_.end()}; }

}  // namespace sorvel::test
