#include "ui/main/MainWindow.h"

#include <oleacc.h>

#include <initializer_list>
#include <utility>

#include "core/InstallationScan.h"
#include "core/StartUp.h"
#include "core/UserTexts.h"
#include "ui/Layout.h"
#include "ui/StartupSteps.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/BusyCursor.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::ui {

TfrmMain::TfrmMain(Platform& platform, Messages& messages)
    : context_{platform, messages, state_, &board_},
      board_(context_, shell_),
      dialogs_(platform, state_) {
  SetErrorReporter([&messages](const std::string& text) { messages.ShowError(text); });
}

TfrmMain::~TfrmMain() {
  // Tearing the object down is not the user closing the window.
  endsProgram_ = false;
  SetErrorReporter(nullptr);
}

void TfrmMain::AttachDialogs(TfrmShow* show, TfrmChangeDrive* chooser) {
  dialogs_.Attach(show, chooser);
}

std::string TfrmMain::ChooserFolder() const { return dialogs_.ChooserFolder(); }

bool TfrmMain::Create() {
  if (!CreateForm(
          {.className = L"SorvelMainWindow",
           .name = "frmMain",
           .caption = texts::kApplicationTitle,
           .place = {CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height}})) {
    return false;
  }
  Show();
  SetFocus(btnShow.Handle());
  MarkStep("main window shown");
  return true;
}

// ---------------------------------------------------------------------------
// Creation and showing.

void TfrmMain::OnCreate() {
  MarkStep("main window");
  CreateControls();
  MarkStep("side panel");
  FormCreate();
}

void TfrmMain::CreateControls() {
  imgPict.Create({.parent = Handle(), .name = "imgPict", .place = kMainWindow.imgPict},
                 {.onMouseMove = [this](int, int) { imgPictMouseMove(); },
                  .accessibility = AccessibleTraits{.role = ROLE_SYSTEM_GRAPHIC}});
  HostImage(imgPict);
  CreateSidePanel();
}

void TfrmMain::CreateSidePanel() {
  const MainWindowLayout& layout = kMainWindow;
  pnlMain.Create(
      {.parent = Handle(), .name = "pnlMain", .place = layout.pnlMain, .font = FormFont()},
      {.alignment = CaptionAlignment::Left});
  CreateSideButtons();
  Panel2.Create(
      {.parent = pnlMain.Handle(), .name = "Panel2", .place = layout.Panel2, .font = FormFont()},
      {.bevelOuter = Bevel::Lowered,
       .bevelWidth = layout.frameBevelWidth,
       .borderWidth = layout.frameBorderWidth});
  Panel2.Frame(imgPicture, {.name = "imgPicture", .place = layout.imgPicture},
               {.stretch = true,
                .onClick = [this] { imgPictureClick(); },
                .onMouseMove = [this](int, int) { imgPictureMouseMove(); },
                .accessibility = AccessibleTraits{.name = texts::kMenuToggleName,
                                                  .role = ROLE_SYSTEM_PUSHBUTTON}});

  // The focus follows the order of the siblings: btnShow, btnEnd,
  // btnChangeDrive, btnDownLoad, Panel2, btnHelp.
  HWND after = HWND_TOP;
  for (Window* control : std::initializer_list<Window*>{&btnShow, &btnEnd, &btnChangeDrive,
                                                        &btnDownLoad, &Panel2, &btnHelp}) {
    SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control->Handle();
  }
}

void TfrmMain::CreateSideButtons() {
  const MainWindowLayout& layout = kMainWindow;
  const struct {
    GlyphButton& button;
    const char* name;
    const char* caption;
    const Place& place;
    void (TfrmMain::*handler)();
  } buttons[] = {
      {btnShow, "btnShow", texts::kShowButton, layout.btnShow, &TfrmMain::btnShowClick},
      {btnEnd, "btnEnd", texts::kEndButton, layout.btnEnd, &TfrmMain::btnCloseClick},
      {btnChangeDrive, "btnChangeDrive", texts::kChangeDriveButton, layout.btnChangeDrive,
       &TfrmMain::btnChangeDriveClick},
      {btnDownLoad, "btnDownLoad", texts::kDownLoadButton, layout.btnDownLoad,
       &TfrmMain::btnDownLoadClick},
      {btnHelp, "btnHelp", texts::kHelpButton, layout.btnHelp, &TfrmMain::btnHelpClick},
  };
  for (const auto& b : buttons) {
    b.button.Create({.parent = pnlMain.Handle(),
                     .name = b.name,
                     .text = b.caption,
                     .place = b.place,
                     .font = FormFont()},
                    {.onClick = [this, handler = b.handler] { (this->*handler)(); }});
  }
}

