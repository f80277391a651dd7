#include "ui/dialogs/ChangeDriveWindow.h"

#include <utility>

namespace sorvel::ui {

TfrmChangeDrive::TfrmChangeDrive(Platform& platform, std::string homeFolder)
    : dcbDrive(platform),
      dlbDrive(platform),
      platform_(platform),
      homeFolder_(std::move(homeFolder)) {}

bool TfrmChangeDrive::Create(HWND owner) {
  Args args;
  args.className = L"SorvelChangeDrive";
  args.name = "frmChangeDrive";
  args.caption = "Sorvel Launcher Drive";
  args.left = 113;
  args.top = 158;
  args.width = 687;
  args.height = 450;
  args.owner = owner;
  return CreateForm(args);
}

void TfrmChangeDrive::OnCreate() {
  CreateControls();
  FormCreate();
}

// Created in the keyboard focus order: dcbDrive, btnCancel, btnOk, dlbDrive,
// Panel1.
void TfrmChangeDrive::CreateControls() {
  HWND self = Handle();
  HFONT font = FormFont(12);

  DriveBox::Args drive;
  drive.name = "dcbDrive";
  drive.parent = self;
  drive.left = 32;
  drive.top = 56;
  drive.width = 169;
  drive.height = 18;
  drive.onChange = [this] { dcbDriveChange(); };
  dcbDrive.CreateDriveBox(drive);
  dcbDrive.SetFont(font);

  CreateButton(btnCancel, self, "btnCancel", "ｷｬﾝｾﾙ", {64, 312, 97, 41},
               [this] { btnCancelClick(); });
  CreateButton(btnOk, self, "btnOk", "OK", {64, 224, 97, 41}, [this] { btnOkClick(); });

  DirectoryList::Args list;
  list.name = "dlbDrive";
  list.parent = self;
  list.left = 232;
  list.top = 56;
  list.width = 273;
  list.height = 345;
  list.onChange = [this] { dlbDriveChange(); };
  dlbDrive.CreateDirectoryList(list);
  dlbDrive.SetFont(font);

  BevelPanel::Args panel;
  panel.parent = self;
  panel.name = "Panel1";
  panel.left = 32;
  panel.top = 16;
  panel.width = 473;
  panel.height = 25;
  panel.font = font;
  Panel1.Create(panel);
}

void TfrmChangeDrive::FormCreate() { dlbDrive.SetFolder(homeFolder_ + "..\\"); }

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

LRESULT TfrmChangeDrive::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && focus_.OnActivate(Handle(), wParam)) return 0;
  return Form::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
