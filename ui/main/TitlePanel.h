// One panel of the title board: it stands for one catalogue entry, shows the
// entry's title and holds the entry's hover marker at its left end.
#pragma once

#include <optional>
#include <string>

#include "ui/controls/BevelPanel.h"
#include "ui/controls/ImageControl.h"
#include "ui/main/ImageHost.h"
#include "ui/main/ShellServices.h"

namespace sorvel::ui {

// The names of a title panel and of its marker image, "Btn" + n and
// "Img" + n, as the tests and a reader of the window's tree know them: a
// panel is found among the main window's children by its name, a marker
// through its panel.
std::string TitlePanelName(int n);
std::string MarkerImageName(int n);

class TitlePanel : public BevelPanel, public ImageHost {
 public:
  // Where the panel's keys and focus go: the board moves the focus among
  // its panels and starts the focused one.
  class Keyboard {
   public:
    virtual void PanelKey(TitlePanel& panel, UINT key, bool repeated) = 0;
    virtual void PanelFocused(TitlePanel& panel) = 0;

   protected:
    ~Keyboard() = default;
  };

  TitlePanel(int entry, Keyboard& keyboard) : entry_(entry), keyboard_(keyboard) {}

  // The catalogue entry the panel stands for, from 1.
  int Entry() const { return entry_; }
  ImageControl& Marker() { return marker_; }

  // Creates the panel on `parent`, on top of its other children, with the
  // entry's title as its caption, and the marker image inside it.
  void Create(HWND parent, const Place& place, const std::string& title,
              const BevelPanelOptions& options);

  // The hover marker's state: whether the last scan with icons loaded the
  // program's icon (the marker owns it, and destroys it when it shows
  // another), and whether the marker shows the program icon or nothing and
  // is ready to show the launcher's icon at the next hover.
  bool HasProgramIcon() const { return hasProgramIcon_; }
  bool MarkerSet() const { return markerSet_; }
  // Every scan: idle, whatever the marker shows.
  void ResetMarker();
  // A scan with icons: the program's icon, owned by the marker from now on.
  void ShowProgramIcon(HICON icon);
  // Hovered while set: the launcher's icon (a copy the marker owns).
  void ShowLauncherIcon(HICON copy);
  // The mouse over a picture: the launcher's icon goes, the marker is set.
  void ClearLauncherIcon();

  // The entry's title, without the blanks that keep it clear of the marker.
  std::string Title() const;
  // A push button named by its title that starts its program.
  std::optional<AccessibleTraits> Accessibility() const override;

  // The bevel and the caption, the focus cue while the panel has the focus
  // and the keyboard cues are shown, and the marker over them.
  void Paint(HDC dc, const RECT& client) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Under high contrast: installed titles in the button text, missing ones
  // greyed, the pressed one highlighted.
  Colours PaintColours() const override;

 private:
  bool ShowsFocusCue() const;
  void OnUpdateUiState(WPARAM wParam);

  int entry_;
  Keyboard& keyboard_;
  ImageControl marker_;  // painted by the panel; a click on it starts nothing
  bool hasProgramIcon_ = false;
  bool markerSet_ = false;
  bool hidesFocus_ = false;  // the last WM_UPDATEUISTATE hid the focus cue
  // Between WM_SETFOCUS and WM_KILLFOCUS: asking the system at every paint
  // is a round trip to the server under Wine.
  bool focused_ = false;
};

}  // namespace sorvel::ui
