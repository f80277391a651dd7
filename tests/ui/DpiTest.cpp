// The layout at other DPIs, in-process under Wine at 96 DPI: the rounding
// rule, the renderings chosen for a DPI, and windows given another DPI by
// the system's message, as when they move to another monitor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bench/floor/Floor.h"
#include "platform/win32/Win32Platform.h"
#include "tests/support/StateBuilder.h"
#include "tests/support/win32/AccessibleView.h"
#include "tests/support/win32/EmfPrintRecorder.h"
#include "tests/ui/LayoutAtDpi.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::test {
namespace {

using ui::ScaleToDpi;

TEST(LayoutScale, RoundsToTheNearestPixelHalvesAwayFromZero) {
  struct Case {
    int value, dpi, pixels;
  };
  for (const Case& c :
       {Case{640, 96, 640}, Case{129, 144, 194}, Case{481, 144, 722}, Case{401, 144, 602},
        Case{12, 144, 18}, Case{1, 144, 2}, Case{-47, 144, -71}, Case{33, 120, 41}, Case{3, 120, 4},
        Case{155, 192, 310}, Case{25, 168, 44}, Case{0, 240, 0}}) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.pixels) << c.value << " at " << c.dpi;
  }
  EXPECT_EQ(ui::UnscaleFromDpi(194, 144), 129);
  EXPECT_EQ(ui::UnscaleFromDpi(675, 144), 450);
  EXPECT_EQ(ui::UnscaleFromDpi(961, 144), 641);
}

// ---------------------------------------------------------------------------
// The renderings of the pictures, the icon and the cursors.

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

TEST(Renderings, EachDpiDrawsFromTheSmallestRenderingAtLeastAsLarge) {
  struct Case {
    int dpi, percent;
    SIZE background, small;
  };
  for (const Case& c :
       {Case{72, 100, {397, 298}, {61, 49}}, Case{96, 100, {529, 397}, {81, 65}},
        Case{120, 150, {661, 496}, {101, 81}}, Case{144, 150, {794, 596}, {122, 98}},
        Case{168, 200, {926, 695}, {142, 114}}, Case{192, 200, {1058, 794}, {162, 130}},
        Case{240, 200, {1323, 993}, {203, 163}}}) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    EXPECT_EQ(ui::RenderingPercent(c.dpi), c.percent);
    for (const auto& [name, size] :
         {std::pair{L"BACKGROUND", c.background}, std::pair{L"SMALLPICTURE", c.small}}) {
      const win32::OwnedBitmap picture(ui::LoadPicture(name, c.dpi));
      ASSERT_TRUE(picture);
      EXPECT_EQ(SizeOf(picture.Get()).cx, size.cx);
      EXPECT_EQ(SizeOf(picture.Get()).cy, size.cy);
    }
  }
}

// How many of the sampled pixels of `picture` differ from the rendering's
// pixel at `scale` times their place by more than `tolerance` in a colour.
int SamplesUnlike(HBITMAP picture, const png::Image& rendering, double scale, int tolerance) {
  const win32::MemoryDc dc(win32::ScreenDc().Get());
  const win32::SelectedObject selected(dc.Get(), picture);
  const SIZE size = SizeOf(picture);
  int unlike = 0;
  for (int y = 0; y < size.cy; y += 37) {
    for (int x = 0; x < size.cx; x += 41) {
      const int rx = static_cast<int>(x * scale), ry = static_cast<int>(y * scale);
      const std::uint8_t* rgb = &rendering.rgb[(ry * rendering.width + rx) * 3];
      const COLORREF pixel = GetPixel(dc.Get(), x, y);
      unlike += std::abs(GetRValue(pixel) - rgb[0]) > tolerance ||
                std::abs(GetGValue(pixel) - rgb[1]) > tolerance ||
                std::abs(GetBValue(pixel) - rgb[2]) > tolerance;
    }
  }
  return unlike;
}

// Where a rendering fits exactly, the picture is that rendering, unscaled;
// the background, which has no 1.5x rendering, comes at 144 DPI from the 2x
// one scaled down (near each sampled pixel of it but at a few edges).
TEST(Renderings, AtTheirOwnDpiThePicturesAreTheRenderingsThemselves) {
  struct Case {
    const wchar_t* name;
    int dpi;
    const wchar_t* rendering;
    double scale;
    int tolerance, unlikeAtMost;
  };
  for (const Case& c : {Case{L"BACKGROUND", 192, L"BACKGROUND_200", 1, 0, 0},
                        Case{L"SMALLPICTURE", 144, L"SMALLPICTURE_150", 1, 0, 0},
                        Case{L"SMALLPICTURE", 192, L"SMALLPICTURE_200", 1, 0, 0},
                        Case{L"BACKGROUND", 144, L"BACKGROUND_200", 4.0 / 3, 12, 10}}) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    const auto rendering = DecodedRendering(c.rendering);
    ASSERT_TRUE(rendering);
    const win32::OwnedBitmap picture(ui::LoadPicture(c.name, c.dpi));
    ASSERT_TRUE(picture);
    EXPECT_LE(SamplesUnlike(picture.Get(), *rendering, c.scale, c.tolerance), c.unlikeAtMost);
  }
}

