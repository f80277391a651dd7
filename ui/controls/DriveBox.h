// A drop-down list of the drives the platform reports, each with a glyph of
// its kind, for picking a drive.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

enum class DriveKind { Removable, Fixed, CdRom, Network, RamDisk };

struct DriveItem {
  char letter = 'C';  // upper case
  DriveKind kind = DriveKind::Fixed;
  std::string caption{};  // "A:", "C: [SYSTEM]", "X: \\SERVER\SHARE"
};

// The kind the drive box lists a drive of `type` as; nullopt for a type it
// leaves out (unknown, no root).
std::optional<DriveKind> ListedKind(DriveType type);

// How the drive box lists drive `letter`; nullopt for a drive type it leaves
// out.
std::optional<DriveItem> DescribeDrive(Platform& platform, char letter);

// Every drive A-Z that the platform reports and the box lists, in order.
std::vector<DriveItem> ListDrives(Platform& platform);

// How a drive box tells of a change.
struct DriveBoxOptions {
  // Called when the box's drive changes, after it shows the new one, and
  // when the user picks the drive it shows again from its list (to try
  // again a drive that was not ready).
  std::function<void()> onChange{};
  // Lists the drives when they are first needed (List, or a read of them)
  // rather than at creation: naming every drive wakes it and reads its label
  // or its network name, which only the user looking at the list needs. The
  // box knows its first drive from creation on all the same.
  bool listLater = false;
};

class DriveBox : public Window {
 public:
  using Options = DriveBoxOptions;
  explicit DriveBox(Platform& platform) : platform_(platform) {}
  // Starts on the drive of the current directory and lists the drives (see
  // Options::listLater); the place's height is the closed box's.
  void Create(const ControlArgs& args, const Options& options = {});
  // Lists the drives, once: before the box is first shown.
  void List();

  // The drive shown, upper case; 0 when the box lists nothing.
  char Drive() const { return drive_; }
  // Shows `letter` (any case); when that changes the box's drive, calls
  // onChange, as picking it in the list does. False for an unlisted drive.
  bool SetDrive(char letter);

  const std::vector<DriveItem>& Items();
  // The caption shown for the current drive.
  std::string SelectedCaption();

 protected:
  void OnNotify(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnDpiChanged() override;

 private:
  int IndexOf(char letter) const;
  void SetItemHeights();
  // Starts on the drive of the current directory without listing the
  // others; false when the box does not list that drive.
  bool StartOnCurrentDrive();

  Platform& platform_;
  std::vector<DriveItem> items_;
  bool listed_ = false;
  char startLetter_ = 0;  // the drive of the current directory at creation
  char drive_ = 0;
  // The item shown when the list last dropped down, until it closes.
  LRESULT shownWhenDropped_ = -1;
  std::function<void()> onChange_;
};

}  // namespace sorvel::ui
