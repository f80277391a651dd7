// The monkey: SorvelL.exe in its own process on the monkey's series, under
// a random user's input for a given time, while others move a program
// folder and a disc. It answers boxes, restarts the launcher when the user
// ended it, and watches all along: the launcher must end only through its
// own exit path with code 0, show only its own boxes for what can happen,
// answer, and keep its GUI objects bounded. A seed makes the sequence of
// choices repeatable.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/monkey/ActionLog.h"
#include "tests/monkey/HandleCounts.h"
#include "tests/monkey/LauncherWindows.h"
#include "tests/monkey/MonkeySeries.h"
#include "tests/monkey/RandomUser.h"
#include "tests/support/process/ProcessDriver.h"

namespace sorvel::test {

struct MonkeyOptions {
  int seconds = 60;
  uint64_t seed = 1;
  bool verbose = false;  // print each action as it is done
};

// One launcher process: how long it ran and its GUI objects at the quiet
// moments when only its main window was open.
struct LauncherLife {
  double started = 0, ended = 0;  // seconds into the run
  int firstAction = 0, lastAction = 0;
  int quietPoints = 0;
  GuiObjectCounts first, highest, last;
};

struct MonkeyFigures {
  double seconds = 0;
  int actions = 0, restarts = 0, programsStarted = 0, boxesAnswered = 0, foreignClosed = 0;
  int folderMoves = 0, discMoves = 0;
  std::map<std::wstring, int> boxes;  // text seen -> how often
  std::vector<LauncherLife> launchers;
  int slotFirst = -1, slotHighest = -1;  // fresh USER handle slots
};

class Monkey {
 public:
  Monkey(SeriesTree& tree, MonkeySeries& series, MonkeyOptions options);
  ~Monkey();

  // Plays for the given time and ends the launcher; returns what went
  // wrong, empty when nothing did.
  std::vector<std::string> Run();

  const MonkeyFigures& Figures() const { return figures_; }
  std::vector<std::string> LastActions() const { return log_.Last(); }

 private:
  bool StartLauncher();
  void Step();

  void Record(const RandomUser::Done& done);
  void Sync();
  // Checks and answers what came up; true when the launcher had ended and
  // was started again.
  bool Watch(const std::vector<SeenWindow>& windows);
  void CheckEnded();
  void CheckBoxes(const std::vector<SeenWindow>& windows);
  void WatchStartedPrograms();
  void MoveFolders();
  bool Move(MovingFolder& folder, const char* takeAway, const char* bringBack, int& moves);
  void CountObjects(const std::vector<SeenWindow>& windows);
  void EndLauncher();
  void Fail(const std::string& what);
  double Elapsed() const;

  SeriesTree& tree_;
  MonkeySeries& series_;
  MonkeyOptions options_;
  std::mt19937_64 random_;
  ActionLog log_{50};
  MonkeyFigures figures_;
  std::vector<std::string> failures_;
  ULONGLONG start_ = 0, nextFolderMove_ = 0, nextDiscMove_ = 0, nextCount_ = 0;

  std::unique_ptr<LauncherProcess> launcher_;
  std::unique_ptr<LauncherWindows> windows_;
  std::unique_ptr<RandomUser> user_;
  std::map<HWND, int> openBoxes_;  // box -> the action count when it was seen
  std::set<DWORD> startedPrograms_;
  std::set<HWND> closedForeign_;
  int lastMayEnd_ = -1000;  // the last action that may have closed the launcher
  bool pressPrint_ = true;  // no default printer: print meets its error box, never paper
  bool stopped_ = false;    // a failure that ends the run
};

}  // namespace sorvel::test
