#include "ui/dialogs/StatusWindow.h"

#include <utility>

#include "core/UserTexts.h"
#include "platform/win32/Encoding.h"
#include "ui/Layout.h"

namespace sorvel::ui {
namespace {

// Face (CP932) and size in points of a font made for a window at `dpi`, for
// the printer: the size it has on the screen, wherever the window stands.
std::pair<std::string, int> FontFaceAndPoints(HFONT font, int dpi) {
  LOGFONTW logFont{};
  GetObjectW(font, sizeof(logFont), &logFont);
  const int height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  return {win32::WideToCp932(logFont.lfFaceName).value_or(std::string()), MulDiv(height, 72, dpi)};
}

}  // namespace

TfrmShow::TfrmShow(const LauncherState& state, Sources sources)
    : state_(state),
      sources_(std::move(sources)),
      printer_(sources_.printer ? sources_.printer
                                : win32::TextPrinter::SurfaceSource(win32::OpenDefaultPrinter)) {}

bool TfrmShow::Create(HWND owner) {
  return CreateForm({.className = L"SorvelShow",
                     .name = "frmShow",
                     .place = {CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height},
                     .owner = owner});
}

void TfrmShow::OnCreate() {
  CreateControls();
  FormCreate();
}

// The grid comes first in the focus order, the read-only field last.
void TfrmShow::CreateControls() {
  const StatusWindowLayout& layout = kStatusWindow;
  const HWND self = Handle();
  const HFONT font = FormFont();
  pnlDrive.Create({.parent = self,
                   .name = "pnlDrive",
                   .place = layout.pnlDrive,
                   .font = FormFont(layout.drivePanelFontHeight)},
                  {.fontColor = RGB(0, 0, 0)});
  stgSpec.Create({.parent = self, .name = "stgSpec", .place = layout.stgSpec, .font = font},
                 {.colCount = kStatusColumns, .rowCount = 2, .rowHeight = layout.rowHeight});
  btnClose.Create({.parent = self,
                   .name = "btnClose",
                   .text = texts::kCloseButton,
                   .place = layout.btnClose,
                   .font = font},
                  {.onClick = [this] { btnCloseClick(); }});
  btnPrint.Create({.parent = self,
                   .name = "btnPrint",
                   .text = texts::kPrintButton,
                   .place = layout.btnPrint,
                   .font = font},
                  {.onClick = [this] { btnPrintClick(); }});
  edtLastUpdate.Create(
      {.parent = self, .name = "edtLastUpdate", .place = layout.edtLastUpdate, .font = font});
  pnlDrive.SetAccessibleName(texts::kSearchedFolderName);
  stgSpec.SetAccessibleName(texts::kStatusGridName);
  edtLastUpdate.SetAccessibleName(texts::kLastUpdateName);
}

void TfrmShow::FormCreate() {
  const StatusWindowLayout& layout = kStatusWindow;
  const SIZE main = sources_.mainWindowSize();
  SetBounds({0, 0, main.cx, main.cy});
  stgSpec.SetBounds({layout.stgSpec.left, layout.stgSpec.top, main.cx - layout.gridWidthMargin,
                     main.cy - layout.gridHeightMargin});
  table_ = {BuildStatusHeader()};
  for (int col = 0; col < kStatusColumns; ++col) {
    stgSpec.SetCell(col, 0, table_[0][col]);
    stgSpec.SetColWidth(col, layout.columnWidths[col]);
  }
}

void TfrmShow::OnShow() {
  FormShow();
  // Centred at the first showing only; later showings keep the place where
  // the window was last closed.
  if (!shownBefore_) CenterOnScreen();
  shownBefore_ = true;
}

void TfrmShow::FormShow() {
  edtLastUpdate.SetText(state_.lastUpdate);
  const SIZE main = sources_.mainWindowSize();
  SetSize(main.cx, main.cy);
  pnlDrive.SetText(sources_.chooserFolder());
  const std::vector<StatusRow> rows = BuildStatusRows(state_);
  table_.resize(1);
  table_.insert(table_.end(), rows.begin(), rows.end());
  stgSpec.SetRowCount(static_cast<int>(table_.size()));
  for (int row = 1; row < static_cast<int>(table_.size()); ++row) {
    const StatusRow& cells = table_[static_cast<std::size_t>(row)];
    for (int col = 0; col < kStatusColumns; ++col) {
      stgSpec.SetCell(col, row, col < static_cast<int>(cells.size()) ? cells[col] : "");
    }
  }
}

void TfrmShow::btnCloseClick() { SetModalResult(kModalOk); }

void TfrmShow::btnPrintClick() {
  // A print the user cancelled asks for nothing, not even a word.
  if (!printer_.Open()) return;
  try {
    PrintRows();
    printer_.Close();
  } catch (...) {
    // A failed job is given up, so the next request is not refused as
    // "still printing".
    printer_.Abort();
    throw;
  }
}

void TfrmShow::PrintRows() {
  const auto [face, points] = FontFaceAndPoints(stgSpec.Font(), stgSpec.Dpi());
  printer_.SetFont(face, points);
  // The rows the core built, not cells read back from the grid.
  for (const StatusRow& row : table_) printer_.PrintLine(PrintLine(row));
}

LRESULT TfrmShow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      // The read-only field keeps the white of an edit field.
      if (reinterpret_cast<HWND>(lParam) == edtLastUpdate.Handle()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      break;
  }
  return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
