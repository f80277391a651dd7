// The menu toggle and the hover markers in-process under Wine: what the
// small picture hides and shows, the icons its scans load, the marker's
// states under the mouse, and that icons do not pile up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>

#include "core/InstallationScan.h"
#include "platform/Platform.h"
#include "platform/win32/Shell.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;
using ui::ImageControl;
using ui::TfrmMain;

// The colour bits of an icon, to tell icons apart by their look.
std::vector<std::uint32_t> IconBits(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = bitmap.bmWidth;
  format.bmiHeader.biHeight = -bitmap.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> bits(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, bits.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bits;
}

bool IsLiveIcon(HICON icon) { return !IconBits(icon).empty(); }

enum class Look { Empty, Program, Launcher, Other };

const char* Name(Look look) {
  switch (look) {
    case Look::Empty:
      return "empty";
    case Look::Program:
      return "program icon";
    case Look::Launcher:
      return "launcher icon";
    default:
      return "other";
  }
}

// What a marker shows and what the state says of it.
struct Marker {
  Look look;
  bool loaded;  // HasProgramIcon
  bool set;     // MarkerSet
  bool operator==(const Marker&) const = default;
};

void PrintTo(const Marker& m, std::ostream* out) {
  *out << "{" << Name(m.look) << (m.loaded ? ", loaded" : ", -") << (m.set ? ", set}" : ", -}");
}

// The states of the marker's table.
constexpr Marker kIdle{Look::Empty, false, false};
constexpr Marker kProgramIcon{Look::Program, true, true};
constexpr Marker kLauncherIcon{Look::Launcher, true, false};
constexpr Marker kCleared{Look::Empty, true, true};
// After a scan without icons a marker keeps its picture and no longer reacts.
constexpr Marker kKeptLauncherIcon{Look::Launcher, false, false};

// A series of five entries: two programs with icons (1, 4), one without (2),
// one missing (3) and a file that only pretends to be a program (5).
class MainMarkers : public ::testing::Test {
 protected:
  void SetUp() override {
    series.WriteCatalogue("Series", {{"代数 I", "algebra1"},
                                     {"統計", "hyoukei"},
                                     {"関数", "kansu"},
                                     {"図形", "geometry"},
                                     {"偽物", "fake"}});
    series.Install(L"ALGEBR12", L"algebra1.exe", true);
    series.Install(L"HYOUKEI", L"hyoukei.exe");
    series.Install(L"GEOMET11", L"geometry.exe", true);
    WriteFileBytes(series.root + L"\\FAKE\\fake.exe", "not a program");

    const std::string iconic = Cp932(series.root) + "\\ALGEBR12\\algebra1.exe";
    HICON program =
        reinterpret_cast<HICON>(win32::ExtractFirstIcon(GetModuleHandleW(nullptr), iconic));
    programBits_ = IconBits(program);
    DestroyIcon(program);
    HICON launcher = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    launcherBits_ = IconBits(launcher);
    DestroyIcon(launcher);
    ASSERT_FALSE(programBits_.empty());
    ASSERT_FALSE(launcherBits_.empty());
    ASSERT_NE(programBits_, launcherBits_);
  }

  Look LookOf(const ImageControl& marker) const {
    if (marker.Kind() == ImageControl::Picture::Empty) return Look::Empty;
    const auto bits = IconBits(marker.Icon());
    if (bits == programBits_) return Look::Program;
    if (bits == launcherBits_) return Look::Launcher;
    return Look::Other;
  }

  Marker MarkerOf(TfrmMain& window, int n) const {
    const ImageControl& marker = *window.Board().Marker(n);
    return {LookOf(marker), window.Board().Panel(n)->HasProgramIcon(),
            window.Board().Panel(n)->MarkerSet()};
  }

  static void Hover(TfrmMain& window, int n) {
    MoveMouse(window.Board().Panel(n)->Handle(), 100, 15);
  }

  MainTestSeries series;
  std::vector<std::uint32_t> programBits_;
  std::vector<std::uint32_t> launcherBits_;
};

// Whether each descendant window of `top` is set visible itself.
std::map<HWND, bool> OwnVisibility(HWND top) {
  std::map<HWND, bool> visible;
  for (HWND child : Descendants(top)) {
    visible[child] = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  return visible;
}

std::string NameOf(HWND hwnd) {
  const ui::Window* window = ui::Window::FromHandle(hwnd);
  return window ? window->Name() : "?";
}

std::vector<std::string> Changed(const std::map<HWND, bool>& before,
                                 const std::map<HWND, bool>& after, bool nowVisible) {
  std::vector<std::string> names;
  for (const auto& [hwnd, visible] : after) {
    if (visible != before.at(hwnd)) {
      EXPECT_EQ(visible, nowVisible) << ui::Window::FromHandle(hwnd)->Name();
      names.push_back(ui::Window::FromHandle(hwnd)->Name());
    }
  }
  return names;
}

TEST_F(MainMarkers, ToggleHidesAndShowsExactlyThePanelsAndTheFiveButtonsAndRescansWithIcons) {
  TfrmMain& window = series.Open();
  const std::string home = window.State().homeFolder;
  const std::vector<std::string> menu = {"Btn1",           "Btn2",    "Btn3",   "Btn4",
                                         "Btn5",           "btnShow", "btnEnd", "btnDownLoad",
                                         "btnChangeDrive", "btnHelp"};
  ASSERT_TRUE(window.Board().MenuShown());
  ASSERT_EQ(window.State().baseFolder, home + "..\\");
  ASSERT_EQ(GetFocus(), window.btnShow().Handle());

  for (int click = 1; click <= 3; ++click) {
    SCOPED_TRACE("click " + std::to_string(click));
    const bool shown = click % 2 == 0;
    const auto before = OwnVisibility(window.Handle());
    Click(window.imgPicture);
    EXPECT_EQ(window.Board().MenuShown(), shown);
    EXPECT_THAT(Changed(before, OwnVisibility(window.Handle()), shown),
                UnorderedElementsAreArray(menu));
    EXPECT_TRUE(window.imgPicture.Visible());
    EXPECT_TRUE(window.imgPict.Visible());
    // A hidden button cannot keep the focus, or the space bar would press it.
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == nullptr || IsWindowVisible(focus)) << NameOf(focus);

    // Each click scans the parent of the home folder with icons, into the
    // markers of hidden panels as well; every time, the executables
    // without an icon say so.
    EXPECT_EQ(window.State().baseFolder, home + "..\\");
    EXPECT_EQ(MarkerOf(window, 1), kProgramIcon);
    EXPECT_EQ(MarkerOf(window, 4), kProgramIcon);
    for (int n : {2, 3, 5}) EXPECT_EQ(MarkerOf(window, n), kIdle) << n;
    EXPECT_EQ(series.messages.messages.size(), 2u * click);
    EXPECT_THAT(std::vector(series.messages.messages.end() - 2, series.messages.messages.end()),
                ElementsAre("HYOUKEI hyoukei.exe", "FAKE fake.exe"));
    // The current directory is left at the last installed entry's folder.
    wchar_t current[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(_wcsicmp(current, (series.root + L"\\FAKE").c_str()), 0);
    if (click == 1) SaveScreenshot(window.Handle(), "main_menu_hidden");
  }
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

TEST_F(MainMarkers, IconsComeFromTheFilesTheScanFoundNotFromNamesakesBesideTheLauncher) {
  // Beside the running program (here the test's), where a search for a
  // bare file name looks first: not a program, so no icon there.
  const std::wstring namesake = ExecutableFolder() + L"\\algebra1.exe";
  ASSERT_TRUE(WriteFileBytes(namesake, "not a program"));
  struct Remove {
    std::wstring path;
    ~Remove() { DeleteFileW(path.c_str()); }
  } removed{namesake};
  TfrmMain& window = series.Open();
  ASSERT_EQ(window.Board().Count(), 5);
  Click(window.imgPicture);
  EXPECT_EQ(MarkerOf(window, 1), kProgramIcon);
  EXPECT_THAT(series.messages.messages, ElementsAre("HYOUKEI hyoukei.exe", "FAKE fake.exe"));
}

TEST_F(MainMarkers, MarkersFollowTheStateTable) {
  RefusingPlatform platform;
  TfrmMain& window = series.Open(platform);
  struct Step {
    const char* what;
    std::function<void()> act;
    Marker first, fourth;  // markers of the two programs with icons
  };
  const auto toggle = [&] { Click(window.imgPicture); };
  const std::vector<Step> steps = {
      {"mouse before the first toggle",
       [&] {
         Hover(window, 1);
         MoveMouse(window.imgPict, 300, 300);
         Hover(window, 4);
       },
       kIdle, kIdle},
      {"toggle: menu hidden", toggle, kProgramIcon, kProgramIcon},
      {"toggle: menu shown", toggle, kProgramIcon, kProgramIcon},
      {"hover panel 1",
       [&] {
         Hover(window, 1);
         SaveScreenshot(window.Handle(), "main_marker");
       },
       kLauncherIcon, kProgramIcon},
      {"hover panel 1 again", [&] { Hover(window, 1); }, kLauncherIcon, kProgramIcon},
      {"a scan that stops half way leaves every marker",
       [&] {
         platform.refused = platform.FullPath(Cp932(series.root) + "\\GEOMET11");
         EXPECT_THROW(ScanFolder(window.Context(), window.State().homeFolder + "..\\", true),
                      InOutError);
         platform.refused.clear();
       },
       kLauncherIcon, kProgramIcon},
      {"over marker 4 itself", [&] { MoveMouse(*window.Board().Marker(4), 5, 5); }, kLauncherIcon,
       kProgramIcon},
      {"the panel's cursor over a marker, the small picture's own over it",
       [&] {
         EXPECT_EQ(CursorOver(*window.Board().Marker(4), 5, 5), window.ArrowCursor());
         EXPECT_EQ(CursorOver(window.imgPicture), window.PointCursor());
       },
       kLauncherIcon, kProgramIcon},
      {"onto the background picture", [&] { MoveMouse(window.imgPict, 300, 300); }, kCleared,
       kProgramIcon},
      {"hover panel 1 once more", [&] { Hover(window, 1); }, kLauncherIcon, kProgramIcon},
      {"onto the small picture", [&] { MoveMouse(window.imgPicture, 10, 10); }, kCleared,
       kProgramIcon},
      {"hover panel 4", [&] { Hover(window, 4); }, kCleared, kLauncherIcon},
      {"hover the other panels",
       [&] {
         for (int n : {2, 3, 5}) Hover(window, n);
       },
       kCleared, kLauncherIcon},
      {"scan without icons",
       [&] { ScanFolder(window.Context(), window.State().homeFolder + "..\\", false); }, kIdle,
       kKeptLauncherIcon},
      {"mouse after that scan",
       [&] {
         Hover(window, 1);
         Hover(window, 4);
         MoveMouse(window.imgPict, 300, 300);
       },
       kIdle, kKeptLauncherIcon},
      {"toggle again", toggle, kProgramIcon, kProgramIcon},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(MarkerOf(window, 1), step.first);
    EXPECT_EQ(MarkerOf(window, 4), step.fourth);
    for (int n : {2, 3, 5}) EXPECT_EQ(MarkerOf(window, n), kIdle) << n;
  }

  // Each marker owns its picture: a replaced icon is released, and the
  // launcher's icon is a copy of its own in every marker.
  toggle();
  ImageControl& first = *window.Board().Marker(1);
  const HICON program = first.Icon();
  EXPECT_TRUE(window.Board().Panel(1)->HasProgramIcon());
  Hover(window, 1);
  EXPECT_FALSE(IsLiveIcon(program));
  const HICON launcherCopy = first.Icon();
  Hover(window, 4);
  EXPECT_NE(window.Board().Marker(4)->Icon(), launcherCopy);
  MoveMouse(window.imgPict, 300, 300);
  EXPECT_FALSE(IsLiveIcon(launcherCopy));
  EXPECT_EQ(first.Kind(), ImageControl::Picture::Empty);
}

// ---------------------------------------------------------------------------
// No handles pile up.

// What the process holds: the system's counts where it keeps them (Wine
// answers 0), and the highest slot of fresh USER and GDI handles, which
// climbs when handles leak, since freed slots are given out again first.
struct Holdings {
  DWORD gdiObjects = 0, userObjects = 0;
  int userSlot = 0, gdiSlot = 0;
};

Holdings Measure() {
  Holdings holdings;
  holdings.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  holdings.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  HICON model = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
  std::vector<HICON> icons;
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 64; ++i) {
    icons.push_back(CopyIcon(model));
    brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    holdings.userSlot = std::max<int>(holdings.userSlot, LOWORD(icons.back()));
    holdings.gdiSlot = std::max<int>(holdings.gdiSlot, LOWORD(brushes.back()));
  }
  for (HICON icon : icons) DestroyIcon(icon);
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return holdings;
}

TEST_F(MainMarkers, TwoHundredTogglesWithHoversHoldNoMoreHandles) {
  TfrmMain& window = series.Open();
  HWND picture = window.imgPicture.Host();
  HWND background = window.imgPict.Host();
  const POINT onPicture = InHost(window.imgPicture, 5, 5);
  const POINT onBackground = InHost(window.imgPict, 300, 300);
  HWND first = window.Board().Panel(1)->Handle();
  HWND fourth = window.Board().Panel(4)->Handle();
  // A toggle and the mouse over both program panels and a picture: each
  // round extracts two icons and makes two copies of the launcher's.
  const auto round = [&] {
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onPicture.x, onPicture.y));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(onPicture.x, onPicture.y));
    SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(100, 15));
    SendMessageW(fourth, WM_MOUSEMOVE, 0, MAKELPARAM(100, 15));
    SendMessageW(background, WM_MOUSEMOVE, 0, MAKELPARAM(onBackground.x, onBackground.y));
  };
  for (int i = 0; i < 6; ++i) round();
  PumpMessages();
  const Holdings before = Measure();
  for (int i = 0; i < 200; ++i) {
    round();
    if (i % 20 == 0) PumpMessages();
  }
  PumpMessages();
  const Holdings after = Measure();

  EXPECT_EQ(series.messages.messages.size(), 2u * 206);
  EXPECT_EQ(MarkerOf(window, 1), kCleared);
  EXPECT_LE(after.gdiObjects, before.gdiObjects + 4);
  EXPECT_LE(after.userObjects, before.userObjects + 4);
  EXPECT_LT(after.userSlot - before.userSlot, 100) << before.userSlot << " -> " << after.userSlot;
  EXPECT_LT(after.gdiSlot - before.gdiSlot, 100) << before.gdiSlot << " -> " << after.gdiSlot;
}

}  // namespace
}  // namespace sorvel::test