TEST(Renderings, IconAndCursorsComeAtTheSizeTheDpiAsksFor) {
  struct Case {
    int dpi, size, pointHotX;
  };
  for (const Case& c : {Case{96, 32, 6}, Case{120, 40, 7}, Case{144, 48, 9}, Case{192, 64, 12}}) {
    SCOPED_TRACE(std::to_string(c.dpi) + " DPI");
    const win32::OwnedIcon icon(ui::LoadIconAtDpi(L"MAINICON", c.dpi));
    ui::DpiCursor arrow, point;
    arrow.Load(L"Arrow1CSR", c.dpi);
    point.Load(L"PointCSR", c.dpi);
    for (const auto& [handle, hotX] : {std::pair{icon.Get(), 0}, std::pair{arrow.Get(), 0},
                                       std::pair{point.Get(), c.pointHotX}}) {
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(handle, &info));
      BITMAP mask{};
      GetObjectW(info.hbmMask, sizeof(mask), &mask);
      EXPECT_EQ(mask.bmWidth, c.size);
      if (handle != icon.Get()) {
        EXPECT_EQ(static_cast<int>(info.xHotspot), hotX);
      }
      DeleteObject(info.hbmMask);
      if (info.hbmColor) DeleteObject(info.hbmColor);
    }
  }
  // At 96 DPI the cursors are the shared ones, as the program has always had them.
  ui::DpiCursor arrow;
  arrow.Load(L"Arrow1CSR", 96);
  EXPECT_EQ(arrow.Get(), LoadCursorW(GetModuleHandleW(nullptr), L"Arrow1CSR"));
}

// ---------------------------------------------------------------------------
// The floor under the start-up (bench/floor): the launcher's windows drawn
// the plainest way must show, at 96 DPI, what the launcher shows, pixel for
// pixel, frame and caption included; else the benchmark's floor measures
// some other program.

// How many pixels of two pictures of the same size differ.
int PixelsUnlike(const Picture& a, const Picture& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height();
  int unlike = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) unlike += a.At(x, y) != b.At(x, y);
  }
  return unlike;
}

TEST(FloorPixels, TheFloorShowsWhatTheLauncherShowsAt96Dpi) {
  // The benchmark's boards: one panel, a full board, the catalogue's most;
  // an upper-case stem found as a lower-case file, and some not installed.
  struct Case {
    int entries, installedEvery;
  };
  for (const Case& c : {Case{1, 1}, Case{18, 3}, Case{50, 2}}) {
    SCOPED_TRACE(std::to_string(c.entries) + " entries");
    MainTestSeries series;
    std::vector<SeriesEntry> entries;
    for (int n = 1; n <= c.entries; ++n) {
      entries.push_back(
          {"単元 " + std::to_string(n) + " 方程式と不等式", "PROG" + std::to_string(n)});
      if (n % c.installedEvery == 0) {
        series.Install(L"U" + std::to_wstring(n), L"prog" + std::to_wstring(n) + L".exe");
      }
    }
    series.WriteCatalogue("数学シリーズ ランチャー", entries);
    const Picture launcher =
        SaveScreenshot(series.Open().Handle(), "floor_launcher_" + std::to_string(c.entries));
    series.Close();

    const HWND plain = floor::OpenFloor(series.home, {.endsProgram = false});
    ASSERT_NE(plain, nullptr);
    PumpMessages();
    const Picture shown = SaveScreenshot(plain, "floor_" + std::to_string(c.entries));
    DestroyWindow(plain);
    EXPECT_EQ(shown.Width(), 640);
    EXPECT_EQ(PixelsUnlike(launcher, shown), 0);
  }
}

// ---------------------------------------------------------------------------
// A window moved to a monitor of another DPI.

