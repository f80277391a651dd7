#include "ui/main/MainWindow.h"

#include <oleacc.h>

#include <iterator>
#include <string_view>
#include <utility>

#include "core/HelpFile.h"
#include "core/InstallationScan.h"
#include "core/StartUp.h"
#include "core/UserTexts.h"
#include "ui/Layout.h"
#include "ui/StartupSteps.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/BusyCursor.h"
#include "ui/main/WindowMessages.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::ui {

namespace {

// The side panel's buttons. A button is a row here, its handler and its
// place in Layout.h; `focus` is its stop in the Tab order, in which the
// small picture's frame takes kPictureFocus.
struct SideButton {
  const char* name;
  const char* caption;
  Place MainWindowLayout::*place;
  void (*handler)(TfrmMain&);
  int focus;
};

constexpr int kPictureFocus = 4;

constexpr SideButton kSideButtons[] = {
    {"btnShow", texts::kShowButton, &MainWindowLayout::btnShow,
     [](TfrmMain& window) { window.btnShowClick(); }, 0},
    {"btnEnd", texts::kEndButton, &MainWindowLayout::btnEnd,
     [](TfrmMain& window) { window.btnCloseClick(); }, 1},
    {"btnChangeDrive", texts::kChangeDriveButton, &MainWindowLayout::btnChangeDrive,
     [](TfrmMain& window) { window.btnChangeDriveClick(); }, 2},
    {"btnDownLoad", texts::kDownLoadButton, &MainWindowLayout::btnDownLoad,
     [](TfrmMain& window) { window.btnDownLoadClick(); }, 3},
    {"btnHelp", texts::kHelpButton, &MainWindowLayout::btnHelp,
     [](TfrmMain& window) { window.btnHelpClick(); }, 5},
};
constexpr std::size_t kSideButtonCount = std::size(kSideButtons);

// Every stop of the Tab order, 0 up to one past the buttons, is taken once:
// by a button or by the small picture's frame.
constexpr bool FocusOrderComplete() {
  constexpr int stops = static_cast<int>(kSideButtonCount) + 1;
  for (int stop = 0; stop < stops; ++stop) {
    int taken = stop == kPictureFocus ? 1 : 0;
    for (const auto& row : kSideButtons) taken += row.focus == stop ? 1 : 0;
    if (taken != 1) return false;
  }
  return true;
}
static_assert(FocusOrderComplete(), "each side-panel button has its own stop in the Tab order");

// The row of the button named `name`; a name without a row does not compile.
consteval std::size_t SideRow(std::string_view name) {
  for (std::size_t row = 0; row < kSideButtonCount; ++row) {
    if (kSideButtons[row].name == name) return row;
  }
  throw "no side-panel button of that name";
}

}  // namespace

TfrmMain::TfrmMain(Platform& platform, Messages& messages)
    : sideButtons_(std::make_unique<PushButton[]>(kSideButtonCount)),
      context_{platform, messages, state_, &board_},
      board_(context_, shell_),
      dialogs_(platform, state_) {
  SetErrorReporter(ErrorBoxReporter(messages));
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

std::span<PushButton> TfrmMain::SideButtons() const {
  return {sideButtons_.get(), kSideButtonCount};
}

PushButton& TfrmMain::btnShow() { return SideButtons()[SideRow("btnShow")]; }
PushButton& TfrmMain::btnEnd() { return SideButtons()[SideRow("btnEnd")]; }
PushButton& TfrmMain::btnChangeDrive() { return SideButtons()[SideRow("btnChangeDrive")]; }
PushButton& TfrmMain::btnDownLoad() { return SideButtons()[SideRow("btnDownLoad")]; }
PushButton& TfrmMain::btnHelp() { return SideButtons()[SideRow("btnHelp")]; }

HWND TfrmMain::FirstFocus() const { return SideButtons()[SideRow("btnShow")].Handle(); }

bool TfrmMain::Create() {
  if (!CreateForm(
          {.className = L"SorvelMainWindow",
           .name = "frmMain",
           .caption = texts::kApplicationTitle,
           .place = {CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height}})) {
    return false;
  }
  Show();
  SetFocus(btnShow().Handle());
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

  OrderSideFocus();
}

void TfrmMain::CreateSideButtons() {
  for (std::size_t i = 0; i < kSideButtonCount; ++i) {
    const SideButton& row = kSideButtons[i];
    SideButtons()[i].Create({.parent = pnlMain.Handle(),
                             .name = row.name,
                             .text = row.caption,
                             .place = kMainWindow.*row.place,
                             .font = FormFont()},
                            {.onClick = [this, handler = row.handler] { handler(*this); }});
  }
}

// The focus follows the order of the siblings, top first.
void TfrmMain::OrderSideFocus() {
  Window* stops[kSideButtonCount + 1] = {};
  stops[kPictureFocus] = &Panel2;
  for (std::size_t i = 0; i < kSideButtonCount; ++i)
    stops[kSideButtons[i].focus] = &SideButtons()[i];
  HWND after = HWND_TOP;
  for (Window* control : stops) {
    SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control->Handle();
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
  for (PushButton& button : SideButtons()) button.SetVisible(board_.MenuShown());
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
  shell_.open(Handle(), state_.homeFolder + kDownloadPageFileName, shell_.windowsDirectory(),
              SW_SHOW);
}

void TfrmMain::btnHelpClick() {
  // Windows Help's bare name is found in the home folder, wherever a
  // launch, a scan or the chooser left the current directory. A viewer that
  // refuses its file gives no message.
  context_.platform.ChangeDirectory(state_.homeFolder);
  const HelpToOpen help = ChooseHelp(context_.platform, state_.homeFolder);
  switch (help.viewer) {
    case HelpViewer::HtmlHelp:
      shell_.htmlHelpContents(Handle(), help.file);
      break;
    case HelpViewer::Shell:
      shell_.open(Handle(), help.file, shell_.windowsDirectory(), SW_SHOW);
      break;
    case HelpViewer::WinHelp:
      shell_.helpContents(Handle(), help.file);
      break;
  }
}

void TfrmMain::btnCloseClick() { Close(); }

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; OnImageMessage(Handle(), message, wParam, lParam, result)) return result;
  switch (message) {
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
