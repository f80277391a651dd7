#include "ui/main/MainWindow.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

#include "core/InstallationScan.h"
#include "core/ProgramLaunch.h"
#include "core/StartUp.h"
#include "ui/Layout.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/BusyCursor.h"

namespace sorvel::ui {
namespace {

// The title board: columns of six panels, 53 pixels apart from 50 down.
constexpr int kPanelsPerColumn = 6;
constexpr int kRowPitch = 53;
constexpr int kFirstRowTop = 50;
constexpr int kWideBoardLimit = 12;  // boards up to this size get wider panels
constexpr int kWideningAmount = 50;
constexpr int kRaisedBevelWidth = 3;
constexpr int kPressedBevelWidth = 1;
// Eight blanks keep the caption clear of the marker image.
constexpr const char* kCaptionIndent = "        ";

HBITMAP LoadBitmapResource(const wchar_t* name) {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

std::string TitlePanelName(int n) { return "Btn" + std::to_string(n); }
std::string MarkerImageName(int n) { return "Img" + std::to_string(n); }

int EntryNumberOfPanel(const std::string& name) {
  if (name.size() <= 3) return 0;
  int n = 0;
  const char* first = name.data() + 3;
  const char* last = name.data() + name.size();
  auto [end, error] = std::from_chars(first, last, n);
  return error == std::errc() && end == last && n > 0 ? n : 0;
}

TfrmMain::TfrmMain(Platform& platform, Messages& messages)
    : context_{platform, messages, state_, this} {
  SetErrorReporter([&messages](const std::string& text) { messages.ShowError(text); });
}

TfrmMain::~TfrmMain() {
  // Tearing the object down is not the user closing the window.
  endsProgram_ = false;
  SetErrorReporter(nullptr);
  if (launcherIcon_) DestroyIcon(launcherIcon_);
}

void TfrmMain::AttachDialogs(TfrmShow* show, TfrmChangeDrive* chooser) {
  frmShow_ = show;
  frmChangeDrive_ = chooser;
}

std::string TfrmMain::ChooserFolder() const {
  return frmChangeDrive_ ? frmChangeDrive_->Folder() : state_.homeFolder + "..\\";
}

bool TfrmMain::Create() {
  if (!CreateForm(
          {.className = L"SorvelMainWindow",
           .name = "frmMain",
           .caption = kApplicationTitle,
           .place = {CW_USEDEFAULT, CW_USEDEFAULT, kMainWindow.width, kMainWindow.height}})) {
    return false;
  }
  Show();
  SetFocus(btnShow.Handle());
  return true;
}

// ---------------------------------------------------------------------------
// Creation and showing.

void TfrmMain::OnCreate() {
  // Our own copy (not shared), so each marker can get a copy of it.
  launcherIcon_ = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  CreateControls();
  FormCreate();
}

void TfrmMain::CreateControls() {
  const MainWindowLayout& layout = kMainWindow;
  imgPict.Create({.parent = Handle(), .name = "imgPict", .place = layout.imgPict},
                 {.onMouseMove = [this](int, int) { imgPictMouseMove(); }});
  imgPict.SetBitmap(LoadBitmapResource(L"BACKGROUND"));

  CreateSidePanel();

  // Templates that are never shown: the sizes of title panels and markers.
  btnDummy.Create({.parent = Handle(),
                   .name = "btnDummy",
                   .place = {312, 376, 137, 33},
                   .font = FormFont(),
                   .visible = false});
  imgDummy.Create(
      {.parent = Handle(), .name = "imgDummy", .place = {360, 208, 25, 17}, .visible = false});
}

void TfrmMain::CreateSidePanel() {
  const MainWindowLayout& layout = kMainWindow;
  const HFONT font = FormFont();
  pnlMain.Create({.parent = Handle(), .name = "pnlMain", .place = layout.pnlMain, .font = font},
                 {.alignment = CaptionAlignment::Left});

  // Created in the order of the keyboard focus: btnShow, btnEnd,
  // btnChangeDrive, btnDownLoad, Panel2, btnHelp.
  const HWND side = pnlMain.Handle();
  btnShow.Create(
      {.parent = side, .name = "btnShow", .text = "詳細", .place = layout.btnShow, .font = font},
      {.onClick = [this] { btnShowClick(); }});
  btnEnd.Create(
      {.parent = side, .name = "btnEnd", .text = "終了", .place = layout.btnEnd, .font = font},
      {.onClick = [this] { btnCloseClick(); }});
  btnChangeDrive.Create({.parent = side,
                         .name = "btnChangeDrive",
                         .text = "参照",
                         .place = layout.btnChangeDrive,
                         .font = font},
                        {.onClick = [this] { btnChangeDriveClick(); }});
  btnDownLoad.Create({.parent = side,
                      .name = "btnDownLoad",
                      .text = "最新版ダウンロード",
                      .place = layout.btnDownLoad,
                      .font = font},
                     {.onClick = [this] { btnDownLoadClick(); }});
  Panel2.Create({.parent = side, .name = "Panel2", .place = layout.Panel2, .font = font},
                {.bevelOuter = Bevel::Lowered,
                 .bevelWidth = layout.frameBevelWidth,
                 .borderWidth = layout.frameBorderWidth});
  imgPicture.Create({.parent = Panel2.Handle(), .name = "imgPicture", .place = layout.imgPicture},
                    {.stretch = true,
                     .onClick = [this] { imgPictureClick(); },
                     .onMouseMove = [this](int, int) { imgPictureMouseMove(); }});
  imgPicture.SetBitmap(LoadBitmapResource(L"SMALLPICTURE"));
  btnHelp.Create(
      {.parent = side, .name = "btnHelp", .text = "ヘルプ", .place = layout.btnHelp, .font = font},
      {.onClick = [this] { btnHelpClick(); }});

  // The focus follows the order of the siblings: set it explicitly.
  HWND after = HWND_TOP;
  for (Window* control : std::initializer_list<Window*>{&btnShow, &btnEnd, &btnChangeDrive,
                                                        &btnDownLoad, &Panel2, &btnHelp}) {
    SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control->Handle();
  }
}

void TfrmMain::FormCreate() {
  SetSize(kMainWindow.width, kMainWindow.height);

  HINSTANCE module = GetModuleHandleW(nullptr);
  arrowCursor_ = LoadCursorW(module, L"Arrow1CSR");
  pointCursor_ = LoadCursorW(module, L"PointCSR");
  imgPicture.SetCursor(pointCursor_);

  const RECT side = pnlMain.Bounds();
  pnlMain.SetBounds(
      {side.left, side.top, side.right - side.left, Height() - kMainWindow.sidePanelGap});

  // Home folder, catalogue, title board, CD-ROM test and the first scan; an
  // error skips the steps after it and is shown in the error box.
  BusyCursor busy;
  RunStartUpSteps(context_, [this] { BuildTitleBoard(); });
}

void TfrmMain::OnShow() {
  FormShow();
  if (!centred_) {
    CenterOnScreen();
    centred_ = true;
  }
}

void TfrmMain::FormShow() { SetText(state_.caption); }

// ---------------------------------------------------------------------------
// The title board.

void TfrmMain::BuildTitleBoard() {
  if (boardBuilt_) return;
  boardBuilt_ = true;
  const int count = state_.EntryCount();
  const int windowWidth = Width();
  const int sideWidth = pnlMain.Width();

  int gap = 25;
  if (count <= kWideBoardLimit) {
    gap = 10;
    const RECT dummy = btnDummy.Bounds();
    btnDummy.SetBounds(
        {dummy.left, dummy.top, btnDummy.Width() + kWideningAmount, btnDummy.Height()});
  }
  const int panelWidth = btnDummy.Width();
  // Integer division truncating toward zero, also for a negative share.
  const int columns = (count - 1) / kPanelsPerColumn + 1;
  const int offset = sideWidth + (windowWidth - sideWidth - columns * panelWidth - 10) / columns;
  const int firstLeft = imgPicture.Bounds().left + offset;

  int column = 0, row = 0;
  for (int n = 1; n <= count; ++n) {
    AddTitlePanel(n, firstLeft + (panelWidth + gap) * column, row * kRowPitch + kFirstRowTop);
    ++row;
    if (n % kPanelsPerColumn == 0) {
      ++column;
      row = 0;
    }
  }
}

void TfrmMain::AddTitlePanel(int n, int left, int top) {
  TitleSlot slot{std::make_unique<BevelPanel>(), std::make_unique<ImageControl>()};
  BevelPanel& panel = *slot.panel;
  panel.Create({.parent = Handle(),
                .name = TitlePanelName(n),
                .text = kCaptionIndent + state_.Entry(n).title,
                .place = {left, top, btnDummy.Width(), btnDummy.Height()},
                .font = FormFont()},               // the default control font, own colour
               {.bevelWidth = kPressedBevelWidth,  // raised to 3 by the first paint
                .alignment = CaptionAlignment::Left,
                .fontColor = kTitleBlue,
                .cursor = arrowCursor_,
                .onClick = [this, &panel] { TitlePanelClick(panel); },
                .onMouseMove = [this, &panel](int, int) { TitlePanelMouseMove(panel); }});
  // Title panels lie on top of the background picture and the side panel.
  SetWindowPos(panel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  slot.marker->Create({.parent = panel.Handle(),
                       .name = MarkerImageName(n),
                       .place = {0, 6, imgDummy.Width(), imgDummy.Height()}});
  titles_.push_back(std::move(slot));
}

// Panel n is the board's n-th, named "Btn" + n (FindControl finds it by that
// name too); kept at hand, as every scan and repaint visits each panel.
BevelPanel* TfrmMain::TitlePanel(int n) {
  if (n < 1 || n > static_cast<int>(titles_.size())) return nullptr;
  return titles_[n - 1].panel.get();
}

ImageControl* TfrmMain::MarkerImage(int n) {
  if (n < 1 || n > static_cast<int>(titles_.size())) return nullptr;
  return titles_[n - 1].marker.get();
}

IconHandle TfrmMain::MarkerIcon(int n) const {
  return n >= 1 && n <= static_cast<int>(titles_.size()) ? titles_[n - 1].markerIcon : 0;
}

bool TfrmMain::MarkerSet(int n) const {
  return n >= 1 && n <= static_cast<int>(titles_.size()) && titles_[n - 1].markerSet;
}

void TfrmMain::SetEntryInstalled(int n, bool installed) {
  if (n < 1 || n > static_cast<int>(titles_.size())) return;
  TitleSlot& title = titles_[n - 1];
  // Every scan starts the marker afresh: idle, whatever it shows.
  title.markerIcon = 0;
  title.markerSet = false;
  BevelPanel* panel = title.panel.get();
  panel->SetEnabled(installed);
  panel->SetFontColor(installed ? kTitleGreen : kTitleWhite);
}

void TfrmMain::Scan(const std::string& path, bool withIcons) {
  BusyCursor busy;
  ScanFolder(context_, path, withIcons);
}

// ---------------------------------------------------------------------------
// The marker images.

HICON TfrmMain::CopyOfLauncherIcon() const {
  return launcherIcon_ ? CopyIcon(launcherIcon_) : nullptr;
}

void TfrmMain::LoadEntryIcon(int n) {
  ImageControl* marker = MarkerImage(n);
  if (!marker) return;
  const std::string& folder = state_.Result(n).folder;
  const std::string& exe = state_.Result(n).exeName;
  // The bare file name is found in the program's folder; a folder that
  // cannot be entered shows up as a file without an icon.
  context_.platform.ChangeDirectory(state_.baseFolder + folder);
  const IconHandle icon = shell_.firstIcon(exe);
  if (icon > 1) {
    marker->SetIcon(reinterpret_cast<HICON>(icon));  // the marker owns it now
    titles_[n - 1].markerIcon = icon;
    titles_[n - 1].markerSet = true;
  } else {
    context_.messages.ShowMessage(folder + " " + exe);
  }
}

void TfrmMain::TitlePanelClick(BevelPanel& panel) {
  // The pressed look lasts until the next repaint of the window.
  panel.SetFontColor(kTitleBlue);
  panel.SetBevelWidth(kPressedBevelWidth);
  LaunchEntry(context_, EntryNumberOfPanel(panel.Name()));
}

void TfrmMain::TitlePanelMouseMove(BevelPanel& panel) {
  const int n = EntryNumberOfPanel(panel.Name());
  if (!MarkerSet(n)) return;
  MarkerImage(n)->SetIcon(CopyOfLauncherIcon());
  titles_[n - 1].markerSet = false;
}

void TfrmMain::FormPaint() {
  for (int n = 1; n <= state_.EntryCount(); ++n) {
    if (BevelPanel* panel = TitlePanel(n)) panel->SetBevelWidth(kRaisedBevelWidth);
  }
}

void TfrmMain::Paint(HDC dc, const RECT& client) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  FormPaint();
}

// ---------------------------------------------------------------------------
// The pictures and the side panel's commands.

// Over either picture, markers that show the launcher's icon are cleared.
void TfrmMain::imgPictMouseMove() {
  for (TitleSlot& title : titles_) {
    if (title.markerSet || title.markerIcon <= 1) continue;
    title.marker->Clear();  // the empty picture of imgDummy
    title.markerSet = true;
  }
}

void TfrmMain::imgPictureMouseMove() { imgPictMouseMove(); }

// The small picture hides or shows the menu and rescans with icons.
void TfrmMain::imgPictureClick() {
  menuShown_ = !menuShown_;
  for (TitleSlot& title : titles_) title.panel->SetVisible(menuShown_);
  for (GlyphButton* button : {&btnShow, &btnChangeDrive, &btnDownLoad, &btnHelp, &btnEnd}) {
    button->SetVisible(menuShown_);
  }
  // Always the parent of the home folder, also on a CD-ROM.
  Scan(state_.homeFolder + "..\\", true);
}

// ---------------------------------------------------------------------------
// The side panel's commands.

void TfrmMain::btnShowClick() {
  state_.ClearMatchCounts();
  Scan(ChooserFolder(), false);
  if (frmShow_) frmShow_->ShowModal();
}

void TfrmMain::btnChangeDriveClick() {
  if (!frmChangeDrive_) return;
  // Cancel keeps the chooser where the user left it, without a scan.
  if (frmChangeDrive_->ShowModal() == kModalOk) Scan(frmChangeDrive_->Folder(), false);
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

LRESULT TfrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // Give the focus back to the control that had it, btnShow at first.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) focus_ = focus;
      } else if (!HIWORD(wParam)) {
        SetFocus(focus_ && IsWindow(focus_) ? focus_ : btnShow.Handle());
        return 0;
      }
      break;
    case WM_DESTROY:
      // The main window: closing it ends the event loop and the program.
      if (endsProgram_) PostQuitMessage(0);
      break;
  }
  return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
