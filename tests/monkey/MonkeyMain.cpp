// sorvel_monkey [--seconds=N] [--seed=S] [--verbose] [GoogleTest flags]
//
// Plays the monkey on a fresh series for N seconds (60) with seed S (the
// time when none is given), then checks that the series came out byte for
// byte as it went in. Prints what it watched; a failing run prints its seed
// and its last 50 actions, so that the same seed replays it; --verbose
// prints every action as it is done.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/monkey/Monkey.h"
#include "tests/monkey/MonkeySeries.h"
#include "tests/session/SeriesTree.h"

namespace sorvel::test {
namespace {

MonkeyOptions gOptions;

// A Unix path as Wine's drive Z: shows it; empty for none.
std::wstring WindowsPath(const char* unixPath) {
  if (!unixPath || !*unixPath) return L"";
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  return path;
}

std::string Counts(const GuiObjectCounts& counts) {
  return "GDI " + std::to_string(counts.gdi) + ", USER " + std::to_string(counts.user);
}

std::string Format(const char* format, auto... values) {
  char line[512];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

// What the monkey did and watched, as the run's last lines say it.
std::string Summary(const MonkeyFigures& figures, const MonkeyOptions& options) {
  std::string text = Format(
      "Monkey: seed %llu, %.1f s, %d actions (%.1f per second), %d restarts, %d programs started\n",
      static_cast<unsigned long long>(options.seed), figures.seconds, figures.actions,
      figures.seconds > 0 ? figures.actions / figures.seconds : 0.0, figures.restarts,
      figures.programsStarted);
  text += Format(
      "  boxes answered by the monkey %d, windows of started programs closed %d, program folder "
      "moved %d times, disc moved %d times\n",
      figures.boxesAnswered, figures.foreignClosed, figures.folderMoves, figures.discMoves);
  for (const auto& [box, count] : figures.boxes)
    text += Format("  box %dx: %s\n", count, Utf8(box).c_str());
  const char* how = "GetGuiResources";
  for (const LauncherLife& life : figures.launchers) {
    if (life.first.fromHandleTable) how = "GDI handle table and windows (Wine)";
  }
  text += Format("  GUI objects of each launcher at quiet moments (%s):\n", how);
  int n = 0;
  for (const LauncherLife& life : figures.launchers) {
    text +=
        Format("    launcher %d: %.0f s, actions %d-%d, %d counts; first %s; highest %s; last %s\n",
               ++n, life.ended - life.started, life.firstAction, life.lastAction, life.quietPoints,
               Counts(life.first).c_str(), Counts(life.highest).c_str(), Counts(life.last).c_str());
  }
  text += Format("  fresh USER handle slot: first %d, highest %d\n", figures.slotFirst,
                 figures.slotHighest);
  return text;
}

// The summary stays beside the screenshots, as a passing test's output is
// not shown.
void SaveSummary(const std::string& text) {
  const std::wstring folder = WindowsPath(std::getenv("SORVEL_ARTIFACTS"));
  if (folder.empty()) return;
  CreateDirectoryW(folder.c_str(), nullptr);
  if (FILE* file = _wfopen((folder + L"\\monkey.txt").c_str(), L"wb")) {
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
}

TEST(Monkey, RandomInputNeitherEndsTheLauncherNorLeaksNorWrites) {
  ASSERT_FALSE(LauncherPath().empty()) << "SORVEL_LAUNCHER_EXE is not set";
  std::printf("Monkey: seed %llu for %d s\n", static_cast<unsigned long long>(gOptions.seed),
              gOptions.seconds);
  SeriesTree tree(L"monkey");
  const std::wstring disc = WindowsPath(std::getenv("SORVEL_MONKEY_DISC"));
  std::vector<std::string> failures;
  MonkeyFigures figures;
  std::vector<std::string> lastActions;
  {
    MonkeySeries series(tree, disc);
    series.LayOut();
    const TreeSnapshot before = TreeSnapshot::Take(tree.root);
    const TreeSnapshot discBefore = disc.empty() ? TreeSnapshot{} : TreeSnapshot::Take(disc);
    Monkey monkey(tree, series, gOptions);
    failures = monkey.Run();
    figures = monkey.Figures();
    lastActions = monkey.LastActions();
    for (MovingFolder* folder : {&series.Folder(), series.Disc()}) {
      if (folder && !WaitUntil([&] { return folder->BringBack(); }, 10000))
        failures.push_back("cannot bring back " + Utf8(folder->Path()));
    }
    for (const std::string& change : Differences(before, TreeSnapshot::Take(tree.root)))
      failures.push_back("the series changed: " + change);
    if (!disc.empty()) {
      for (const std::string& change : Differences(discBefore, TreeSnapshot::Take(disc)))
        failures.push_back("the disc changed: " + change);
    }
  }
  const std::string summary = Summary(figures, gOptions);
  std::printf("%s", summary.c_str());
  if (failures.empty()) {
    SaveSummary(summary);
    return;
  }
  std::string report = "seed " + std::to_string(gOptions.seed) + " failed:";
  for (const std::string& failure : failures) report += "\n  " + failure;
  report += "\nThe last actions:";
  for (const std::string& action : lastActions) report += "\n  " + action;
  report += "\nReplay: scripts/monkey.sh " + std::to_string(gOptions.seconds) + " " +
            std::to_string(gOptions.seed);
  SaveSummary(summary + report + "\n");
  ADD_FAILURE() << report;
}

// "--name=value" -> value, or nullptr.
const char* Flag(const char* argument, const char* name) {
  const size_t length = std::strlen(name);
  return std::strncmp(argument, name, length) == 0 && argument[length] == '='
             ? argument + length + 1
             : nullptr;
}

}  // namespace
}  // namespace sorvel::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  using sorvel::test::Flag;
  using sorvel::test::gOptions;
  gOptions.seed = GetTickCount64() % 1000000;
  for (int i = 1; i < argc; ++i) {
    if (const char* seconds = Flag(argv[i], "--seconds")) {
      gOptions.seconds = std::atoi(seconds);
    } else if (const char* seed = Flag(argv[i], "--seed")) {
      gOptions.seed = std::strtoull(seed, nullptr, 10);
    } else if (std::strcmp(argv[i], "--verbose") == 0) {
      gOptions.verbose = true;
    } else {
      std::fprintf(stderr, "usage: %s [--seconds=N] [--seed=S] [--verbose]\n", argv[0]);
      return 2;
    }
  }
  return RUN_ALL_TESTS();
}
