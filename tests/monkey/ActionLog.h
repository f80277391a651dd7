// What the monkey did, numbered, the last ones kept so that a failing run
// can say how it got there.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace sorvel::test {

class ActionLog {
 public:
  explicit ActionLog(size_t keep) : keep_(keep) {}

  // Records an action done `seconds` after the start; returns its number.
  int Add(double seconds, const std::string& what);
  int Count() const { return count_; }
  // The kept actions, oldest first, one line each: "#12 3.4 s  what".
  std::vector<std::string> Last() const;

 private:
  size_t keep_;
  int count_ = 0;
  std::deque<std::string> lines_;
};

}  // namespace sorvel::test
