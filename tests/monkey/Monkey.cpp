#include "tests/monkey/Monkey.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "core/UserTexts.h"
#include "platform/win32/Encoding.h"
#include "tests/monkey/UserInput.h"

namespace sorvel::test {
namespace {

constexpr DWORD kAnswerMilliseconds = 30000;  // silent longer than this: the launcher hangs
constexpr DWORD kPauseMilliseconds = 40;      // between two actions, as a quick user
constexpr int kBoxPatience = 6;               // actions before the monkey answers a box itself
// Input that may close the launcher can wait in its queue while it is busy
// (a help viewer's box holds it up): the end may come this many actions later.
constexpr int kMayEndWithin = 30;
constexpr ULONGLONG kFolderMoveMilliseconds = 7000;
constexpr ULONGLONG kDiscMoveMilliseconds = 11000;
constexpr ULONGLONG kCountMilliseconds = 1000;
// How far the GUI objects of a launcher may rise above its first quiet
// count: the icons its 18 markers hold (three GDI objects each) and what
// its dialogs keep came to at most 67 in 30 minutes of play. Objects lost
// at every command outgrow it within one launcher's life.
constexpr long kGdiGrowth = 100;
constexpr long kUserGrowth = 24;
constexpr int kSlotGrowth = 600;

struct ProcessSeen {
  DWORD id, parent;
  std::wstring exe;
};

std::vector<ProcessSeen> Processes() {
  std::vector<ProcessSeen> seen;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return seen;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    seen.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  CloseHandle(snapshot);
  return seen;
}

}  // namespace

Monkey::Monkey(SeriesTree& tree, MonkeySeries& series, MonkeyOptions options)
    : tree_(tree), series_(series), options_(options), random_(options.seed) {}

Monkey::~Monkey() = default;

double Monkey::Elapsed() const { return (GetTickCount64() - start_) / 1000.0; }

void Monkey::Fail(const std::string& what) {
  char when[64];
  std::snprintf(when, sizeof when, "at %.1f s, after action #%d: ", Elapsed(), log_.Count());
  failures_.push_back(when + what);
}

std::vector<std::string> Monkey::Run() {
  start_ = GetTickCount64();
  nextFolderMove_ = start_ + kFolderMoveMilliseconds;
  nextDiscMove_ = start_ + kDiscMoveMilliseconds;
  // The desktop is up before the first launcher, so that Wine's desktop
  // process is never counted among what a launcher started.
  GetDesktopWindow();
  pressPrint_ = !HasDefaultPrinter();
  if (!pressPrint_) std::printf("A default printer exists: the monkey never presses print.\n");
  const ULONGLONG end = start_ + static_cast<ULONGLONG>(options_.seconds) * 1000;
  try {
    if (StartLauncher()) {
      while (GetTickCount64() < end && !stopped_) Step();
      EndLauncher();
    }
  } catch (const std::exception& error) {
    Fail(std::string("the monkey itself failed: ") + error.what());
  }
  figures_.seconds = Elapsed();
  return failures_;
}

bool Monkey::StartLauncher() {
  launcher_ = std::make_unique<LauncherProcess>();  // ends what the last one left running
  if (!launcher_->Start(tree_.home)) {
    Fail("SorvelL.exe could not be started (SORVEL_LAUNCHER_EXE)");
    stopped_ = true;
    return false;
  }
  windows_ = std::make_unique<LauncherWindows>(launcher_->Id(), MonkeySeries::Caption());
  user_ = std::make_unique<RandomUser>(*windows_, launcher_->Id(), tree_.root, pressPrint_);
  figures_.launchers.emplace_back();
  figures_.launchers.back().started = Elapsed();
  figures_.launchers.back().firstAction = figures_.actions + 1;
  openBoxes_.clear();
  WaitUntil(
      [&] {
        CheckBoxes(windows_->Survey());
        return windows_->Main() != nullptr || !launcher_->Running();
      },
      kAnswerMilliseconds);
  if (!windows_->Main()) {
    Fail("the main window did not appear");
    stopped_ = true;
    return false;
  }
  return true;
}

void Monkey::Step() {
  std::vector<SeenWindow> windows = windows_->Survey();
  if (Watch(windows)) return;  // a new launcher: look again
  if (windows.empty()) {
    Sleep(kPauseMilliseconds);
    return;
  }
  RandomUser::Dice dice;
  for (uint32_t& value : dice.value) value = static_cast<uint32_t>(random_() >> 32);
  Record(user_->Act(dice, windows));
  ++figures_.actions;
  Sync();
  Sleep(kPauseMilliseconds);
}

void Monkey::Record(const RandomUser::Done& done) {
  log_.Add(Elapsed(), done.what);
  if (options_.verbose) std::printf("%s\n", log_.Last().back().c_str());
  if (done.mayEnd) lastMayEnd_ = log_.Count();
}

// Waits until the launcher has handled what was sent to it; one that stays
// silent for long hangs, which ends the run.
void Monkey::Sync() {
  const HWND main = windows_->Main();
  DWORD_PTR result = 0;
  if (!main || SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMilliseconds, &result))
    return;
  if (launcher_->Running() && IsWindow(main)) {
    Fail("the launcher has not answered for " + std::to_string(kAnswerMilliseconds / 1000) + " s");
    stopped_ = true;
  }
}

