// The folder chooser, driven in-process under Wine against real folders and
// the prefix's drives (Q: a CD-ROM).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Win32Platform.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/win32/TestText.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/main/WindowMessages.h"

namespace sorvel::ui {
namespace {

// The folder's path as the list shows it: the root, then each component.
std::vector<std::string> PathItems(const std::string& folder) {
  std::vector<std::string> parts = cp932::SplitAtBackslashes(folder);
  std::vector<std::string> items{parts.front() + "\\"};
  for (std::size_t index = 1; index < parts.size(); ++index) {
    if (!parts[index].empty()) items.push_back(parts[index]);
  }
  return items;
}

std::vector<std::string> Items(const DirectoryList& list) {
  std::vector<std::string> items;
  for (int index = 0; index < list.Count(); ++index) items.push_back(list.Item(index));
  return items;
}

// A drive R: that answers as a drive without a medium does on Windows:
// removable, and "not ready" for every attempt to enter it. (Wine reports
// the prefix's R:, mapped to a missing folder, as having no root at all, so
// the drive box would not list it.)
class NotReadyRPlatform : public win32::Win32Platform {
 public:
  std::uint32_t LogicalDrives() override { return Win32Platform::LogicalDrives() | 1u << 17; }
  DriveType DriveTypeOf(const std::string& root) override {
    return IsR(root) ? DriveType::Removable : Win32Platform::DriveTypeOf(root);
  }
  ErrorCode ChangeDirectory(const std::string& path) override {
    if (!IsR(path)) return Win32Platform::ChangeDirectory(path);
    ++tries;
    return error::kNotReady;
  }
  int tries = 0;

 private:
  static bool IsR(const std::string& path) { return !path.empty() && (path[0] | 0x20) == 'r'; }
};

// Acts inside the modal loop of the next ShowModal.
std::function<void(Form&)> inModal;
void RunInModal(Form& form) {
  if (inModal) inModal(form);
}

class ChangeDriveWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test::MakeTempFolder(L"chooser");
    for (const wchar_t* name :
         {L"LAUNCH", L"Zeta", L"数学", L"alpha", L"ALGEBR12", L"geomet11", L"HIDDEN", L"SYSTEM"}) {
      CreateDirectoryW((root_ + L"\\SERIES").c_str(), nullptr);
      ASSERT_TRUE(CreateDirectoryW((root_ + L"\\SERIES\\" + name).c_str(), nullptr));
    }
    SetFileAttributesW((root_ + L"\\SERIES\\HIDDEN").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((root_ + L"\\SERIES\\SYSTEM").c_str(), FILE_ATTRIBUTE_SYSTEM);
    test::WriteFileBytes(root_ + L"\\SERIES\\file.exe", "MZ");
    series_ = platform_.FullPath(test::Cp932(root_) + "\\SERIES");
    home_ = series_ + "\\LAUNCH\\";
    Window::SetErrorReporter(ErrorBoxReporter(messages_));
    Form::SetModalShownHook(RunInModal);
  }
  void TearDown() override {
    inModal = nullptr;
    Form::SetModalShownHook(nullptr);
    Window::SetErrorReporter(nullptr);
    SetCurrentDirectoryW(L"C:\\");
    test::RemoveTree(root_);
  }

  // The chooser of a launcher in `home`: it opens on the folder above.
  std::unique_ptr<TfrmChangeDrive> MakeChooser(const std::string& home) {
    auto chooser = std::make_unique<TfrmChangeDrive>(platform_, home + "..\\");
    EXPECT_TRUE(chooser->Create());
    return chooser;
  }

  // Where the drive box lists a drive; -1 when it does not.
  static int IndexOf(TfrmChangeDrive& chooser, char letter) {
    const auto& items = chooser.dcbDrive.Items();
    for (std::size_t index = 0; index < items.size(); ++index) {
      if (items[index].letter == letter) return static_cast<int>(index);
    }
    ADD_FAILURE() << letter << ": not listed";
    return -1;
  }

  // The user picks a drive in the drive box.
  static void PickDrive(TfrmChangeDrive& chooser, char letter) {
    HWND box = chooser.dcbDrive.Handle();
    SendMessageW(box, CB_SETCURSEL, IndexOf(chooser, letter), 0);
    SendMessageW(chooser.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }

  // The user opens the drive box's list and clicks a drive in it.
  static void ChooseFromList(TfrmChangeDrive& chooser, char letter) {
    HWND box = chooser.dcbDrive.Handle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, IndexOf(chooser, letter),
                 reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
    SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
    test::PumpMessages();
    EXPECT_FALSE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) << "the list stayed open";
  }

