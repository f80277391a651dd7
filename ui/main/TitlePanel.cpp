#include "ui/main/TitlePanel.h"

#include "ui/controls/Form.h"

namespace sorvel::ui {
namespace {

// Eight blanks keep the caption clear of the marker image.
constexpr const char* kCaptionIndent = "        ";

}  // namespace

std::string TitlePanelName(int n) { return "Btn" + std::to_string(n); }
std::string MarkerImageName(int n) { return "Img" + std::to_string(n); }

void TitlePanel::Create(HWND parent, const Place& place, const std::string& title,
                        const BevelPanelOptions& options) {
  // The default control font, with a colour of the panel's own.
  BevelPanel::Create({.parent = parent,
                      .name = TitlePanelName(entry_),
                      .text = kCaptionIndent + title,
                      .place = place,
                      .font = FormFont()},
                     options);
  // Title panels lie on top of the background picture and the side panel.
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  marker_.Create(
      {.parent = Handle(), .name = MarkerImageName(entry_), .place = kTitleBoard.marker});
}

void TitlePanel::ResetMarker() {
  markerIcon_ = 0;
  markerSet_ = false;
}

void TitlePanel::ShowProgramIcon(HICON icon) {
  marker_.SetIcon(icon);
  markerIcon_ = reinterpret_cast<IconHandle>(icon);
  markerSet_ = true;
}

void TitlePanel::ShowLauncherIcon(HICON copy) {
  marker_.SetIcon(copy);
  markerSet_ = false;
}

void TitlePanel::ClearLauncherIcon() {
  if (markerSet_ || markerIcon_ <= 1) return;
  marker_.Clear();
  markerSet_ = true;
}

}  // namespace sorvel::ui