void TfrmMain::FormCreate() {
  SetSize(kMainWindow.width, kMainWindow.height);
  LoadPictures();
  MarkStep("pictures");

  const Place& side = kMainWindow.pnlMain;
  pnlMain.SetBounds({side.left, side.top, side.width, LayoutSize().cy - kMainWindow.sidePanelGap});

  // The catalogue, the title board and the first scan, under the guard of
  // the creation handler: an error skips the steps after it and is shown in
  // the error box.
  BusyCursor busy;
  LoadCatalogueAtStartUp(context_);
  MarkStep("catalogue");
  BuildTitleBoard();
  MarkStep("title board");
  ScanAtStartUp(context_);
  MarkStep("first scan");
}

void TfrmMain::BuildTitleBoard() { board_.Build(Handle(), arrowCursor_.Get(), Dpi()); }

void TfrmMain::LoadPictures() {
  imgPict.SetBitmap(LoadPicture(L"BACKGROUND", Dpi()));
  imgPicture.SetBitmap(LoadPicture(L"SMALLPICTURE", Dpi()));
  DpiCursor arrow, point;
  arrow.Load(L"Arrow1CSR", Dpi());
  point.Load(L"PointCSR", Dpi());
  imgPicture.SetCursor(point.Get());
  board_.FollowDpi(Dpi(), arrow.Get());
  arrowCursor_ = std::move(arrow);
  pointCursor_ = std::move(point);
}

// The pictures, the cursors and the launcher's icon as the new DPI asks for
// them; the controls have taken their places already.
void TfrmMain::OnDpiChanged() { LoadPictures(); }

void TfrmMain::OnShow() {
  FormShow();
  if (!centred_) {
    CenterOnScreen();
    centred_ = true;
  }
}

void TfrmMain::FormShow() { SetText(state_.caption); }

void TfrmMain::Scan(const std::string& path, bool withIcons) {
  BusyCursor busy;
  ScanFolder(context_, path, withIcons);
}

// ---------------------------------------------------------------------------
// Painting and the pictures.

// Every repaint of the window's surface, the background picture's too,
// gives every title panel its raised look again.
void TfrmMain::FormPaint() { board_.RaisePanels(); }

// Paints only: a snapshot through WM_PRINTCLIENT changes nothing.
void TfrmMain::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  PaintImages(dc);
}

// Over either picture, markers that show the launcher's icon are cleared.
void TfrmMain::imgPictMouseMove() { board_.ClearLauncherMarkers(); }

void TfrmMain::imgPictureMouseMove() { imgPictMouseMove(); }

// The small picture hides or shows the menu and rescans with icons.
void TfrmMain::imgPictureClick() {
  board_.SetMenuShown(!board_.MenuShown());
  for (GlyphButton* button : {&btnShow, &btnChangeDrive, &btnDownLoad, &btnHelp, &btnEnd}) {
    button->SetVisible(board_.MenuShown());
  }
  // Always the series' folder, also on a CD-ROM (a root is its own parent).
  Scan(SeriesFolder(state_), true);
}

// ---------------------------------------------------------------------------
// The side panel's commands.

void TfrmMain::btnShowClick() {
  state_.ClearMatchCounts();
  Scan(ChooserFolder(), false);
  if (TfrmShow* show = dialogs_.Status(Handle(), [this] { return LayoutSize(); })) {
    show->ShowModal();
  }
}

void TfrmMain::btnChangeDriveClick() {
  TfrmChangeDrive* chooser = dialogs_.Chooser(Handle());
  if (!chooser) return;
  // Cancel keeps the chooser where the user left it, without a scan.
  if (chooser->ShowModal() == kModalOk) Scan(chooser->Folder(), false);
}

void TfrmMain::btnDownLoadClick() {
  // A missing page or a shell that refuses it gives no message.
  shell_.open(Handle(), state_.homeFolder + "index.htm", shell_.windowsDirectory(), SW_SHOW);
}

void TfrmMain::btnHelpClick() {
  // The help file's bare name is found in the home folder, wherever a
  // launch, a scan or the chooser left the current directory.
  context_.platform.ChangeDirectory(state_.homeFolder);
  shell_.helpContents(Handle(), kHelpFileName);
}

void TfrmMain::btnCloseClick() { Close(); }

// Gives the focus back to the control that had it, btnShow at first; true
// when it did, so the window itself does not take the focus.
bool TfrmMain::OnActivate(WPARAM wParam) { return RestoreFocus(wParam, focus_, btnShow.Handle()); }

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; OnImageMessage(Handle(), message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ACTIVATE:
      if (OnActivate(wParam)) return 0;
      break;
    case WM_PAINT:
      FormPaint();
      break;
    case WM_DESTROY:
      // The main window: closing it ends the event loop and the program.
      if (endsProgram_) PostQuitMessage(0);
      break;
  }
  return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
