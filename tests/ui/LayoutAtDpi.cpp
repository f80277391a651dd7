#include "tests/ui/LayoutAtDpi.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {
namespace {

using ui::ScaleToDpi;

Box Scaled(const Box& box, int dpi) {
  return {ScaleToDpi(box.left, dpi), ScaleToDpi(box.top, dpi), ScaleToDpi(box.width, dpi),
          ScaleToDpi(box.height, dpi)};
}

// A control's place at 96 DPI and the height of its font (0: not checked);
// an image, drawn by its host, has no font.
struct Placed {
  template <typename Control>
  Placed(const Control& control, Box box, int fontHeight)
      : name(control.Name()), at(BoxOf(control)), dpi(control.Dpi()), box(box) {
    if constexpr (requires { control.Handle(); }) {
      font = fontHeight ? FontHeightOf(control.Handle()) : 0;
      this->fontHeight = fontHeight;
    }
  }
  std::string name;
  Box at;
  int dpi;
  Box box;
  int font = 0, fontHeight = 0;
};

void ExpectPlaced(const std::vector<Placed>& layout, int dpi) {
  for (const Placed& placed : layout) {
    SCOPED_TRACE(placed.name + " at " + std::to_string(dpi) + " DPI");
    EXPECT_EQ(placed.at, Scaled(placed.box, dpi));
    EXPECT_EQ(placed.dpi, dpi);
    if (placed.fontHeight) {
      EXPECT_EQ(placed.font, ScaleToDpi(placed.fontHeight, dpi));
    }
  }
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof(info), &info);
  return {info.bmWidth, info.bmHeight};
}

int CursorWidth(HCURSOR cursor) {
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return 0;
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof(mask), &mask);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return mask.bmWidth;
}

// How wide the raised bevel is painted: the highlight's run at the panel's
// left edge, half way down.
int PaintedBevel(HWND panel) {
  const Picture painted = Picture::Printed(panel);
  int width = 0;
  while (painted.At(width, painted.Height() / 2) == GetSysColor(COLOR_BTNHIGHLIGHT)) ++width;
  return width;
}

}  // namespace

int FontHeightOf(HWND hwnd) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

void ExpectMainWindowAt(ui::TfrmMain& window, int dpi) {
  EXPECT_EQ(window.Dpi(), dpi);
  EXPECT_EQ(window.Width(), ScaleToDpi(640, dpi));
  EXPECT_EQ(window.Height(), ScaleToDpi(450, dpi));
  EXPECT_EQ(FontHeightOf(window.Handle()), ScaleToDpi(12, dpi));
  ExpectPlaced({{window.imgPict, {141, 9, 481, 401}, 0},
                {window.pnlMain, {8, 8, 129, 400}, 12},
                {window.Panel2, {20, 24, 90, 74}, 12},
                {window.imgPicture, {4, 4, 81, 65}, 0},
                {window.btnShow(), {8, 110, 113, 33}, 12},
                {window.btnChangeDrive(), {8, 160, 113, 33}, 12},
                {window.btnDownLoad(), {8, 218, 113, 35}, 12},
                {window.btnHelp(), {8, 284, 113, 33}, 12},
                {window.btnEnd(), {8, 352, 113, 33}, 12}},
               dpi);
  // The pictures as large as the DPI asks, the small one still stretched.
  const SIZE background = BitmapSize(window.imgPict.Bitmap());
  EXPECT_EQ(background.cx, ScaleToDpi(529, dpi));
  EXPECT_EQ(background.cy, ScaleToDpi(397, dpi));
  const SIZE small = BitmapSize(window.imgPicture.Bitmap());
  EXPECT_EQ(small.cx, ScaleToDpi(81, dpi));
  EXPECT_EQ(small.cy, ScaleToDpi(65, dpi));
  EXPECT_EQ(CursorWidth(window.ArrowCursor()), ScaleToDpi(32, dpi));
  EXPECT_EQ(CursorWidth(window.PointCursor()), ScaleToDpi(32, dpi));
  EXPECT_EQ(window.imgPicture.Cursor(), window.PointCursor());
}

