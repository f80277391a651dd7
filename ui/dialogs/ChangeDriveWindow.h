// The folder chooser: a drive box and a directory list for picking the
// drive and folder whose sub-folders the launcher searches. Created once,
// hidden, and shown modally; it keeps its drive and folder between uses.
#pragma once

#include <string>

#include "platform/Platform.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/DirectoryList.h"
#include "ui/controls/DriveBox.h"
#include "ui/controls/Form.h"
#include "ui/controls/PushButton.h"

namespace sorvel::ui {

class TfrmChangeDrive : public Form {
 public:
  // The chooser opens on `firstFolder` (the series' folder).
  TfrmChangeDrive(Platform& platform, std::string firstFolder);
  bool Create(HWND owner = nullptr);

  // The chooser's folder: the folder of dlbDrive, normalised, without a
  // trailing backslash except at a root. Readable whether shown or not.
  const std::string& Folder() const { return dlbDrive.Folder(); }

  BevelPanel Panel1;
  DriveBox dcbDrive;
  DirectoryList dlbDrive;
  PushButton btnOk;
  PushButton btnCancel;

 protected:
  void OnCreate() override;
  void OnShow() override;

 private:
  void CreateControls();
  void FormCreate();
  void dcbDriveChange();
  void dlbDriveChange();
  void btnOkClick();
  void btnCancelClick();

  Platform& platform_;
  std::string firstFolder_;
};

}  // namespace sorvel::ui
