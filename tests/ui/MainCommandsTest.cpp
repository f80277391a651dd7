// The side panel's commands in-process under Wine: details, browse, download
// and help, with the status window and the folder chooser created after the
// main window as the application does. The shell and the help viewer are
// replaced by recorders, so no browser or help viewer starts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "core/Cp932.h"
#include "core/InstallationScan.h"
#include "core/Messages.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Shell.h"
#include "tests/ui/MainTestSeries.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/ChangeDriveWindow.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/MainWindow.h"

namespace sorvel::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ui::Form;
using ui::TfrmChangeDrive;
using ui::TfrmMain;
using ui::TfrmShow;

std::string CurrentDirectory() {
  wchar_t folder[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, folder);
  return Cp932(folder);
}

HCURSOR WaitCursor() { return LoadCursorW(nullptr, IDC_WAIT); }

// The real platform, noting the cursor under which the scan searches, and
// refusing to enter one folder on request.
class WatchingPlatform : public RefusingPlatform {
 public:
  // The drive of `networkRoot` ("C:\\") answers as a network drive.
  DriveType DriveTypeOf(const std::string& root) override {
    if (!networkRoot.empty() && cp932::EqualsNoCase(root, networkRoot)) return DriveType::Remote;
    return Win32Platform::DriveTypeOf(root);
  }
  std::optional<FileInfo> FindFirstAndList(const std::string& pattern,
                                           const std::function<bool(const FileInfo&)>& readOn,
                                           std::vector<FileInfo>& all) override {
    cursors.push_back(GetCursor());
    return Win32Platform::FindFirstAndList(pattern, readOn, all);
  }
  ErrorCode List(const std::string& pattern, std::vector<FileInfo>& out) override {
    cursors.push_back(GetCursor());
    return Win32Platform::List(pattern, out);
  }

  std::vector<HCURSOR> cursors;
  std::string networkRoot;
};

// What the status window showed while it was open.
struct StatusSeen {
  std::string folder;                          // pnlDrive
  std::vector<std::vector<std::string>> rows;  // the entry rows
  HCURSOR cursor = nullptr;
};

// One call of the shell or the help viewer.
struct ShellCall {
  HWND owner;
  std::string file;
  std::string directory;
  int show;
  std::string currentDirectory;  // at the time of the call
};

// Acts inside the modal loop of the next ShowModal.
std::function<void(Form&)> inModal;
int modalShows = 0;
void RunInModal(Form& form) {
  ++modalShows;
  if (inModal) inModal(form);
}

class MainCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    modalShows = 0;
    Form::SetModalShownHook(RunInModal);
  }
  void TearDown() override {
    inModal = nullptr;
    Form::SetModalShownHook(nullptr);
  }

  // The main window as the launcher starts it; it makes its status window
  // and its chooser at their first use.
  TfrmMain& Open() {
    TfrmMain& window = series.Open(platform);
    window.EnterChooserFolder();
    startUpCursors = platform.cursors;
    platform.cursors.clear();
    UseShell(window);
    return window;
  }

  // The dialog shown modally, which must be the one shown before, if any.
  template <typename Dialog>
  static void Note(Form& form, Dialog*& seen) {
    auto* dialog = dynamic_cast<Dialog*>(&form);
    ASSERT_NE(dialog, nullptr) << "another window was shown";
    if (seen) {
      EXPECT_EQ(dialog, seen) << "the dialog was made again";
    }
    seen = dialog;
  }

  void UseShell(TfrmMain& window) {
    ui::ShellServices shell = ui::SystemShellServices();
    shell.open = [this](HWND owner, const std::string& file, const std::string& directory,
                        int how) {
      opened.push_back({owner, file, directory, how, CurrentDirectory()});
      return false;  // as a shell that cannot open it
    };
    shell.helpContents = [this](HWND owner, const std::string& file) {
      helped.push_back({owner, file, "", 0, CurrentDirectory()});
      return false;
    };
    shell.htmlHelpContents = [this](HWND owner, const std::string& file) {
      htmlHelped.push_back({owner, file, "", 0, CurrentDirectory()});
      return false;
    };
    window.SetShellServices(shell);
  }

  // Clicks the details button and notes what the status window shows.
  StatusSeen Details(TfrmMain& window) {
    StatusSeen seen;
    inModal = [&](Form& form) {
      Note(form, show);
      if (!show) return;
      seen.folder = show->pnlDrive.Text();
      for (int row = 1; row < show->stgSpec.RowCount(); ++row) {
        std::vector<std::string> cells;
        for (int col = 0; col < 7; ++col) cells.push_back(show->stgSpec.Cell(col, row));
        seen.rows.push_back(cells);
      }
      seen.cursor = GetCursor();
      Click(show->btnClose.Handle());
    };
    window.btnShow().Click();
    inModal = nullptr;
    return seen;
  }

  // Clicks the browse button, moves the chooser to `folder` as a double
  // click on its entry would (an empty one: stays), and leaves with OK or
  // Cancel.
  void Browse(TfrmMain& window, const std::wstring& folder, bool ok) {
    inModal = [&](Form& form) {
      Note(form, chooser);
      if (!chooser) return;
      if (folder.empty()) return Click((ok ? chooser->btnOk : chooser->btnCancel).Handle());
      const std::string target = platform.FullPath(Cp932(folder));
      int index = 0;
      while (index < chooser->dlbDrive.Count() &&
             !cp932::EqualsNoCase(chooser->dlbDrive.ItemFolder(index), target)) {
        ++index;
      }
      if (index < chooser->dlbDrive.Count()) {
        chooser->dlbDrive.SelectIndex(index);
        chooser->dlbDrive.OpenSelected();
      } else {
        ADD_FAILURE() << target << " not listed";
        ok = false;
      }
      Click((ok ? chooser->btnOk : chooser->btnCancel).Handle());
    };
    window.btnChangeDrive().Click();
    inModal = nullptr;
  }

  static void ExpectInstalled(TfrmMain& window, std::vector<bool> installed) {
    for (int n = 1; n <= static_cast<int>(installed.size()); ++n) {
      SCOPED_TRACE("entry " + std::to_string(n));
      EXPECT_EQ(window.Board().Panel(n)->Enabled(), installed[n - 1]);
      EXPECT_EQ(window.Board().Panel(n)->FontColor(),
                installed[n - 1] ? ui::kTitleGreen : ui::kTitleWhite);
    }
  }

  std::string Full(const std::wstring& folder) { return platform.FullPath(Cp932(folder)); }

  MainTestSeries series;
  WatchingPlatform platform;
  TfrmShow* show = nullptr;  // the window's own, once shown
  TfrmChangeDrive* chooser = nullptr;
  std::vector<HCURSOR> startUpCursors;
  std::vector<ShellCall> opened;
  std::vector<ShellCall> helped;
  std::vector<ShellCall> htmlHelped;
};

// ---------------------------------------------------------------------------
// Details.

TEST_F(MainCommands, DetailsRightAfterStartUpOnAHardDiskCountsAfreshUnderTheBusyCursor) {
  series.WriteCatalogue("Series",
                        {{"代数 I", "algebra1"}, {"図形", "geometry"}, {"関数", "kansu"}});
  series.Install(L"AAOLD", L"algebra1.exe");
  series.Install(L"ALGEBR12", L"algebra1.exe");
  series.Install(L"GEOMET11", L"GEOMETRY.EXE");
  TfrmMain& window = Open();
  ASSERT_EQ(window.State().Result(1).matchCount, 2);
  ASSERT_FALSE(startUpCursors.empty());
  EXPECT_THAT(startUpCursors, Each(WaitCursor()));

  // Twice: without clearing the counters the second table would say 3.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    platform.cursors.clear();
    const StatusSeen seen = Details(window);
    ASSERT_EQ(modalShows, round + 1);
    // The chooser opened on the parent of the home folder, which is scanned.
    EXPECT_EQ(seen.folder, Full(series.root));
    EXPECT_EQ(window.State().baseFolder, Full(series.root) + "\\");
    ASSERT_EQ(seen.rows.size(), 3u);
    EXPECT_THAT(seen.rows[0],
                ElementsAre("代数 I", "algebra1.exe", "1.2", "1.0", "Free", "1", "ALGEBR12"));
    EXPECT_THAT(seen.rows[1],
                ElementsAre("図形", "geometry.exe", "1.1", "1.0", "Free", "0", "GEOMET11"));
    EXPECT_THAT(seen.rows[2], ElementsAre("関数", "kansu.exe", "", "1.0", "not installed", "", ""));
    EXPECT_EQ(window.State().Result(1).matchCount, 2);
    // The hourglass while the scan searched, not while the table is shown.
    ASSERT_FALSE(platform.cursors.empty());
    EXPECT_THAT(platform.cursors, Each(WaitCursor()));
    EXPECT_NE(seen.cursor, WaitCursor());
    EXPECT_NE(GetCursor(), WaitCursor());
  }
  ExpectInstalled(window, {true, true, false});
  EXPECT_THAT(series.messages.messages, IsEmpty());
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