void ExpectBoardAt(ui::TfrmMain& window, int dpi, int panelWidth,
                   const std::vector<int>& columnLefts) {
  const int count = window.Board().Count();
  for (int n = 1; n <= count; ++n) {
    SCOPED_TRACE("entry " + std::to_string(n) + " of " + std::to_string(count));
    ui::TitlePanel& panel = *window.Board().Panel(n);
    const Box box{columnLefts[(n - 1) / 6], (n - 1) % 6 * 53 + 50, panelWidth, 33};
    ExpectPlaced({{panel, box, 12}, {panel.Marker(), {0, 6, 25, 17}, 0}}, dpi);
    EXPECT_EQ(panel.Cursor(), window.ArrowCursor());
    if (panel.BevelWidth() == 3) {
      EXPECT_EQ(PaintedBevel(panel.Handle()), ScaleToDpi(3, dpi));
    }
  }
}

void ExpectChooserAt(const ui::TfrmChangeDrive& chooser, int dpi) {
  EXPECT_EQ(BoxOf(chooser), Scaled({113, 158, 687, 450}, dpi));
  EXPECT_EQ(FontHeightOf(chooser.Handle()), ScaleToDpi(12, dpi));
  ExpectPlaced({{chooser.Panel1, {32, 16, 473, 25}, 12},
                {chooser.dlbDrive, {232, 56, 273, 345}, 12},
                {chooser.btnOk, {64, 224, 97, 41}, 12},
                {chooser.btnCancel, {64, 312, 97, 41}, 12}},
               dpi);
  // The drive box stands where its layout says; its height is the system's.
  const Box box = BoxOf(chooser.dcbDrive);
  EXPECT_EQ((Box{box.left, box.top, box.width, 0}), Scaled({32, 56, 169, 0}, dpi));
  EXPECT_EQ(FontHeightOf(chooser.dcbDrive.Handle()), ScaleToDpi(12, dpi));
  for (const ui::Window* list : {static_cast<const ui::Window*>(&chooser.dcbDrive),
                                 static_cast<const ui::Window*>(&chooser.dlbDrive)}) {
    const UINT message = list == &chooser.dlbDrive ? LB_GETITEMHEIGHT : CB_GETITEMHEIGHT;
    EXPECT_EQ(SendMessageW(list->Handle(), message, 0, 0), ScaleToDpi(16, dpi)) << list->Name();
  }
}

void ExpectStatusWindowAt(const ui::TfrmShow& window, int dpi) {
  EXPECT_EQ(window.Width(), ScaleToDpi(640, dpi));
  EXPECT_EQ(window.Height(), ScaleToDpi(450, dpi));
  ExpectPlaced({{window.pnlDrive, {24, 8, 265, 25}, 16},
                {window.edtLastUpdate, {304, 8, 249, 20}, 12},
                {window.stgSpec, {24, 40, 580, 340}, 12},
                {window.btnClose, {64, 384, 41, 33}, 12},
                {window.btnPrint, {168, 384, 49, 33}, 12}},
               dpi);
  const std::vector<int> widths{155, 90, 30, 30, 70, 30, 165};
  for (int col = 0; col < 7; ++col) {
    EXPECT_EQ(window.stgSpec.ColWidth(col), ScaleToDpi(widths[col], dpi)) << "column " << col;
  }
  EXPECT_EQ(window.stgSpec.RowHeight(), ScaleToDpi(24, dpi));
}

std::optional<png::Image> DecodedRendering(const std::wstring& name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name.c_str(), RT_RCDATA);
  if (!found) return std::nullopt;
  return png::DecodeRgb(
      std::string_view(static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found)));
}

}  // namespace sorvel::test
