// One whole session with SorvelL.exe, driven from outside as a user drives
// it: start-up, details, the print attempt, browse, the menu toggle twice,
// a program launch and exit. The series it runs on must come out of the
// session exactly as it went in: the launcher writes nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "tests/session/SeriesTree.h"
#include "tests/support/process/ProcessDriver.h"
#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {
namespace {

// Lays the series out: three programs installed, one missing; the third in
// a folder and under a name whose last character (表) ends in the byte of a
// backslash, and without an icon.
void LayOutSeries(SeriesTree& series) {
  series.WriteCatalogue(
      "算数・数学シリーズ\r\n"
      "2026/04/01 更新\r\n"
      "代数入門,ALGEBRA1,1.3,alg\r\n"
      "図形の性質,GEOMETRY,1.1,geo\r\n"
      "表とグラフ,ソ能表,1.3,表\r\n"
      "確率と統計,PROBABIL,1.0,prb\r\n");
  series.WriteFile(L"LAUNCH\\index.htm", "<html><body>Sorvel</body></html>\r\n");
  series.Install(L"ALGEBR12", L"algebra1.exe", Sample::WithIcon);
  series.Install(L"GEOMET11", L"GEOMETRY.EXE", Sample::WithIcon);
  series.Install(L"度数分布表", L"ソ能表.exe", Sample::Plain);
}

// Times the steps of the session, for the log.
class StepClock {
 public:
  void Step(const char* name) {
    const ULONGLONG now = GetTickCount64();
    log_ +=
        std::string(log_.empty() ? "" : ", ") + name + " " + std::to_string(now - last_) + " ms";
    last_ = now;
  }
  const std::string& Log() const { return log_; }

 private:
  ULONGLONG last_ = GetTickCount64();
  std::string log_;
};

class LauncherSession : public ::testing::Test {
 protected:
  // The launcher's box now on screen, read and closed; fails when none comes.
  BoxSeen NextBox() {
    HWND box = launcher.WaitForWindow(L"#32770");
    EXPECT_NE(box, nullptr) << "no box appeared";
    if (!box) return {};
    BoxSeen seen = ReadAndCloseBox(box);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 10000)) << "the box stays open";
    return seen;
  }

  HWND Control(HWND window, const std::wstring& text) {
    HWND control = FindChildByText(window, text);
    EXPECT_NE(control, nullptr) << "no control \"" << Utf8(text) << "\"";
    return control;
  }

  // A modal window of the launcher that the last click opened.
  HWND AwaitWindow(const wchar_t* className) {
    HWND window = launcher.WaitForWindow(className);
    HWND box = launcher.WindowOfClass(L"#32770");
    EXPECT_NE(window, nullptr) << "no window " << Utf8(className)
                               << (box ? "; a box says: " + Utf8(ReadAndCloseBox(box).text) : "");
    return window;
  }

  bool AwaitHidden(HWND window) {
    return WaitUntil([&] { return !IsWindowVisible(window); }, 10000);
  }

  SeriesTree series{L"session"};
  LauncherProcess launcher;
};