// The launcher in the root of a CD-ROM (drive Q: of the test prefix).
TEST_F(MainCommands, DetailsFromACdRootScansTheRootAgainAndTheToggleItsParent) {
  if (GetDriveTypeW(L"Q:\\") != DRIVE_CDROM) GTEST_SKIP() << "no CD-ROM drive Q:";
  const std::wstring folder = L"SVLCD" + std::to_wstring(GetCurrentProcessId());
  const std::wstring program = L"Q:\\" + folder + L"\\cdprog.exe";
  WriteFileBytes(L"Q:\\SVLindex.txt", "CD Series\r\n2024/04/01\r\nCD 版,cdprog,1.0,KEY\r\n");
  ASSERT_TRUE(CreateDirectoryW((L"Q:\\" + folder).c_str(), nullptr));
  // The sample recorder stands in for the program.
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring recorder = self;
  recorder = recorder.substr(0, recorder.rfind(L'\\')) + L"\\sorvel_sample_recorder.exe";
  ASSERT_TRUE(CopyFileW(recorder.c_str(), program.c_str(), FALSE));
  struct Cleanup {
    std::wstring folder;
    ~Cleanup() {
      SetCurrentDirectoryW(L"C:\\");
      DeleteFileW(L"Q:\\SVLindex.txt");
      RemoveTree(folder);
    }
  } cleanup{L"Q:\\" + folder};

  SetCurrentDirectoryW(L"Q:\\");
  series.window = std::make_unique<TfrmMain>(platform, series.messages);
  TfrmMain& window = *series.window;
  window.Create();
  window.EnterChooserFolder();
  UseShell(window);
  ASSERT_TRUE(window.State().catalogueLoaded);
  ASSERT_TRUE(window.State().fromCdRom);
  EXPECT_EQ(window.State().baseFolder, "Q:\\");
  ExpectInstalled(window, {true});

  // The chooser opened on the parent of the root, the root itself.
  const StatusSeen seen = Details(window);
  EXPECT_EQ(seen.folder, "Q:\\");
  EXPECT_EQ(window.State().baseFolder, "Q:\\");
  ASSERT_EQ(seen.rows.size(), 1u);
  EXPECT_EQ(seen.rows[0][5], "0");
  EXPECT_EQ(seen.rows[0][6], Cp932(folder));
  ExpectInstalled(window, {true});

  // The small picture always scans the parent of the home folder.
  Click(window.imgPicture);
  EXPECT_EQ(window.State().baseFolder, "Q:\\..\\");
  ExpectInstalled(window, {true});
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

// A disc copied into a folder: nothing beside the launcher's folder, the
// programs below it. Its own folder is searched from the start on, and its
// programs start.
TEST_F(MainCommands, CopiedDiscIsSearchedInTheLaunchersFolderFromStartToToggle) {
  series.WriteCatalogue("Series", {{"代数 I", "algebra1"}, {"図形", "geometry"}});
  series.Install(L"LAUNCH\\ALGEBR12", L"algebra1.exe");
  TfrmMain& window = Open();
  EXPECT_TRUE(window.State().copiedDisc);
  ExpectInstalled(window, {true, false});

  const StatusSeen seen = Details(window);
  EXPECT_EQ(seen.folder, Full(series.home));
  EXPECT_EQ(window.State().baseFolder, Full(series.home) + "\\");
  ASSERT_EQ(seen.rows.size(), 2u);
  EXPECT_EQ(seen.rows[0][6], "ALGEBR12");
  Click(window.imgPicture);
  EXPECT_EQ(window.State().baseFolder, window.State().homeFolder);
  ExpectInstalled(window, {true, false});

  Click(window.Board().Panel(1)->Handle(), 100, 15);
  const auto records = series.Records(L"LAUNCH\\ALGEBR12");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].substr(records[0].find(L'|') + 1), L"algebra1.exe");
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