// The message of the system, suggesting the window's place scaled to `dpi`.
void ChangeDpi(ui::Window& window, int dpi) {
  const RECT now = window.Bounds();
  const auto scaled = [&](LONG pixels) {
    return ScaleToDpi(ui::UnscaleFromDpi(pixels, window.Dpi()), dpi);
  };
  RECT suggested{scaled(now.left), scaled(now.top), 0, 0};
  suggested.right = suggested.left + scaled(now.right - now.left);
  suggested.bottom = suggested.top + scaled(now.bottom - now.top);
  SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

// What the user may have done to the window, which a DPI change must keep.
struct MainState {
  HWND focus;
  std::vector<int> bevels;
  std::vector<COLORREF> colours;
  std::vector<bool> enabled;
  bool operator==(const MainState&) const = default;
};

MainState StateOf(ui::TfrmMain& window) {
  MainState state{GetFocus(), {}, {}, {}};
  for (int n = 1; n <= window.Board().Count(); ++n) {
    state.bevels.push_back(window.Board().Panel(n)->BevelWidth());
    state.colours.push_back(window.Board().Panel(n)->FontColor());
    state.enabled.push_back(window.Board().Panel(n)->Enabled());
  }
  return state;
}

// The pictures as their hosts paint them: the bitmap for the DPI pixel for
// pixel from the picture's corner, the host's face where the bitmap ends.
int PixelsUnlikeThePicture(const ui::ImageControl& picture) {
  const Picture painted = Picture::Printed(picture.Host());
  const win32::MemoryDc dc(win32::ScreenDc().Get());
  const win32::SelectedObject selected(dc.Get(), picture.Bitmap());
  const SIZE size = SizeOf(picture.Bitmap());
  const RECT place = picture.Bounds();
  int unlike = 0;
  for (int y = place.top; y < place.bottom; y += 3) {
    for (int x = place.left; x < place.right; x += 3) {
      const bool inside = x - place.left < size.cx && y - place.top < size.cy;
      const COLORREF wanted =
          inside ? GetPixel(dc.Get(), x - place.left, y - place.top) : GetSysColor(COLOR_BTNFACE);
      unlike += painted.At(x, y) != wanted;
    }
  }
  return unlike;
}

TEST(DpiChange, TheMainWindowLaysItselfOutAgainAndKeepsItsState) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(8));
  series.Install(L"PROG2", L"prog2.exe");
  ui::TfrmMain& window = series.Open();
  ASSERT_TRUE(window.Board().Panel(2)->Enabled());
  Click(window.Board().Panel(2)->Handle(), 100, 15);  // pressed until the next repaint
  SetFocus(window.btnHelp().Handle());
  const MainState before = StateOf(window);
  ASSERT_EQ(before.bevels[1], 1);

  for (int dpi : {144, 192, 96}) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    ChangeDpi(window, dpi);
    ExpectMainWindowAt(window, dpi);
    ExpectBoardAt(window, dpi, 187, {196, 393});
    EXPECT_EQ(StateOf(window), before);
    EXPECT_EQ(PixelsUnlikeThePicture(window.imgPict), 0);
    EXPECT_EQ(PixelsUnlikeThePicture(window.imgPicture), 0);
  }
  series.Records(L"PROG2");
}

// The focus cue keeps its distance from the panel's edge, inside the bevel
// that has grown with the DPI.
TEST(DpiChange, TheFocusCueStaysInsideTheBevel) {
  MainTestSeries series;
  series.WriteCatalogue("Series", NumberedEntries(6));
  series.Install(L"PROG1", L"prog1.exe");
  ui::TfrmMain& window = series.Open();
  const HWND panel = window.Board().Panel(1)->Handle();
  SetFocus(panel);
  ASSERT_EQ(GetFocus(), panel);
  for (int dpi : {144, 192, 96}) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    ChangeDpi(window, dpi);
    const Picture painted = Picture::Printed(panel);
    const int top = ScaleToDpi(ui::kTitleBoard.focusCueInset, dpi);
    const RECT row{30, top, painted.Width() - 30, top + 1};
    EXPECT_GT((row.right - row.left) - painted.Count(GetSysColor(COLOR_BTNFACE), row), 40);
  }
}

TEST(DpiChange, TheDialogsLayThemselvesOutAgainAndPrintAtTheSameSize) {
  MainTestSeries series;
  win32::Win32Platform platform;
  ui::TfrmChangeDrive chooser(platform, Cp932(series.home) + "\\");
  ASSERT_TRUE(chooser.Create());
  LauncherState state;
  AddEntry(state, {"代数 I", "algebra1", "1.3", "key"});
  PrintLog log;
  ui::TfrmShow status(state,
                      {.mainWindowSize =
                           [] {
                             return SIZE{640, 450};
                           },
                       .chooserFolder = [] { return std::string("C:\\"); },
                       .printer =
                           [&log] {
                             return std::make_unique<EmfPrintRecorder>(log, SIZE{4000, 6000});
                           }});
  ASSERT_TRUE(status.Create());

  for (int dpi : {144, 96}) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    ChangeDpi(chooser, dpi);
    ChangeDpi(status, dpi);
    ExpectChooserAt(chooser, dpi);
    ExpectStatusWindowAt(status, dpi);
    // A screen reader finds a cell where the grid shows it at this DPI.
    const AccessibleView cell = ViewAccessible(status.stgSpec.Handle(), {2, 2});
    EXPECT_EQ(cell.location.right - cell.location.left,
              ScaleToDpi(ui::kStatusWindow.columnWidths[1], dpi));
    EXPECT_EQ(cell.location.bottom - cell.location.top,
              ScaleToDpi(ui::kStatusWindow.rowHeight, dpi));
    // The grid's font keeps its nine points on paper.
    Click(status.btnPrint.Handle());
    ASSERT_FALSE(log.pages.empty());
    EXPECT_EQ(log.pages.back().fonts.back().lfHeight, -12);
  }
}

}  // namespace
}  // namespace sorvel::test
