// The main window: the background picture, the side panel with the small
// picture and the command buttons, and the board of title panels, one per
// catalogue entry. It owns the launcher state for the whole run.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/LauncherContext.h"
#include "core/LauncherState.h"
#include "core/Messages.h"
#include "core/ScanListener.h"
#include "platform/Platform.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/Form.h"
#include "ui/controls/GlyphButton.h"
#include "ui/controls/ImageControl.h"
#include "ui/main/ShellServices.h"

namespace sorvel::ui {

class TfrmShow;
class TfrmChangeDrive;

// Font colours of the title panels (0x00BBGGRR).
constexpr COLORREF kTitleBlue = RGB(0, 0, 255);       // created, pressed
constexpr COLORREF kTitleGreen = RGB(0, 128, 0);      // installed
constexpr COLORREF kTitleWhite = RGB(255, 255, 255);  // missing

// Names of the title panels and their marker images.
std::string TitlePanelName(int n);   // "Btn" + n
std::string MarkerImageName(int n);  // "Img" + n
// The entry number a title panel's name stands for: every digit after
// "Btn", so Btn7 is 7 and Btn123 is 123; 0 when there is none.
int EntryNumberOfPanel(const std::string& name);

class TfrmMain : public Form, public ScanListener {
 public:
  // Errors escaping any window's handler are shown by `messages` from now on.
  TfrmMain(Platform& platform, Messages& messages);
  ~TfrmMain() override;

  // Creates the window, which runs FormCreate, and then shows it (FormShow,
  // centred on the screen), as the application creates its main window.
  bool Create();

  LauncherState& State() { return state_; }
  LauncherContext& Context() { return context_; }

  // The status window and the folder chooser, created after this window;
  // the details and browse commands show them. Not owned.
  void AttachDialogs(TfrmShow* show, TfrmChangeDrive* chooser);
  // The shell, help and icon services (the system's by default).
  void SetShellServices(ShellServices services) { shell_ = std::move(services); }

  // The folder the details command scans: the chooser's folder, or the
  // parent of the home folder, where the chooser opens, while none is attached.
  std::string ChooserFolder() const;

  // Event handlers.
  void FormCreate();
  void FormShow();
  void FormPaint();
  void TitlePanelClick(BevelPanel& panel);
  void TitlePanelMouseMove(BevelPanel& panel);
  void imgPictMouseMove();
  void imgPictureMouseMove();
  void imgPictureClick();
  void btnShowClick();
  void btnChangeDriveClick();
  void btnDownLoadClick();
  void btnHelpClick();
  void btnCloseClick();

  // Creates one title panel per catalogue entry; runs once.
  void BuildTitleBoard();

  // The scan's listener.
  void SetEntryInstalled(int n, bool installed) override;
  void LoadEntryIcon(int n) override;

  // Looks the title panel and the marker image of entry n up by name.
  BevelPanel* TitlePanel(int n);
  ImageControl* MarkerImage(int n);

  // The hover marker of entry n: the handle of the program icon the last
  // scan with icons loaded (0: none), and whether the marker is ready to
  // show the launcher's icon at the next hover. Every scan resets both.
  IconHandle MarkerIcon(int n) const;
  bool MarkerSet(int n) const;
  // Whether the title panels and the side panel's buttons are shown.
  bool MenuShown() const { return menuShown_; }

  // The custom cursors, registered at creation.
  HCURSOR ArrowCursor() const { return arrowCursor_; }
  HCURSOR PointCursor() const { return pointCursor_; }

  // The window's controls.
  ImageControl imgPict;
  BevelPanel pnlMain;
  GlyphButton btnShow;
  GlyphButton btnEnd;
  GlyphButton btnChangeDrive;
  GlyphButton btnDownLoad;
  BevelPanel Panel2;
  ImageControl imgPicture;
  GlyphButton btnHelp;
  GlyphButton btnDummy;
  ImageControl imgDummy;

 protected:
  void OnCreate() override;
  void OnShow() override;
  void Paint(HDC dc, const RECT& client) override;
  bool PaintsItself() const override { return true; }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct TitleSlot {
    std::unique_ptr<BevelPanel> panel;
    std::unique_ptr<ImageControl> marker;  // destroyed before its panel
    IconHandle markerIcon = 0;
    bool markerSet = false;
  };

  void CreateControls();
  void CreateSidePanel();
  void AddTitlePanel(int n, int left, int top);
  // One scan of `path`, under the busy cursor.
  void Scan(const std::string& path, bool withIcons);
  // The launcher's own icon for a marker image, a copy the image owns.
  HICON CopyOfLauncherIcon() const;

  LauncherState state_;
  LauncherContext context_;
  HCURSOR arrowCursor_ = nullptr;
  HCURSOR pointCursor_ = nullptr;
  HICON launcherIcon_ = nullptr;  // the application's main icon, loaded once
  ShellServices shell_ = SystemShellServices();
  TfrmShow* frmShow_ = nullptr;
  TfrmChangeDrive* frmChangeDrive_ = nullptr;
  bool boardBuilt_ = false;
  bool menuShown_ = true;
  bool centred_ = false;
  bool endsProgram_ = true;  // closing the window ends the event loop
  HWND focus_ = nullptr;     // the control that had the focus when deactivated
  std::vector<TitleSlot> titles_;
};

}  // namespace sorvel::ui
