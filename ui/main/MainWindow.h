// The main window: the background picture, the side panel with the small
// picture and the command buttons, and the title board. It owns the
// launcher state for the whole run.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/LauncherContext.h"
#include "core/LauncherState.h"
#include "core/Messages.h"
#include "platform/Platform.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/Form.h"
#include "ui/controls/ImageControl.h"
#include "ui/controls/PushButton.h"
#include "ui/main/ImageHost.h"
#include "ui/main/MainDialogs.h"
#include "ui/main/PicturePanel.h"
#include "ui/main/ShellServices.h"
#include "ui/main/TitleBoard.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::ui {

class TfrmMain : public Form, public ImageHost {
 public:
  // Errors escaping any window's handler are shown by `messages` from now on.
  TfrmMain(Platform& platform, Messages& messages);
  ~TfrmMain() override;

  // Creates the window, which runs FormCreate, and then shows it (FormShow,
  // centred on the screen), as the application creates its main window.
  // False when the window could not be made.
  bool Create();

  LauncherState& State() { return state_; }
  LauncherContext& Context() { return context_; }
  TitleBoard& Board() { return board_; }

  // The status window and the folder chooser that the details and browse
  // commands show: made at their first use unless attached here (not owned).
  void AttachDialogs(TfrmShow* show, TfrmChangeDrive* chooser);
  // The start-up's last step: the current directory moves to where the
  // chooser opens, the parent of the home folder.
  void EnterChooserFolder() { dialogs_.EnterChooserFolder(); }
  // The shell, help and icon services (the system's by default).
  void SetShellServices(ShellServices services) { shell_ = std::move(services); }

  // The folder the details command scans: the chooser's folder, or the
  // parent of the home folder, where the chooser opens, before it is made.
  std::string ChooserFolder() const;

  // Event handlers.
  void FormCreate();
  void FormShow();
  void FormPaint();
  void imgPictMouseMove();
  void imgPictureMouseMove();
  void imgPictureClick();
  void btnShowClick();
  void btnChangeDriveClick();
  void btnDownLoadClick();
  void btnHelpClick();
  void btnCloseClick();

  // Creates the title board, one panel per catalogue entry; runs once.
  void BuildTitleBoard();

  // The custom cursors, registered at creation.
  HCURSOR ArrowCursor() const { return arrowCursor_.Get(); }
  HCURSOR PointCursor() const { return pointCursor_.Get(); }

  // The side panel's buttons, one row each in MainWindow.cpp; the five
  // commands by name.
  PushButton& btnShow();
  PushButton& btnEnd();
  PushButton& btnChangeDrive();
  PushButton& btnDownLoad();
  PushButton& btnHelp();

  // The window's controls; the side panel's buttons are above, the title
  // panels the board's.
  ImageControl imgPict;
  BevelPanel pnlMain;
  PicturePanel Panel2;
  ImageControl imgPicture;  // in Panel2

 protected:
  void OnCreate() override;
  void OnShow() override;
  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnDpiChanged() override;

 private:
  void CreateControls();
  void CreateSidePanel();
  void CreateSideButtons();
  void OrderSideFocus();
  // The pictures and the cursors at the window's DPI, the cursors shown by
  // the controls before the ones they replace are given back.
  void LoadPictures();
  // One scan of `path`, under the busy cursor.
  void Scan(const std::string& path, bool withIcons);
  HWND FirstFocus() const override;
  // One button for each row of the side panel's table, in its order.
  std::span<PushButton> SideButtons() const;

  std::unique_ptr<PushButton[]> sideButtons_;
  LauncherState state_;
  LauncherContext context_;
  ShellServices shell_ = SystemShellServices();
  TitleBoard board_;
  DpiCursor arrowCursor_;
  DpiCursor pointCursor_;
  MainDialogs dialogs_;
  bool centred_ = false;
  bool endsProgram_ = true;  // closing the window ends the event loop
};

}  // namespace sorvel::ui
