#include "ui/main/TitlePanel.h"

#include <oleacc.h>

#include <string_view>

#include "ui/Layout.h"
#include "ui/controls/Form.h"
#include "ui/controls/HighContrast.h"
#include "ui/main/TitleBoard.h"

namespace sorvel::ui {
namespace {

// Eight blanks keep the caption clear of the marker image.
constexpr std::string_view kCaptionIndent = "        ";

}  // namespace

std::string TitlePanelName(int n) { return "Btn" + std::to_string(n); }
std::string MarkerImageName(int n) { return "Img" + std::to_string(n); }

void TitlePanel::Create(HWND parent, const Place& place, const std::string& title,
                        const BevelPanelOptions& options) {
  // The default control font, with a colour of the panel's own.
  BevelPanel::Create({.parent = parent,
                      .name = TitlePanelName(entry_),
                      .text = std::string(kCaptionIndent) + title,
                      .place = place,
                      .font = FormFont()},
                     options);
  // Title panels lie on top of the background picture and the side panel.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The marker takes the mouse over its place, doing nothing with it: a
  // click there is no click of the panel, the mouse there not over it.
  marker_.Create(
      {.parent = Handle(), .name = MarkerImageName(entry_), .place = kTitleBoard.marker});
  HostImage(marker_);
}

void TitlePanel::ResetMarker() {
  hasProgramIcon_ = false;
  markerSet_ = false;
}

void TitlePanel::ShowProgramIcon(HICON icon) {
  marker_.SetIcon(icon);
  hasProgramIcon_ = true;
  markerSet_ = true;
}

void TitlePanel::ShowLauncherIcon(HICON copy) {
  marker_.SetIcon(copy);
  markerSet_ = false;
}

void TitlePanel::ClearLauncherIcon() {
  if (markerSet_ || !hasProgramIcon_) return;
  marker_.Clear();
  markerSet_ = true;
}

std::string TitlePanel::Title() const {
  const std::string caption = Text();
  return caption.starts_with(kCaptionIndent) ? caption.substr(kCaptionIndent.size()) : caption;
}

std::optional<AccessibleTraits> TitlePanel::Accessibility() const {
  return AccessibleTraits{
      .name = Title(), .role = ROLE_SYSTEM_PUSHBUTTON, .defaultAction = "start", .focusable = true};
}

BevelPanel::Colours TitlePanel::PaintColours() const {
  if (!HighContrastOn()) return BevelPanel::PaintColours();
  if (FontColor() == kTitleBlue)
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
  if (FontColor() == kTitleWhite) return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)};
  return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
}

bool TitlePanel::ShowsFocusCue() const {
  return focused_ && !hidesFocus_ &&
         !(SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

// Follows the system's keyboard cues: UIS_SET hides the focus cue, UIS_CLEAR
// and UIS_INITIALIZE leave it to the state the system keeps (Windows keeps
// one; Wine keeps none and always shows the cues).
void TitlePanel::OnUpdateUiState(WPARAM wParam) {
  if (!(HIWORD(wParam) & UISF_HIDEFOCUS)) return;
  hidesFocus_ = LOWORD(wParam) == UIS_SET;
  if (focused_) Repaint();
}

void TitlePanel::Paint(HDC dc, const RECT& client) {
  BevelPanel::Paint(dc, client);
  if (ShowsFocusCue()) {
    RECT cue = client;
    const int inset = ScaleToDpi(kTitleBoard.focusCueInset, Dpi());
    InflateRect(&cue, -inset, -inset);
    DrawFocusRect(dc, &cue);
  }
  PaintImages(dc);
}

LRESULT TitlePanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; OnImageMessage(Handle(), message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_GETDLGCODE: {
      // The arrows move on the board; Enter starts the program instead of
      // going to the window as a dialog's default button would.
      const auto* key = reinterpret_cast<const MSG*>(lParam);
      const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      keyboard_.PanelKey(*this, static_cast<UINT>(wParam), (lParam & (1 << 30)) != 0);
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      keyboard_.PanelFocused(*this);
      Repaint();
      break;
    case WM_KILLFOCUS:
      focused_ = false;
      Repaint();
      break;
    case WM_UPDATEUISTATE:
      OnUpdateUiState(wParam);
      break;
  }
  return BevelPanel::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