  // A choice from the drive box's list as Windows may tell it: the selection
  // change (when the drive changes) before the list's "OK", not after.
  static void ChooseSelectionFirst(TfrmChangeDrive& chooser, char letter) {
    HWND box = chooser.dcbDrive.Handle();
    const auto notify = [&chooser, box](WORD code) {
      SendMessageW(chooser.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), code),
                   reinterpret_cast<LPARAM>(box));
    };
    notify(CBN_DROPDOWN);
    const LRESULT index = IndexOf(chooser, letter);
    const bool changes = SendMessageW(box, CB_GETCURSEL, 0, 0) != index;
    SendMessageW(box, CB_SETCURSEL, index, 0);
    if (changes) notify(CBN_SELCHANGE);
    notify(CBN_SELENDOK);
  }

  // A click (or double click) of the mouse on an entry of the list.
  static void ClickItem(DirectoryList& list, const std::string& name, bool twice) {
    int index = 0;
    while (index < list.Count() && list.Item(index) != name) ++index;
    ASSERT_LT(index, list.Count()) << name;
    RECT item{};
    SendMessageW(list.Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 30, (item.top + item.bottom) / 2);
    SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
    if (twice) {
      SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
    }
    test::PumpMessages();
  }

  void ExpectAt(const TfrmChangeDrive& chooser, const std::string& folder) {
    EXPECT_EQ(chooser.Folder(), folder);
    EXPECT_EQ(chooser.Panel1.Text(), folder);
    EXPECT_EQ(platform_.CurrentDirectory(), folder);
  }

  win32::Win32Platform platform_;
  test::RecordingMessages messages_;
  std::wstring root_;
  std::string series_;
  std::string home_;
};

TEST_F(ChangeDriveWindowTest, OpensOnTheParentOfTheHomeFolder) {
  auto chooser = MakeChooser(home_);
  ExpectAt(*chooser, series_);
  EXPECT_EQ(chooser->Text(), "Sorvel Launcher Drive");
  const RECT bounds = chooser->Bounds();
  EXPECT_EQ(bounds.left, 113);
  EXPECT_EQ(bounds.top, 158);
  EXPECT_EQ(chooser->Width(), 687);
  EXPECT_EQ(chooser->Height(), 450);

  // Root and path, then the sub-folders that are neither hidden nor system,
  // in the user locale's order without regard to case.
  std::vector<std::string> expected = PathItems(series_);
  for (const char* name : {"ALGEBR12", "alpha", "geomet11", "LAUNCH", "Zeta", "数学"}) {
    expected.push_back(name);
  }
  EXPECT_EQ(Items(chooser->dlbDrive), expected);
  EXPECT_EQ(expected.front(), "C:\\");
  EXPECT_EQ(chooser->dlbDrive.Item(chooser->dlbDrive.SelectedIndex()), "SERIES");
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(ChangeDriveWindowTest, HomeAtADriveRootOpensOnTheRoot) {
  auto chooser = MakeChooser("Q:\\");
  ExpectAt(*chooser, "Q:\\");
  EXPECT_EQ(Items(chooser->dlbDrive).front(), "Q:\\");
}

TEST_F(ChangeDriveWindowTest, ControlsStandInTheFocusOrderWithoutDefaultButtons) {
  auto chooser = MakeChooser(home_);
  std::vector<std::string> order;
  HWND first = GetNextDlgTabItem(chooser->Handle(), nullptr, FALSE);
  for (HWND at = first; at;) {
    order.push_back(Window::FromHandle(at)->Name());
    at = GetNextDlgTabItem(chooser->Handle(), at, FALSE);
    if (at == first) break;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"dcbDrive", "btnCancel", "btnOk", "dlbDrive"}));
  EXPECT_EQ(chooser->btnOk.Text(), "OK");
  EXPECT_EQ(chooser->btnCancel.Text(), "ｷｬﾝｾﾙ");
  for (Window* button :
       {static_cast<Window*>(&chooser->btnOk), static_cast<Window*>(&chooser->btnCancel)}) {
    EXPECT_FALSE(SendMessageW(button->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
  }
  struct Placement {
    Window* control;
    RECT bounds;
  };
  for (const Placement& p : {Placement{&chooser->Panel1, {32, 16, 505, 41}},
                             Placement{&chooser->dlbDrive, {232, 56, 505, 401}},
                             Placement{&chooser->btnOk, {64, 224, 161, 265}},
                             Placement{&chooser->btnCancel, {64, 312, 161, 353}}}) {
    const RECT r = p.control->Bounds();
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({p.bounds.left, p.bounds.top, p.bounds.right, p.bounds.bottom}))
        << p.control->Name();
  }
}

