#include "ui/dialogs/ChangeDriveWindow.h"

#include <utility>

#include "core/UserTexts.h"
#include "ui/Layout.h"

namespace sorvel::ui {

TfrmChangeDrive::TfrmChangeDrive(Platform& platform, std::string firstFolder)
    : dcbDrive(platform),
      dlbDrive(platform),
      platform_(platform),
      firstFolder_(std::move(firstFolder)) {}

bool TfrmChangeDrive::Create(HWND owner) {
  return CreateForm({.className = L"SorvelChangeDrive",
                     .name = "frmChangeDrive",
                     .caption = texts::kChooserCaption,
                     .place = kChooser.window,
                     .owner = owner});
}

void TfrmChangeDrive::OnCreate() {
  CreateControls();
  FormCreate();
}

// Created in the keyboard focus order: dcbDrive, btnCancel, btnOk, dlbDrive,
// Panel1.
void TfrmChangeDrive::CreateControls() {
  const ChooserLayout& layout = kChooser;
  const HWND self = Handle();
  const HFONT font = FormFont();
  dcbDrive.Create({.parent = self, .name = "dcbDrive", .place = layout.dcbDrive, .font = font},
                  {.onChange = [this] { dcbDriveChange(); }, .listLater = true});
  btnCancel.Create({.parent = self,
                    .name = "btnCancel",
                    .text = texts::kCancelButton,
                    .place = layout.btnCancel,
                    .font = font},
                   {.onClick = [this] { btnCancelClick(); }});
  btnOk.Create({.parent = self,
                .name = "btnOk",
                .text = texts::kOkButton,
                .place = layout.btnOk,
                .font = font},
               {.onClick = [this] { btnOkClick(); }});
  dlbDrive.Create({.parent = self, .name = "dlbDrive", .place = layout.dlbDrive, .font = font},
                  {.onChange = [this] { dlbDriveChange(); }});
  Panel1.Create({.parent = self, .name = "Panel1", .place = layout.Panel1, .font = font});
  // What a screen reader calls them: neither a drive box nor a list nor a
  // panel says what it is by its text.
  dcbDrive.SetAccessibleName(texts::kDriveBoxName);
  dlbDrive.SetAccessibleName(texts::kFolderListName);
  Panel1.SetAccessibleName(texts::kChosenFolderName);
}

void TfrmChangeDrive::FormCreate() { dlbDrive.SetFolder(firstFolder_); }

// The drives are named when the user first sees them, not at start-up.
void TfrmChangeDrive::OnShow() { dcbDrive.List(); }

void TfrmChangeDrive::dcbDriveChange() {
  const char drive = dcbDrive.Drive();
  if (drive == 0 || drive == dlbDrive.Drive()) return;
  // The drive's current directory, as the platform resolves "X:".
  const std::string name = std::string(1, drive) + ":";
  std::string folder = platform_.FullPath(name);
  if (folder.empty()) folder = name + "\\";
  dlbDrive.SetFolder(folder);
}

void TfrmChangeDrive::dlbDriveChange() { Panel1.SetText(dlbDrive.Folder()); }

void TfrmChangeDrive::btnOkClick() { SetModalResult(kModalOk); }

void TfrmChangeDrive::btnCancelClick() { SetModalResult(kModalCancel); }

}  // namespace sorvel::ui