// ---------------------------------------------------------------------------
// Browse.

TEST_F(MainCommands, BrowseCancelKeepsTheScanUntilDetailsScansTheChoosersNewFolder) {
  series.WriteCatalogue("Series", {{"代数 I", "algebra1"}, {"関数", "kansu"}});
  series.Install(L"ALGEBR12", L"algebra1.exe");
  CreateDirectoryW((series.root + L"\\ELSEWHERE").c_str(), nullptr);
  series.Install(L"ELSEWHERE\\KANSU10", L"kansu.exe");
  const std::wstring elsewhere = series.root + L"\\ELSEWHERE";
  TfrmMain& window = Open();
  const std::string startBase = window.State().baseFolder;
  ExpectInstalled(window, {true, false});

  // The chooser's first use, left at once, after help moved the current
  // directory to the home folder: the chooser opened on the parent of the
  // home folder, and the current directory stays where help left it.
  EXPECT_TRUE(cp932::EqualsNoCase(CurrentDirectory(), Full(series.root)));
  window.btnHelp().Click();
  const std::string helpLeft = CurrentDirectory();
  ASSERT_FALSE(cp932::EqualsNoCase(helpLeft, Full(series.root)));
  Browse(window, L"", false);
  EXPECT_EQ(chooser->Folder(), Full(series.root));
  EXPECT_EQ(CurrentDirectory(), helpLeft);

  // Cancel: no scan now, but the chooser stays where it was moved.
  Browse(window, elsewhere, false);
  EXPECT_EQ(chooser->Folder(), Full(elsewhere));
  EXPECT_EQ(window.State().baseFolder, startBase);
  ExpectInstalled(window, {true, false});

  // Details scans the new folder and recolours the panels.
  StatusSeen seen = Details(window);
  EXPECT_EQ(seen.folder, Full(elsewhere));
  EXPECT_EQ(window.State().baseFolder, Full(elsewhere) + "\\");
  ExpectInstalled(window, {false, true});

  // The chooser opens where it was left; OK rescans at once.
  Browse(window, series.root, true);
  EXPECT_EQ(window.State().baseFolder, Full(series.root) + "\\");
  ExpectInstalled(window, {true, false});
  EXPECT_EQ(modalShows, 4);

  // A folder that cannot be entered: the error box, no table, and the
  // panels keep the last scan's look.
  Browse(window, elsewhere, false);
  platform.refused = Full(elsewhere);
  window.btnShow().Click();
  EXPECT_EQ(modalShows, 5);  // the chooser only
  EXPECT_THAT(series.messages.errors, ElementsAre(WithClosingPeriod(texts::InOutErrorText(5))));
  ExpectInstalled(window, {true, false});
  EXPECT_NE(GetCursor(), WaitCursor());
  EXPECT_THAT(series.messages.messages, IsEmpty());
}

// ---------------------------------------------------------------------------
// Download and help.