TEST_F(ChangeDriveWindowTest, DriveBoxListsTheCdRomWithItsLabel) {
  auto chooser = MakeChooser(home_);
  std::string expectedLabel = platform_.VolumeLabel("Q:\\").value_or("");
  for (char& c : expectedLabel) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  bool listedQ = false;
  for (const DriveItem& item : chooser->dcbDrive.Items()) {
    if (item.letter == 'Q') {
      listedQ = true;
      EXPECT_EQ(item.kind, DriveKind::CdRom);
      EXPECT_EQ(item.caption, "Q: [" + expectedLabel + "]");
    }
    // Wine answers "no root" for R:, mapped to a missing folder: not listed.
    EXPECT_NE(item.letter, 'R');
  }
  EXPECT_TRUE(listedQ);
}

// The drives are named when the chooser is first shown, not at start-up;
// shown, the box lists them all and shows the current drive's caption.
TEST_F(ChangeDriveWindowTest, DriveBoxListsTheDrivesWhenTheChooserIsShown) {
  SetCurrentDirectoryW(L"C:\\");
  auto chooser = MakeChooser(home_);
  const HWND box = chooser->dcbDrive.Handle();
  EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(chooser->dcbDrive.Drive(), 'C');

  chooser->Show();
  const LRESULT shown = SendMessageW(box, CB_GETCOUNT, 0, 0);
  const std::vector<DriveItem> items = chooser->dcbDrive.Items();
  ASSERT_EQ(shown, static_cast<LRESULT>(items.size()));
  for (std::size_t index = 0; index < items.size(); ++index) {
    wchar_t text[256] = L"";
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(win32::WideToCp932(text).value_or("?"), items[index].caption);
  }
  EXPECT_EQ(chooser->dcbDrive.Drive(), 'C');
  EXPECT_EQ(chooser->dcbDrive.SelectedCaption().substr(0, 3), "C: ");
  wchar_t caption[256] = L"";
  GetWindowTextW(box, caption, 256);
  EXPECT_EQ(test::Cp932(caption), chooser->dcbDrive.SelectedCaption());
}

