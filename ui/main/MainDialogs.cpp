#include "ui/main/MainDialogs.h"

#include <utility>

#include "core/FolderListing.h"
#include "core/LauncherState.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"

namespace sorvel::ui {

MainDialogs::MainDialogs(Platform& platform, const LauncherState& state)
    : platform_(platform), state_(state) {}

MainDialogs::~MainDialogs() = default;

void MainDialogs::EnterChooserFolder() {
  openingFolder_ = EnterFolder(platform_, SeriesFolder(state_));
}

void MainDialogs::Attach(TfrmShow* show, TfrmChangeDrive* chooser) {
  show_ = show;
  chooser_ = chooser;
}

TfrmShow* MainDialogs::Status(HWND owner, std::function<SIZE()> ownerSize) {
  if (show_) return show_;
  auto made = std::make_unique<TfrmShow>(
      state_, TfrmShow::Sources{.mainWindowSize = std::move(ownerSize),
                                .chooserFolder = [this] { return ChooserFolder(); },
                                .printer = {}});
  if (!made->Create(owner)) return nullptr;
  ownShow_ = std::move(made);
  return show_ = ownShow_.get();
}

TfrmChangeDrive* MainDialogs::Chooser(HWND owner) {
  if (chooser_) return chooser_;
  // The chooser enters its folder as it is made; the current directory
  // stays where the launcher's last step left it, as it would had the
  // chooser been made long before.
  const std::string current = platform_.CurrentDirectory();
  auto made = std::make_unique<TfrmChangeDrive>(platform_, SeriesFolder(state_));
  const bool created = made->Create(owner);
  platform_.ChangeDirectory(current);
  if (!created) return nullptr;
  ownChooser_ = std::move(made);
  return chooser_ = ownChooser_.get();
}

std::string MainDialogs::ChooserFolder() const {
  if (chooser_) return chooser_->Folder();
  return openingFolder_.empty() ? SeriesFolder(state_) : openingFolder_;
}

}  // namespace sorvel::ui
