// The board of title panels on the main window: one panel per catalogue
// entry, in columns, coloured by every scan, starting its entry's program
// when clicked, with the hover marker at its left end. It is the scan's
// listener. Its panels are children of the main window, kept in entry order.
#pragma once

#include <memory>
#include <vector>

#include "core/LauncherContext.h"
#include "core/ScanListener.h"
#include "platform/win32/Gdi.h"
#include "ui/Layout.h"
#include "ui/main/ShellServices.h"
#include "ui/main/TitlePanel.h"

namespace sorvel::ui {

// Font colours of the title panels (0x00BBGGRR).
constexpr COLORREF kTitleBlue = RGB(0, 0, 255);       // created, pressed
constexpr COLORREF kTitleGreen = RGB(0, 128, 0);      // installed
constexpr COLORREF kTitleWhite = RGB(255, 255, 255);  // missing

// The board is one stop of the Tab order: the panel that last had the focus,
// or the first enabled one, holds the stop. On the board the arrows move to
// the nearest enabled panel in their direction, Home and End to the first
// and last, and Enter or Space starts the focused panel's program as a click
// does.
class TitleBoard : public ScanListener, public TitlePanel::Keyboard {
 public:
  // `shell` gives the programs' icons; both outlive the board.
  TitleBoard(LauncherContext& context, const ShellServices& shell);

  // Creates one panel per catalogue entry on `parent`, showing `cursor`,
  // at the parent's `dpi`; once: a later call changes nothing.
  void Build(HWND parent, HCURSOR cursor, int dpi);
  // The panels moved to another DPI: the launcher's icon and `cursor` are
  // taken at that DPI. Before the board is built, nothing.
  void FollowDpi(int dpi, HCURSOR cursor);

  int Count() const { return static_cast<int>(panels_.size()); }
  // The panel of entry n and its marker image; nullptr outside the board.
  TitlePanel* Panel(int n);
  ImageControl* Marker(int n);

  // Whether the panels are shown (the menu toggle of the small picture).
  bool MenuShown() const { return menuShown_; }
  void SetMenuShown(bool shown);

  // Gives every panel its raised look again, undoing a pressed one.
  void RaisePanels();
  // The mouse over either picture: markers showing the launcher's icon are
  // cleared.
  void ClearLauncherMarkers();

  // The panels' handlers.
  void TitlePanelClick(TitlePanel& panel);
  void TitlePanelMouseMove(TitlePanel& panel);

  // The scan's listener.
  void SetEntryInstalled(int n, bool installed) override;
  void LoadEntryIcon(int n) override;

  // The panels' keys and focus.
  void PanelKey(TitlePanel& panel, UINT key, bool repeated) override;
  void PanelFocused(TitlePanel& panel) override;

 private:
  void AddPanel(HWND parent, int n, HCURSOR cursor);
  void MoveTabStop(TitlePanel* panel);
  // Where a key leads from `from`: an enabled panel, or nullptr.
  TitlePanel* Destination(const TitlePanel& from, UINT key) const;
  TitlePanel* NearestInDirection(const TitlePanel& from, int dx, int dy) const;
  TitlePanel* FirstEnabled(bool fromTheEnd) const;

  LauncherContext& context_;
  const ShellServices& shell_;
  // The application's main icon, our own copy, so each marker gets a copy.
  win32::OwnedIcon launcherIcon_;
  std::vector<std::unique_ptr<TitlePanel>> panels_;
  TitlePanel* tabStop_ = nullptr;  // the board's Tab stop; none while no panel is enabled
  bool built_ = false;
  bool menuShown_ = true;
};

}  // namespace sorvel::ui