TEST_F(ChangeDriveWindowTest, PickingADriveMovesTheListUnlessItIsOnThatDrive) {
  SetCurrentDirectoryW(L"Q:\\");  // the drive box starts on the current drive
  auto chooser = MakeChooser(home_);
  ASSERT_EQ(chooser->dcbDrive.Drive(), 'Q');
  ExpectAt(*chooser, series_);

  PickDrive(*chooser, 'C');  // the list already shows a folder of C:
  EXPECT_EQ(chooser->dcbDrive.Drive(), 'C');
  ExpectAt(*chooser, series_);

  PickDrive(*chooser, 'Q');
  ExpectAt(*chooser, "Q:\\");
  EXPECT_EQ(Items(chooser->dlbDrive).front(), "Q:\\");

  const std::string currentOfC = platform_.FullPath("C:");
  PickDrive(*chooser, 'C');
  ExpectAt(*chooser, currentOfC);
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(ChangeDriveWindowTest, ADriveThatIsNotReadyShowsTheErrorAndKeepsTheFolder) {
  NotReadyRPlatform platform;
  TfrmChangeDrive chooser(platform, home_ + "..\\");
  ASSERT_TRUE(chooser.Create());
  const std::vector<std::string> before = Items(chooser.dlbDrive);

  PickDrive(chooser, 'R');
  // ")" sorts below ".", so the error box adds no period.
  EXPECT_EQ(messages_.errors, std::vector<std::string>{"I/O エラー (21)"});
  EXPECT_EQ(chooser.dcbDrive.Drive(), 'R');
  EXPECT_EQ(chooser.dcbDrive.SelectedCaption(), "R:");
  ExpectAt(chooser, series_);
  EXPECT_EQ(Items(chooser.dlbDrive), before);

  // Choosing the drive again tries it again, once per choice; choosing the
  // drive the list shows changes nothing. {drive, attempts and errors so far}
  const struct {
    char letter;
    bool selectionFirst;
    int tries;
  } choices[] = {{'R', false, 2}, {'R', false, 3}, {'C', false, 3}, {'C', false, 3},
                 {'R', false, 4}, {'C', true, 4},  {'R', true, 5},  {'R', true, 6}};
  for (const auto& [letter, selectionFirst, tries] : choices) {
    if (selectionFirst) {
      ChooseSelectionFirst(chooser, letter);
    } else {
      ChooseFromList(chooser, letter);
    }
    EXPECT_EQ(chooser.dcbDrive.Drive(), letter);
    EXPECT_EQ(platform.tries, tries) << letter;
    EXPECT_EQ(messages_.errors.size(), static_cast<std::size_t>(tries)) << letter;
    ExpectAt(chooser, series_);
  }
}

TEST_F(ChangeDriveWindowTest, ClickSelectsAndDoubleClickOrEnterOpens) {
  auto chooser = MakeChooser(home_);
  DirectoryList& list = chooser->dlbDrive;

  ClickItem(list, "ALGEBR12", false);
  EXPECT_EQ(list.Item(list.SelectedIndex()), "ALGEBR12");
  ExpectAt(*chooser, series_);

  ClickItem(list, "数学", true);
  ExpectAt(*chooser, series_ + "\\数学");
  EXPECT_EQ(list.Item(list.SelectedIndex()), "数学");
  EXPECT_EQ(Items(list), PathItems(series_ + "\\数学"));  // no sub-folders

  ClickItem(list, "SERIES", true);  // a component of the path
  ExpectAt(*chooser, series_);

  // Enter on the root goes to the root of the drive, by the dialog manager's
  // way of handing keys to the focused control.
  list.SelectIndex(0);
  SetFocus(list.Handle());
  MSG enter{};
  enter.hwnd = list.Handle();
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  if (!IsDialogMessageW(chooser->Handle(), &enter)) DispatchMessageW(&enter);
  ExpectAt(*chooser, "C:\\");
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(ChangeDriveWindowTest, AFolderThatCannotBeEnteredShowsTheErrorAndKeepsTheFolder) {
  auto chooser = MakeChooser(home_);
  const std::vector<std::string> before = Items(chooser->dlbDrive);
  RemoveDirectoryW((root_ + L"\\SERIES\\geomet11").c_str());
  const ErrorCode code = platform_.ChangeDirectory(series_ + "\\geomet11");
  ASSERT_NE(code, error::kOk);
  platform_.ChangeDirectory(series_);

  ClickItem(chooser->dlbDrive, "geomet11", true);
  EXPECT_EQ(messages_.errors,
            std::vector<std::string>{WithClosingPeriod(texts::InOutErrorText(code))});
  ExpectAt(*chooser, series_);
  EXPECT_EQ(Items(chooser->dlbDrive), before);
}

TEST_F(ChangeDriveWindowTest, ModalResultsAndTheFolderKeptBetweenShowings) {
  auto chooser = MakeChooser(home_);
  TfrmChangeDrive* self = chooser.get();

  inModal = [self](Form&) {
    EXPECT_EQ(GetFocus(), self->dcbDrive.Handle());  // first in the focus order
    ClickItem(self->dlbDrive, "ALGEBR12", true);
    test::Click(self->btnOk.Handle());
  };
  EXPECT_EQ(chooser->ShowModal(), kModalOk);
  EXPECT_FALSE(IsWindowVisible(chooser->Handle()));

  // A move, then Cancel: the move stays.
  inModal = [self](Form&) {
    EXPECT_EQ(self->Folder(), self->Panel1.Text());
    ClickItem(self->dlbDrive, "SERIES", true);
    test::Click(self->btnCancel.Handle());
  };
  EXPECT_EQ(chooser->ShowModal(), kModalCancel);
  ExpectAt(*chooser, series_);

  // The title bar's close button, with the focus on the list.
  inModal = [self](Form& form) {
    SetFocus(self->dlbDrive.Handle());
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  EXPECT_EQ(chooser->ShowModal(), kModalCancel);

  // Enter and Esc press neither button: Enter then the title bar gives 2,
  // Esc then OK gives 1. The list that had the focus when the chooser was
  // left has it again.
  inModal = [self](Form& form) {
    EXPECT_EQ(GetFocus(), self->dlbDrive.Handle());
    HWND focus = self->dcbDrive.Handle();
    SetFocus(focus);
    PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(focus, WM_KEYUP, VK_RETURN, 0);
    PostMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  };
  EXPECT_EQ(chooser->ShowModal(), kModalCancel);
  inModal = [self](Form&) {
    HWND focus = self->dcbDrive.Handle();
    SetFocus(focus);
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0);
    PostMessageW(self->btnOk.Handle(), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(chooser->ShowModal(), kModalOk);
  ExpectAt(*chooser, series_);
  EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(ChangeDriveWindowTest, Screenshot) {
  auto chooser = MakeChooser(home_);
  chooser->Show();
  ClickItem(chooser->dlbDrive, "alpha", false);
  const test::Picture shot = test::SaveScreenshot(chooser->Handle(), "ChangeDriveWindow");
  chooser->SetVisible(false);

  // The entry clicked is highlighted, and the chooser's folder is written.
  const HWND list = chooser->dlbDrive.Handle();
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, chooser->dlbDrive.SelectedIndex(),
               reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(chooser->dlbDrive.Item(chooser->dlbDrive.SelectedIndex()), "alpha");
  EXPECT_GT(shot.Count(GetSysColor(COLOR_HIGHLIGHT),
                       test::AreaOnScreenshot(chooser->Handle(), list, item)),
            20);
  RECT caption;
  GetClientRect(chooser->Panel1.Handle(), &caption);
  EXPECT_GT(
      shot.Count(GetSysColor(COLOR_WINDOWTEXT),
                 test::AreaOnScreenshot(chooser->Handle(), chooser->Panel1.Handle(), caption)),
      20);
}

}  // namespace
}  // namespace sorvel::ui