bool Monkey::Watch(const std::vector<SeenWindow>& windows) {
  if (!launcher_->Running()) {
    CheckEnded();
    if (!stopped_) StartLauncher();
    return true;
  }
  CheckBoxes(windows);
  WatchStartedPrograms();
  MoveFolders();
  CountObjects(windows);
  return false;
}

void Monkey::CheckEnded() {
  const DWORD code = launcher_->WaitForExit(5000);
  if (code != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "the launcher ended with code 0x%08lX",
                  static_cast<unsigned long>(code));
    Fail(text);
  } else if (log_.Count() - lastMayEnd_ > kMayEndWithin) {
    Fail("the launcher ended although no input could close its main window");
  }
  ++figures_.restarts;
  figures_.launchers.back().ended = Elapsed();
  figures_.launchers.back().lastAction = figures_.actions;
}

// Reads each box when it appears: its caption, its text and its icon must be
// ones the launcher shows. A box the random input leaves open for a while
// the monkey answers itself.
void Monkey::CheckBoxes(const std::vector<SeenWindow>& windows) {
  std::map<HWND, int> stillOpen;
  for (const SeenWindow& window : windows) {
    if (window.kind != WindowKind::Box) continue;
    const auto known = openBoxes_.find(window.hwnd);
    if (known == openBoxes_.end()) {
      const BoxText box = LauncherWindows::ReadBox(window.hwnd);
      ++figures_.boxes[box.text];
      const bool named =
          box.stopIcon ? series_.IsNamedError(box.text) : series_.IsNamedMessage(box.text);
      if (box.caption != win32::Cp932ToWideLenient(texts::kApplicationTitle) || !named)
        Fail("unexpected box: caption \"" + Utf8(box.caption) + "\", text \"" + Utf8(box.text) +
             "\", " + (box.stopIcon ? "stop icon" : "no icon"));
      stillOpen[window.hwnd] = log_.Count();
    } else if (log_.Count() - known->second >= kBoxPatience) {
      PostMessageW(window.hwnd, WM_COMMAND, IDOK, 0);
      Record({"answer the box"});
      ++figures_.boxesAnswered;
    } else {
      stillOpen.insert(*known);
    }
  }
  openBoxes_ = std::move(stillOpen);
}

// The programs the launcher started: sample programs, which end by
// themselves, are counted; windows of others (the help viewer and its
// boxes) the user closes.
void Monkey::WatchStartedPrograms() {
  std::set<DWORD> others;
  for (const ProcessSeen& process : Processes()) {
    if (process.parent != launcher_->Id()) continue;
    if (series_.IsProgram(process.exe)) {
      startedPrograms_.insert(process.id);
    } else {
      others.insert(process.id);
    }
  }
  figures_.programsStarted = static_cast<int>(startedPrograms_.size());
  if (others.empty()) return;
  for (HWND window : VisibleTopLevelWindows(others)) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (closedForeign_.insert(window).second) {
      ++figures_.foreignClosed;
      Record({"close " + Describe(window) + " of a program the launcher started"});
    }
  }
}