TEST_F(MainCommands, DownloadOpensIndexHtmOfTheHomeFolderAndHelpStartsThere) {
  series.WriteCatalogue("Series", {{"代数 I", "algebra1"}});
  series.Install(L"ALGEBR12", L"algebra1.exe");
  TfrmMain& window = Open();
  const std::string home = window.State().homeFolder;

  window.btnDownLoad().Click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].owner, window.Handle());
  EXPECT_EQ(opened[0].file, home + "index.htm");
  EXPECT_FALSE(opened[0].directory.empty());
  EXPECT_EQ(opened[0].directory, win32::WindowsDirectory());
  EXPECT_EQ(opened[0].show, SW_SHOW);

  // Each of these leaves the current directory elsewhere; help moves it
  // back to the home folder before the help file's bare name is opened.
  const std::vector<std::pair<const char*, std::function<void()>>> movers = {
      {"program launch",
       [&] {
         Click(window.Board().Panel(1)->Handle(), 100, 15);
         series.Records(L"ALGEBR12");
       }},
      {"scan with icons",
       [&] {
         Click(window.imgPicture);
         Click(window.imgPicture);
       }},
      {"move in the chooser", [&] { Browse(window, series.root + L"\\ALGEBR12", false); }},
  };
  for (const auto& [what, move] : movers) {
    SCOPED_TRACE(what);
    move();
    ASSERT_FALSE(cp932::EqualsNoCase(cp932::WithTrailingBackslash(CurrentDirectory()), home));
    helped.clear();
    window.btnHelp().Click();
    ASSERT_EQ(helped.size(), 1u);
    EXPECT_EQ(helped[0].owner, window.Handle());
    EXPECT_EQ(helped[0].file, "SorvelL.hlp");
    EXPECT_TRUE(cp932::EqualsNoCase(cp932::WithTrailingBackslash(helped[0].currentDirectory), home))
        << helped[0].currentDirectory;
  }
  // Refused by the shell and the help viewer: nothing is said.
  EXPECT_THAT(series.messages.errors, IsEmpty());
  // Only the two scans with icons spoke: the recorder has no icon.
  EXPECT_THAT(series.messages.messages,
              ElementsAre("ALGEBR12 algebra1.exe", "ALGEBR12 algebra1.exe"));
}

// Windows 10 and 11 open no Windows Help: the compiled help comes first, and
// from a network drive the page, which HTML Help would leave blank there.
TEST_F(MainCommands, HelpOpensTheFirstHelpFileInTheOrderForWhereTheLauncherLies) {
  series.WriteCatalogue("Series", {{"代数 I", "algebra1"}});
  TfrmMain& window = Open();
  const std::string home = window.State().homeFolder;
  const std::string drive = home.substr(0, 3);
  const struct {
    const char* why;
    std::vector<const wchar_t*> files;
    bool network;
    std::vector<ShellCall>* viewer;
    std::string file;
  } rows[] = {
      {"Windows Help beside the compiled help",
       {L"SorvelL.hlp", L"SorvelL.chm"},
       false,
       &htmlHelped,
       home + "SorvelL.chm"},
      {"all three",
       {L"SorvelL.hlp", L"SorvelL.chm", L"SorvelL.htm"},
       false,
       &htmlHelped,
       home + "SorvelL.chm"},
      {"all three on a network drive",
       {L"SorvelL.hlp", L"SorvelL.chm", L"SorvelL.htm"},
       true,
       &opened,
       home + "SorvelL.htm"},
      {"the page and Windows Help",
       {L"SorvelL.hlp", L"SorvelL.htm"},
       false,
       &opened,
       home + "SorvelL.htm"},
      {"Windows Help alone on a network drive", {L"SorvelL.hlp"}, true, &helped, "SorvelL.hlp"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    for (const wchar_t* file : row.files) WriteFileBytes(series.home + L"\\" + file, "help");
    platform.networkRoot = row.network ? drive : "";
    SetCurrentDirectoryW(series.root.c_str());  // where a scan leaves it
    opened.clear(), helped.clear(), htmlHelped.clear();
    window.btnHelp().Click();
    ASSERT_EQ(opened.size() + helped.size() + htmlHelped.size(), 1u) << "not one viewer";
    ASSERT_EQ(row.viewer->size(), 1u) << "another viewer";
    const ShellCall& call = row.viewer->front();
    EXPECT_EQ(call.owner, window.Handle());
    EXPECT_EQ(call.file, row.file);
    EXPECT_TRUE(cp932::EqualsNoCase(cp932::WithTrailingBackslash(call.currentDirectory), home));
    if (row.viewer == &opened) {  // as index.htm is opened
      EXPECT_EQ(call.directory, win32::WindowsDirectory());
      EXPECT_EQ(call.show, SW_SHOW);
    }
    for (const wchar_t* file : row.files) DeleteFileW((series.home + L"\\" + file).c_str());
  }
  EXPECT_THAT(series.messages.errors, IsEmpty());
}

}  // namespace
}  // namespace sorvel::test