TEST_F(LauncherSession, AWholeSessionLeavesTheSeriesByteForByteAsItWas) {
  LayOutSeries(series);
  const TreeSnapshot before = TreeSnapshot::Take(series.root);
  ASSERT_EQ(before.entries.count(L"度数分布表\\ソ能表.exe"), 1u) << "the snapshot misses files";
  StepClock clock;

  // Start-up: the caption from the catalogue, installed panels enabled.
  ASSERT_FALSE(LauncherPath().empty()) << "SORVEL_LAUNCHER_EXE is not set";
  ASSERT_TRUE(launcher.Start(series.home));
  HWND main = AwaitWindow(L"SorvelMainWindow");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), L"算数・数学シリーズ");
  for (const wchar_t* title : {L"代数入門", L"図形の性質", L"表とグラフ"}) {
    HWND panel = Control(main, PanelText(title));
    EXPECT_TRUE(panel && IsWindowEnabled(panel)) << Utf8(title) << " is installed";
  }
  HWND missing = Control(main, PanelText(L"確率と統計"));
  EXPECT_TRUE(missing && !IsWindowEnabled(missing));
  SaveScreenshot(main, "session-main");
  clock.Step("start-up");

  // Details: the status window shows the folder scanned, the parent of the
  // launcher's folder, and the catalogue's date.
  PostClick(Control(main, L"詳細"));
  HWND status = AwaitWindow(L"SorvelShow");
  ASSERT_NE(status, nullptr);
  EXPECT_NE(FindChildByText(status, series.root), nullptr) << "the searched folder is not shown";
  EXPECT_NE(FindChildByText(status, L"2026/04/01 更新"), nullptr) << "the date is not shown";
  SaveScreenshot(status, "session-details");
  clock.Step("details");

  // Print: no printer here, so the error box says so; the window stays.
  if (HasDefaultPrinter()) {
    std::printf("This Wine prefix has a default printer: the print attempt is left out.\n");
  } else {
    PostClick(Control(status, L"印刷"));
    const BoxSeen box = NextBox();
    EXPECT_EQ(box.caption, L"Sorvel Launcher");
    EXPECT_EQ(box.text, L"デフォルト プリンタが存在しません.");
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(IsWindowVisible(status));
    clock.Step("print");
  }
  PostClick(Control(status, L"閉じる"));
  EXPECT_TRUE(AwaitHidden(status));
  clock.Step("close");

  // Browse: the chooser opens on the parent of the launcher's folder; Cancel.
  PostClick(Control(main, L"参照"));
  HWND chooser = AwaitWindow(L"SorvelChangeDrive");
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(WindowText(chooser), L"Sorvel Launcher Drive");
  EXPECT_NE(FindChildByText(chooser, series.root), nullptr) << "the chooser's folder is not shown";
  SaveScreenshot(chooser, "session-browse");
  PostClick(Control(chooser, L"ｷｬﾝｾﾙ"));
  EXPECT_TRUE(AwaitHidden(chooser));
  clock.Step("browse");

  // Each dialog again: the one made at its first use comes back.
  for (const auto& [command, dialog, close] :
       {std::tuple{L"詳細", status, L"閉じる"}, std::tuple{L"参照", chooser, L"ｷｬﾝｾﾙ"}}) {
    PostClick(Control(main, command));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 10000))
        << "the dialog of " << Utf8(command) << " was not shown again";
    PostClick(Control(dialog, close));
    EXPECT_TRUE(AwaitHidden(dialog));
  }
  clock.Step("dialogs again");

  // The small picture, twice: the menu goes and comes back, and each rescan
  // with icons reports the program that has none.
  // The small picture is drawn by its frame, whose middle it fills.
  HWND smallPicture = FindChildBySize(main, L"SorvelBevelPanel", 90, 74);
  ASSERT_NE(smallPicture, nullptr);
  HWND details = Control(main, L"詳細");
  HWND firstPanel = Control(main, PanelText(L"代数入門"));
  for (const bool menuShown : {false, true}) {
    PostClick(smallPicture);
    const BoxSeen box = NextBox();
    EXPECT_EQ(box.text, L"度数分布表 ソ能表.exe");
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(IsWindowVisible(details) != FALSE, menuShown);
    EXPECT_EQ(IsWindowVisible(firstPanel) != FALSE, menuShown);
  }
  clock.Step("toggle twice");

  // Launch: the program starts in its own folder by its bare name.
  PostClick(Control(main, PanelText(L"表とグラフ")));
  EXPECT_EQ(StartedPrograms(launcher, 1),
            std::vector<std::wstring>{series.Path(L"度数分布表") + L"|ソ能表.exe"});
  SaveScreenshot(main, "session-after-launch");
  EndStartedPrograms(launcher);
  clock.Step("launch");

  // Exit.
  PostClick(Control(main, L"終了"));
  EXPECT_EQ(launcher.WaitForExit(20000), 0u);
  clock.Step("exit");
  std::printf("Session steps: %s\n", clock.Log().c_str());

  std::string changes;
  for (const std::string& line : Differences(before, TreeSnapshot::Take(series.root)))
    changes += "\n  " + line;
  EXPECT_TRUE(changes.empty()) << "the session changed the series:" << changes;
}

// The demo series' help, compiled at build time, opens in HTML Help under
// the title the compiled file carries, and closes with the launcher.
TEST_F(LauncherSession, HelpInTheDemoSeriesOpensItsCompiledHelp) {
  const std::wstring demo = DemoSeriesHome();
  ASSERT_FALSE(demo.empty()) << "SORVEL_DEMO_SERIES is not set";
  ASSERT_TRUE(launcher.Start(demo, demo + L"\\SorvelL.exe"));
  HWND main = AwaitWindow(L"SorvelMainWindow");
  ASSERT_NE(main, nullptr);
  PostClick(Control(main, L"ヘルプ"));
  // HTML Help's own window class.
  HWND help = launcher.WaitForWindow(L"HH Parent");
  ASSERT_NE(help, nullptr) << "no HTML Help window";
  EXPECT_EQ(WindowText(help), L"Sorvel Launcher Help");
  SaveScreenshot(help, "session-help");

  PostClick(Control(main, L"終了"));
  EXPECT_EQ(launcher.WaitForExit(20000), 0u);
  EXPECT_FALSE(help && IsWindow(help)) << "the help window outlived the launcher";
}

}  // namespace
}  // namespace sorvel::test