// Others move the program folder, and the disc goes in and out of its drive.
void Monkey::MoveFolders() {
  const ULONGLONG now = GetTickCount64();
  if (now >= nextFolderMove_ &&
      Move(series_.Folder(), "take GEOMET11 away", "bring GEOMET11 back", figures_.folderMoves))
    nextFolderMove_ = now + kFolderMoveMilliseconds;
  if (series_.Disc() && now >= nextDiscMove_ &&
      Move(*series_.Disc(),
           "take the disc out of S:", "put the disc back into S:", figures_.discMoves))
    nextDiscMove_ = now + kDiscMoveMilliseconds;
}

bool Monkey::Move(MovingFolder& folder, const char* takeAway, const char* bringBack, int& moves) {
  const bool away = folder.Away();
  if (!(away ? folder.BringBack() : folder.TakeAway())) return false;  // again at the next step
  ++moves;
  Record({away ? bringBack : takeAway});
  return true;
}

// At quiet moments, when only the main window is open, the launcher's GUI
// objects are counted.
void Monkey::CountObjects(const std::vector<SeenWindow>& windows) {
  if (GetTickCount64() < nextCount_ || windows.size() != 1 || windows[0].kind != WindowKind::Main ||
      windows[0].iconic)
    return;
  nextCount_ = GetTickCount64() + kCountMilliseconds;
  const GuiObjectCounts counts = CountGuiObjects(launcher_->Handle(), launcher_->Id());
  LauncherLife& life = figures_.launchers.back();
  if (life.quietPoints++ == 0) life.first = counts;
  if (counts.gdi > life.first.gdi + kGdiGrowth && life.highest.gdi <= life.first.gdi + kGdiGrowth)
    Fail("the launcher's GDI objects grew from " + std::to_string(life.first.gdi) + " to " +
         std::to_string(counts.gdi));
  if (counts.user > life.first.user + kUserGrowth &&
      life.highest.user <= life.first.user + kUserGrowth)
    Fail("the launcher's USER objects grew from " + std::to_string(life.first.user) + " to " +
         std::to_string(counts.user));
  life.highest.gdi = std::max(life.highest.gdi, counts.gdi);
  life.highest.user = std::max(life.highest.user, counts.user);
  life.last = counts;

  const int slot = FreshUserSlot();
  if (figures_.slotFirst < 0) figures_.slotFirst = slot;
  if (slot > figures_.slotFirst + kSlotGrowth &&
      figures_.slotHighest <= figures_.slotFirst + kSlotGrowth)
    Fail("the USER handle table grew from slot " + std::to_string(figures_.slotFirst) + " to " +
         std::to_string(slot));
  figures_.slotHighest = std::max(figures_.slotHighest, slot);
}

// Ends the launcher as a user does at the end: answers its boxes, closes
// its dialogs and drop-downs, then closes the main window.
void Monkey::EndLauncher() {
  WaitUntil(
      [&] {
        if (!launcher_->Running()) return true;
        const std::vector<SeenWindow> windows = windows_->Survey();
        CheckBoxes(windows);
        WatchStartedPrograms();  // a help viewer's box holds the launcher up
        for (const SeenWindow& window : windows) {
          if (window.kind == WindowKind::Box) PostMessageW(window.hwnd, WM_COMMAND, IDOK, 0);
          if (window.kind == WindowKind::Status || window.kind == WindowKind::Chooser)
            PostMessageW(window.hwnd, WM_CLOSE, 0, 0);
          if (window.kind == WindowKind::Popup) PressKey(VK_ESCAPE);
        }
        if (windows.size() == 1 && windows[0].kind == WindowKind::Main) {
          Record({"close the main window: the run is over", true});
          PostMessageW(windows[0].hwnd, WM_CLOSE, 0, 0);
          launcher_->WaitForExit(10000);
        }
        Sleep(200);
        return false;
      },
      30000);
  if (launcher_->Running()) {
    Fail("the launcher did not end when its main window was closed");
    figures_.launchers.back().ended = Elapsed();
  } else {
    CheckEnded();
    --figures_.restarts;  // the last end is no restart
  }
  // Its programs end by themselves a moment after they started.
  WaitUntil(
      [&] {
        for (const ProcessSeen& process : Processes()) {
          if (process.parent == launcher_->Id() && series_.IsProgram(process.exe)) return false;
        }
        return true;
      },
      10000);
  launcher_.reset();
}

}  // namespace sorvel::test
