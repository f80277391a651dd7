#include "ui/dialogs/StatusWindow.h"

#include <utility>

#include "platform/win32/Encoding.h"

namespace sorvel::ui {
namespace {

constexpr int kColumnWidths[kStatusColumns] = {155, 90, 30, 30, 70, 30, 165};

// Face (CP932) and size in points of a screen font, for the printer.
std::pair<std::string, int> FontFaceAndPoints(HFONT font) {
  LOGFONTW logFont{};
  GetObjectW(font, sizeof(logFont), &logFont);
  HDC screen = GetDC(nullptr);
  const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int height = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
  return {win32::WideToCp932(logFont.lfFaceName).value_or(std::string()),
          MulDiv(height, 72, pixelsPerInch)};
}

}  // namespace

TfrmShow::TfrmShow(const LauncherState& state, Sources sources)
    : state_(state),
      sources_(std::move(sources)),
      printer_(sources_.printer ? sources_.printer
                                : win32::TextPrinter::SurfaceSource(win32::OpenDefaultPrinter)) {}

bool TfrmShow::Create(HWND owner) {
  Args args;
  args.className = L"SorvelShow";
  args.name = "frmShow";
  args.width = 640;
  args.height = 450;
  args.owner = owner;
  return CreateForm(args);
}

void TfrmShow::OnCreate() {
  CreateControls();
  FormCreate();
}

// The grid comes first in the focus order, the read-only field last.
void TfrmShow::CreateControls() {
  HWND self = Handle();
  HFONT font = FormFont(12);

  BevelPanel::Args panel;
  panel.parent = self;
  panel.name = "pnlDrive";
  panel.left = 24;
  panel.top = 8;
  panel.width = 265;
  panel.height = 25;
  panel.font = FormFont(16);
  panel.fontColor = RGB(0, 0, 0);
  pnlDrive.Create(panel);

  StringGrid::Args grid;
  grid.name = "stgSpec";
  grid.parent = self;
  grid.left = 24;
  grid.top = 40;
  grid.colCount = kStatusColumns;
  grid.rowCount = 2;
  grid.rowHeight = 24;
  stgSpec.CreateGrid(grid);
  stgSpec.SetFont(font);

  CreateButton(btnClose, self, "btnClose", "閉じる", {64, 384, 41, 33},
               [this] { btnCloseClick(); });
  CreateButton(btnPrint, self, "btnPrint", "印刷", {168, 384, 49, 33}, [this] { btnPrintClick(); });

  ReadOnlyEdit::Args edit;
  edit.parent = self;
  edit.name = "edtLastUpdate";
  edit.left = 304;
  edit.top = 8;
  edit.width = 249;
  edit.height = 20;
  edit.font = font;
  edtLastUpdate.Create(edit);
}

void TfrmShow::FormCreate() {
  const SIZE main = sources_.mainWindowSize();
  SetBounds(0, 0, main.cx, main.cy);
  const RECT grid = stgSpec.Bounds();
  stgSpec.SetBounds(grid.left, grid.top, main.cx - 60, main.cy - 110);
  table_ = {BuildStatusHeader()};
  for (int col = 0; col < kStatusColumns; ++col) stgSpec.SetCell(col, 0, table_[0][col]);
  for (int col = 0; col < kStatusColumns; ++col) stgSpec.SetColWidth(col, kColumnWidths[col]);
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
  SetWindowPos(Handle(), nullptr, 0, 0, main.cx, main.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  printer_.Open();
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
  const auto [face, points] = FontFaceAndPoints(stgSpec.Font());
  printer_.SetFont(face, points);
  // The rows the core built, not cells read back from the grid.
  for (const StatusRow& row : table_) printer_.PrintLine(PrintLine(row));
}

LRESULT TfrmShow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (focus_.OnActivate(Handle(), wParam)) return 0;
      break;
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
