#include "ui/main/TitleBoard.h"

#include <cstdlib>

#include "core/Cp932.h"
#include "core/ProgramLaunch.h"
#include "ui/Layout.h"
#include "ui/pictures/Renderings.h"

namespace sorvel::ui {

TitleBoard::TitleBoard(LauncherContext& context, const ShellServices& shell)
    : context_(context), shell_(shell) {}

void TitleBoard::Build(HWND parent, HCURSOR cursor, int dpi) {
  if (built_) return;
  built_ = true;
  launcherIcon_.Reset(LoadIconAtDpi(L"MAINICON", dpi));
  const int count = context_.state.EntryCount();
  panels_.reserve(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) AddPanel(parent, n, cursor);
  MoveTabStop(FirstEnabled(false));
}

void TitleBoard::AddPanel(HWND parent, int n, HCURSOR cursor) {
  auto made = std::make_unique<TitlePanel>(n, *this);
  TitlePanel& panel = *made;
  panel.Create(parent, TitlePanelPlace(n, context_.state.EntryCount()),
               context_.state.Entry(n).title,
               {.bevelWidth = kTitleBoard.pressedBevelWidth,  // raised by the first repaint
                .alignment = CaptionAlignment::Left,
                .fontColor = kTitleBlue,
                .cursor = cursor,
                .holdsControls = false,
                .onClick = [this, &panel] { TitlePanelClick(panel); },
                .onMouseMove = [this, &panel](int, int) { TitlePanelMouseMove(panel); }});
  panels_.push_back(std::move(made));
}

void TitleBoard::FollowDpi(int dpi, HCURSOR cursor) {
  if (!built_) return;  // the board takes both when it is built
  launcherIcon_.Reset(LoadIconAtDpi(L"MAINICON", dpi));
  for (const auto& panel : panels_) panel->SetCursor(cursor);
}

TitlePanel* TitleBoard::Panel(int n) {
  return n >= 1 && n <= Count() ? panels_[static_cast<std::size_t>(n - 1)].get() : nullptr;
}

ImageControl* TitleBoard::Marker(int n) {
  TitlePanel* panel = Panel(n);
  return panel ? &panel->Marker() : nullptr;
}

void TitleBoard::SetMenuShown(bool shown) {
  menuShown_ = shown;
  for (const auto& panel : panels_) panel->SetVisible(shown);
}

void TitleBoard::RaisePanels() {
  for (const auto& panel : panels_) panel->SetBevelWidth(kTitleBoard.raisedBevelWidth);
}

void TitleBoard::ClearLauncherMarkers() {
  for (const auto& panel : panels_) panel->ClearLauncherIcon();
}

void TitleBoard::TitlePanelClick(TitlePanel& panel) {
  // The pressed look lasts until the next repaint of the main window.
  panel.SetFontColor(kTitleBlue);
  panel.SetBevelWidth(kTitleBoard.pressedBevelWidth);
  LaunchEntry(context_, panel.Entry());
}

void TitleBoard::TitlePanelMouseMove(TitlePanel& panel) {
  if (panel.MarkerSet()) {
    panel.ShowLauncherIcon(launcherIcon_ ? CopyIcon(launcherIcon_.Get()) : nullptr);
  }
}

void TitleBoard::SetEntryInstalled(int n, bool installed) {
  TitlePanel* panel = Panel(n);
  if (!panel) return;
  panel->ResetMarker();
  panel->SetEnabled(installed);
  panel->SetFontColor(installed ? kTitleGreen : kTitleWhite);
  // The stop stays where it was unless its panel went missing.
  if (!tabStop_ || !tabStop_->Enabled()) MoveTabStop(FirstEnabled(false));
}

void TitleBoard::LoadEntryIcon(int n) {
  TitlePanel* panel = Panel(n);
  if (!panel) return;
  const ScanResult& found = context_.state.Result(n);
  const std::string folder = ProgramFolder(context_.state, n);
  context_.platform.ChangeDirectory(folder);
  // The icon is taken from the file the scan found, named with its folder:
  // a bare name would be searched for in the launcher's own folder first.
  // A folder that has gone shows up as a file without an icon.
  const IconHandle icon = shell_.firstIcon(cp932::InFolder(folder, found.exeName));
  if (icon > 1) {
    panel->ShowProgramIcon(reinterpret_cast<HICON>(icon));
  } else {
    context_.messages.ShowMessage(found.folder + " " + found.exeName);
  }
}

// ---------------------------------------------------------------------------
// The keyboard.

void TitleBoard::MoveTabStop(TitlePanel* panel) {
  if (panel == tabStop_) return;
  if (tabStop_) tabStop_->SetTabStop(false);
  tabStop_ = panel;
  if (tabStop_) tabStop_->SetTabStop(true);
}

void TitleBoard::PanelFocused(TitlePanel& panel) { MoveTabStop(&panel); }

void TitleBoard::PanelKey(TitlePanel& panel, UINT key, bool repeated) {
  if (key == VK_RETURN || key == VK_SPACE) {
    // Held down, the key starts the program once.
    if (!repeated) panel.Click();
    return;
  }
  TitlePanel* destination = Destination(panel, key);
  if (!destination) return;
  // Moving by keys shows the keyboard cues, as the dialog keys do.
  SendMessageW(GetAncestor(panel.Handle(), GA_ROOT), WM_CHANGEUISTATE,
               MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(destination->Handle());
}

TitlePanel* TitleBoard::Destination(const TitlePanel& from, UINT key) const {
  switch (key) {
    case VK_HOME:
      return FirstEnabled(false);
    case VK_END:
      return FirstEnabled(true);
    case VK_LEFT:
      return NearestInDirection(from, -1, 0);
    case VK_RIGHT:
      return NearestInDirection(from, 1, 0);
    case VK_UP:
      return NearestInDirection(from, 0, -1);
    case VK_DOWN:
      return NearestInDirection(from, 0, 1);
  }
  return nullptr;
}

TitlePanel* TitleBoard::FirstEnabled(bool fromTheEnd) const {
  TitlePanel* found = nullptr;
  for (const auto& panel : panels_) {
    if (!panel->Enabled()) continue;
    found = panel.get();
    if (!fromTheEnd) break;
  }
  return found;
}

namespace {
POINT Centre(const Window& window) {
  const RECT r = window.Bounds();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
}  // namespace

// The enabled panel beyond `from` in the direction (dx, dy) whose centre is
// nearest, a step to the side counting twice a step ahead: the next panel of
// the same column or row comes first, then the nearest one beside it.
TitlePanel* TitleBoard::NearestInDirection(const TitlePanel& from, int dx, int dy) const {
  const POINT origin = Centre(from);
  TitlePanel* nearest = nullptr;
  long best = 0;
  for (const auto& panel : panels_) {
    if (panel.get() == &from || !panel->Enabled()) continue;
    const POINT at = Centre(*panel);
    const long ahead = (at.x - origin.x) * dx + (at.y - origin.y) * dy;
    const long aside = std::labs((at.x - origin.x) * dy) + std::labs((at.y - origin.y) * dx);
    if (ahead <= 0) continue;
    const long distance = ahead + 2 * aside;
    if (!nearest || distance < best) {
      nearest = panel.get();
      best = distance;
    }
  }
  return nearest;
}

}  // namespace sorvel::ui
