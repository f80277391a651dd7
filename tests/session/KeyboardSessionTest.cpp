// A session with SorvelL.exe driven by keys alone, on the demo's series: Tab
// to the title board, the arrows past a missing program, Enter. And what a
// screen reader in another process hears of the focused panel.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/session/SeriesTree.h"
#include "tests/support/process/ProcessDriver.h"
#include "tests/support/win32/AccessibleView.h"

namespace sorvel::test {
namespace {

// The demo's catalogue, "確率と統計" not installed.
void LayOutDemoSeries(SeriesTree& series) {
  series.WriteCatalogue(
      "Sorvel 数学シリーズ\r\n"
      "2026年12月1日 更新\r\n"
      "代数 I (式と計算),ALGEBRA1,1.3,algebra\r\n"
      "図形と証明,Geometry,1.1,geometry\r\n"
      "計算ドリル,KEISAN,1.3,drill\r\n"
      "関数とグラフ,kansu,2.2,function\r\n"
      "確率と統計,kakuritu,1.0,probability\r\n"
      "表計算で学ぶ統計,hyoukei,1.2,sheet\r\n");
  series.Install(L"ALGEBR12", L"algebra1.exe");
  series.Install(L"GEOMET11", L"GEOMETRY.EXE");
  series.Install(L"KEISAN13", L"Keisan.exe");
  series.Install(L"KANSU_V21", L"kansu.exe");
  series.Install(L"表計算12", L"hyoukei.exe");
}

// The control with the launcher's keyboard focus.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}

// A key pressed and released on the focused control, as the keyboard sends
// it; true once the focus has come to the control with the text `lands`.
bool PressKey(HWND window, UINT key, const std::wstring& lands) {
  HWND focus = FocusOf(window);
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
  return WaitUntil([&] { return WindowText(FocusOf(window)) == lands; }, 10000);
}

TEST(KeyboardSession, TabArrowsAndEnterStartAProgramOfTheDemoSeries) {
  SeriesTree series(L"keyboard");
  LayOutDemoSeries(series);
  LauncherProcess launcher;
  ASSERT_TRUE(launcher.Start(series.home));
  HWND main = launcher.WaitForWindow(L"SorvelMainWindow");
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(FocusOf(main)) == L"詳細"; }, 10000));

  // The side panel, then the board: its first panel.
  for (const wchar_t* lands : {L"終了", L"参照", L"最新版ダウンロード", L"ヘルプ"})
    ASSERT_TRUE(PressKey(main, VK_TAB, lands)) << Utf8(lands);
  ASSERT_TRUE(PressKey(main, VK_TAB, PanelText(L"代数 I (式と計算)")));
  // Down the column, past the missing program.
  for (const wchar_t* lands : {L"図形と証明", L"計算ドリル", L"関数とグラフ", L"表計算で学ぶ統計"})
    ASSERT_TRUE(PressKey(main, VK_DOWN, PanelText(lands))) << Utf8(lands);

  // A screen reader asks first: oleacc comes into the launcher only now.
  EXPECT_EQ(launcher.ModuleBase(L"oleacc.dll"), nullptr);
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  EXPECT_EQ(ViewAccessible(FocusOf(main)).name, L"表計算で学ぶ統計");
  EXPECT_NE(launcher.ModuleBase(L"oleacc.dll"), nullptr);
  CoUninitialize();

  HWND focus = FocusOf(main);
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_EQ(StartedPrograms(launcher, 1),
            std::vector<std::wstring>{series.Path(L"表計算12") + L"|hyoukei.exe"});
  EndStartedPrograms(launcher);
}

}  // namespace
}  // namespace sorvel::test
