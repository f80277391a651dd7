// A folder that others take away and bring back while the launcher runs,
// as a user moves a program folder elsewhere or takes a disc out of its
// drive: it is renamed to a holding place and back. Bringing it back gives
// its parent folder's times back too, so the tree is as it was.
#pragma once

#include <windows.h>

#include <string>

namespace sorvel::test {

class MovingFolder {
 public:
  // `holding`: where the folder waits while it is away, on the same volume.
  MovingFolder(std::wstring path, std::wstring holding)
      : path_(std::move(path)), holding_(std::move(holding)) {}
  ~MovingFolder();  // brings it back if it is away
  MovingFolder(const MovingFolder&) = delete;
  MovingFolder& operator=(const MovingFolder&) = delete;

  // False while someone stands in it (a program started there, the
  // launcher's current directory): the system refuses to move it then.
  bool TakeAway();
  bool BringBack();
  bool Away() const { return away_; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_, holding_;
  bool away_ = false;
  FILETIME parentCreated_{}, parentWritten_{};
};

}  // namespace sorvel::test
