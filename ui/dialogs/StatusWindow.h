// The installation status window: the status table in a grid, with the
// searched folder and the catalogue's date above it, and a print button.
// Created once, hidden, and shown modally after a fresh scan.
#pragma once

#include <functional>
#include <string>

#include "core/LauncherState.h"
#include "core/StatusTable.h"
#include "platform/win32/TextPrinter.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/Form.h"
#include "ui/controls/PushButton.h"
#include "ui/controls/StringGrid.h"
#include "ui/dialogs/ReadOnlyEdit.h"

namespace sorvel::ui {

class TfrmShow : public Form {
 public:
  struct Sources {
    // The main window's outer size at 96 DPI, as it is at the moment of
    // asking.
    std::function<SIZE()> mainWindowSize{};
    // The folder chooser's folder.
    std::function<std::string()> chooserFolder{};
    // Where printing goes; empty: the default printer.
    win32::TextPrinter::SurfaceSource printer{};
  };
  TfrmShow(const LauncherState& state, Sources sources);
  bool Create(HWND owner = nullptr);

  BevelPanel pnlDrive;
  ReadOnlyEdit edtLastUpdate;
  StringGrid stgSpec;
  PushButton btnClose;
  PushButton btnPrint;

 protected:
  void OnCreate() override;
  void OnShow() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void FormCreate();
  void FormShow();
  void btnCloseClick();
  void btnPrintClick();
  void PrintRows();

  const LauncherState& state_;
  Sources sources_;
  std::vector<StatusRow> table_;  // the header and the rows shown, as the core built them
  win32::TextPrinter printer_;
  bool shownBefore_ = false;
};

}  // namespace sorvel::ui
