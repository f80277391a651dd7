#include "tests/monkey/RandomUser.h"

#include <algorithm>
#include <cwctype>

#include "tests/monkey/UserInput.h"
#include "tests/support/process/ProcessDriver.h"

namespace sorvel::test {
namespace {

enum class Action {
  Click,
  DoubleClick,
  MovePath,
  Hover,
  Key,
  SideButton,
  Toggle,
  TitlePanel,
  PickDrive,
  OpenFolder,
  ChooserButton,
  GridClick,
  Print,
  CloseStatus,
};

// How often each action comes, per 1000 steps: mostly input anywhere, the
// rest aimed at what the user came for.
struct WeightedAction {
  Action action;
  int weight;
};
constexpr WeightedAction kActions[] = {
    {Action::Click, 170},     {Action::DoubleClick, 80},   {Action::MovePath, 100},
    {Action::Hover, 60},      {Action::Key, 220},          {Action::SideButton, 90},
    {Action::Toggle, 30},     {Action::TitlePanel, 50},    {Action::PickDrive, 40},
    {Action::OpenFolder, 60}, {Action::ChooserButton, 25}, {Action::GridClick, 30},
    {Action::Print, 25},      {Action::CloseStatus, 20},
};

struct KeyChoice {
  WORD key;
  bool alt, shift;
  const char* name;
  int weight;  // per 100
};
constexpr KeyChoice kKeys[] = {
    {VK_TAB, false, false, "Tab", 22},       {VK_TAB, false, true, "Shift+Tab", 8},
    {VK_UP, false, false, "Up", 8},          {VK_DOWN, false, false, "Down", 10},
    {VK_LEFT, false, false, "Left", 6},      {VK_RIGHT, false, false, "Right", 6},
    {VK_RETURN, false, false, "Enter", 14},  {VK_SPACE, false, false, "Space", 12},
    {VK_ESCAPE, false, false, "Escape", 13}, {VK_F4, true, false, "Alt+F4", 1},
};

// The side panel's commands; leaving is the rarest, so that a launcher
// lives long enough for its handles to tell.
struct SideCommand {
  const wchar_t* caption;
  int weight;  // per 100
};
constexpr SideCommand kSideCommands[] = {
    {L"詳細", 36}, {L"参照", 36}, {L"最新版ダウンロード", 12}, {L"ヘルプ", 12}, {L"終了", 4},
};

template <typename Table>
const auto& Choose(const Table& table, uint32_t roll) {
  int left = static_cast<int>(roll);
  for (const auto& row : table) {
    if (left < row.weight) return row;
    left -= row.weight;
  }
  return table[0];
}

template <typename Table>
int TotalWeight(const Table& table) {
  int total = 0;
  for (const auto& row : table) total += row.weight;
  return total;
}

// A point of a window's rectangle, on the screen: a maximised window's
// frame lies partly off it, and the pointer stops at the screen's edge.
POINT PointIn(const RECT& rect, double x, double y) {
  const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const LONG right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
  const LONG bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1;
  return {std::clamp(rect.left + static_cast<LONG>(x * (rect.right - rect.left)), left, right),
          std::clamp(rect.top + static_cast<LONG>(y * (rect.bottom - rect.top)), top, bottom)};
}

std::string Offset(const RECT& rect, POINT point) {
  return "+" + std::to_string(point.x - rect.left) + ",+" + std::to_string(point.y - rect.top);
}

const SeenWindow* FindKind(const std::vector<SeenWindow>& windows, WindowKind kind) {
  for (const SeenWindow& window : windows) {
    if (window.kind == kind) return &window;
  }
  return nullptr;
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& head) {
  return text.compare(0, head.size(), head) == 0;
}

}  // namespace

int PathEntries(const std::wstring& folder) {
  int separators = 0;
  for (wchar_t c : folder) separators += c == L'\\';
  return separators + (folder.empty() || folder.back() == L'\\' ? 0 : 1);
}

bool Strayed(const std::wstring& folder, const std::wstring& seriesRoot) {
  if (folder.empty()) return false;
  const std::wstring here = Upper(folder), root = Upper(seriesRoot);
  const bool inSeries = here == root || StartsWith(here, root + L"\\");
  const bool onTheWay = StartsWith(root, here.back() == L'\\' ? here : here + L"\\");
  return !inSeries && !onTheWay && PathEntries(folder) > 2;
}

namespace {

// From where the pointer is to `to`, in a few steps.
void GlideTo(POINT to) {
  POINT from;
  GetCursorPos(&from);
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    MoveMouse({from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
    Sleep(10);
  }
}

}  // namespace

RandomUser::RandomUser(LauncherWindows& windows, DWORD launcherId, std::wstring seriesRoot,
                       bool pressPrint)
    : windows_(windows),
      launcherId_(launcherId),
      seriesRoot_(std::move(seriesRoot)),
      pressPrint_(pressPrint) {}

RandomUser::Done RandomUser::Act(const Dice& dice, const std::vector<SeenWindow>& windows) {
  for (const SeenWindow& window : windows) {
    if (!window.iconic) continue;
    // A user brings a minimised window back from the task bar.
    PostMessageW(window.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    return {std::string("restore the ") + KindName(window.kind) + " from the task bar"};
  }
  const SeenWindow* main = FindKind(windows, WindowKind::Main);
  const SeenWindow* status = FindKind(windows, WindowKind::Status);
  const SeenWindow* chooser = FindKind(windows, WindowKind::Chooser);
  const SeenWindow* box = FindKind(windows, WindowKind::Box);
  Action action = Choose(kActions, dice.Pick(0, TotalWeight(kActions))).action;
  const bool forMain =
      action == Action::SideButton || action == Action::Toggle || action == Action::TitlePanel;
  if (forMain && main && !main->enabled) {
    // The user wants the main window back: answers the box, leaves the dialog.
    const HWND window = box ? box->hwnd : status ? status->hwnd : chooser ? chooser->hwnd : nullptr;
    const wchar_t* button = box || dice.Pick(1, 2) ? L"OK" : L"ｷｬﾝｾﾙ";
    const Done done = ClickControl(windows_.Child(window, status && !box ? L"閉じる" : button),
                                   dice, "to get back to the main window");
    if (!done.what.empty()) return done;
  }
  Done done;
  switch (action) {
    case Action::Click:
      return ClickSomewhere(dice, windows, false);
    case Action::DoubleClick:
      return ClickSomewhere(dice, windows, true);
    case Action::MovePath:
      return MovePath(dice, windows);
    case Action::Hover:
      if (main && main->enabled) done = Hover(dice, *main);
      break;
    case Action::Key:
      return Key(dice, windows);
    case Action::SideButton:
      done = SideButton(dice);
      break;
    case Action::Toggle:
      done = ClickControl(windows_.SmallPicture(), dice, "the small picture");
      break;
    case Action::TitlePanel: {
      const std::vector<HWND> panels = windows_.TitlePanels();
      if (!panels.empty()) {
        const HWND panel = panels[dice.Pick(1, static_cast<uint32_t>(panels.size()))];
        done = ClickControl(panel, dice, "title panel");
      }
      break;
    }
    case Action::PickDrive:
      if (chooser) done = PickDrive(dice, *chooser);
      break;
    case Action::OpenFolder:
      if (chooser) done = OpenFolder(dice, *chooser);
      break;
    case Action::ChooserButton:
      if (chooser)
        done = ClickControl(windows_.Child(chooser->hwnd, dice.Pick(1, 2) ? L"OK" : L"ｷｬﾝｾﾙ"), dice,
                            "chooser button");
      break;
    case Action::GridClick:
      if (status)
        done = ClickControl(windows_.ChildAt(status->hwnd, 24, 40), dice, "the grid",
                            dice.Pick(4, 4) == 0);
      break;
    case Action::Print:
      if (status)
        done = ClickControl(windows_.Child(status->hwnd, pressPrint_ ? L"印刷" : L"閉じる"), dice,
                            "status button");
      break;
    case Action::CloseStatus:
      if (status)
        done = ClickControl(windows_.Child(status->hwnd, L"閉じる"), dice, "status button");
      break;
  }
  // Aimed at a window that is not open: the click lands anywhere.
  return done.what.empty() ? ClickSomewhere(dice, windows, false) : done;
}

RandomUser::Done RandomUser::ClickSomewhere(const Dice& dice,
                                            const std::vector<SeenWindow>& windows, bool twice) {
  const SeenWindow& window = windows[dice.Pick(1, static_cast<uint32_t>(windows.size()))];
  const RECT& target = window.rect;
  const POINT point = PointIn(target, dice.Unit(2), dice.Unit(3));
  return ClickAt(point,
                 std::string(twice ? "double-click " : "click ") + KindName(window.kind) + " at " +
                     Offset(target, point),
                 twice);
}

RandomUser::Done RandomUser::ClickAt(POINT point, const std::string& what, bool twice) {
  const HWND under = WindowFromPoint(point);
  Done done{what + " on " + Describe(under)};
  done.mayEnd = Closes(under, point);
  if (twice) {
    DoubleClick(point);
  } else {
    Click(point);
  }
  return done;
}

bool RandomUser::IsExitButton(HWND hwnd) const {
  const HWND main = windows_.Main();
  return hwnd && main && GetAncestor(hwnd, GA_ROOT) == main && WindowText(hwnd) == L"終了";
}

// Whether a click there can close the launcher: on its exit button, or on
// the main window's close box or system menu where the frame is its own.
bool RandomUser::Closes(HWND under, POINT point) const {
  if (IsExitButton(under)) return true;
  DWORD_PTR hit = HTNOWHERE;
  return under && under == windows_.Main() &&
         SendMessageTimeoutW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y), SMTO_NORMAL,
                             5000, &hit) &&
         (hit == HTCLOSE || hit == HTSYSMENU);
}

RandomUser::Done RandomUser::MovePath(const Dice& dice, const std::vector<SeenWindow>& windows) {
  const SeenWindow& window = windows[dice.Pick(1, static_cast<uint32_t>(windows.size()))];
  const RECT& target = window.rect;
  const POINT to = PointIn(target, dice.Unit(2), dice.Unit(3));
  GlideTo(to);
  return {std::string("move the mouse to ") + KindName(window.kind) + " at " + Offset(target, to) +
          " over " + Describe(WindowFromPoint(to))};
}

// The mouse glides over a few title panels and comes to rest on the
// background picture, as a user looks for a program: the hover marker's
// whole round.
RandomUser::Done RandomUser::Hover(const Dice& dice, const SeenWindow& main) {
  const std::vector<HWND> panels = windows_.TitlePanels();
  if (panels.empty()) return {};
  const uint32_t n = static_cast<uint32_t>(panels.size());
  const int count = 2 + static_cast<int>(dice.Pick(1, 4));
  const uint32_t first = dice.Pick(4, n), stride = 1 + dice.Pick(5, n > 1 ? n - 1 : 1);
  std::string titles;
  for (int i = 0; i < count; ++i) {
    const HWND panel = panels[(first + i * stride) % n];
    RECT rect;
    GetWindowRect(panel, &rect);
    GlideTo(PointIn(rect, 0.3 + 0.1 * i, 0.5));
    const std::wstring text = WindowText(panel);  // empty when the launcher is busy
    titles += (i ? ", " : "") + Utf8(text.size() > 8 ? text.substr(8) : L"?");
  }
  const POINT rest = PointIn(main.rect, dice.Unit(2), dice.Unit(3));
  GlideTo(rest);
  return {"hover over " + titles + ", then rest on " + Describe(WindowFromPoint(rest))};
}

RandomUser::Done RandomUser::Key(const Dice& dice, const std::vector<SeenWindow>& windows) {
  const HWND foreground = GetForegroundWindow();
  DWORD owner = 0;
  GetWindowThreadProcessId(foreground, &owner);
  if (owner != launcherId_) {
    // Keys go to another program's window: the user clicks the launcher first.
    Done done = ClickSomewhere(dice, windows, false);
    done.what = "(to type) " + done.what;
    return done;
  }
  const KeyChoice& key = Choose(kKeys, dice.Pick(1, TotalWeight(kKeys)));
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread);
  Done done{std::string("key ") + key.name + " to " +
            Describe(thread.hwndFocus ? thread.hwndFocus : foreground)};
  // Alt+F4 to the main window, or Enter or Space to its exit button.
  const HWND main = windows_.Main();
  done.mayEnd = (key.alt && main && GetAncestor(foreground, GA_ROOT) == main) ||
                ((key.key == VK_RETURN || key.key == VK_SPACE) && IsExitButton(thread.hwndFocus));
  PressKey(key.key, key.alt, key.shift);
  return done;
}

RandomUser::Done RandomUser::SideButton(const Dice& dice) {
  const SideCommand& command = Choose(kSideCommands, dice.Pick(1, TotalWeight(kSideCommands)));
  return ClickControl(windows_.Child(windows_.Main(), command.caption), dice, "side button");
}

// A click, or a double click, somewhere inside a control; nothing when the
// control's window is not open.
RandomUser::Done RandomUser::ClickControl(HWND control, const Dice& dice, const std::string& what,
                                          bool twice) {
  if (!control || !IsWindowVisible(GetAncestor(control, GA_ROOT))) return {};
  RECT rect;
  GetWindowRect(control, &rect);
  const POINT point = PointIn(rect, 0.1 + 0.8 * dice.Unit(2), 0.1 + 0.8 * dice.Unit(3));
  return ClickAt(point,
                 std::string(twice ? "double-click " : "click ") + what +
                     (IsWindowVisible(control) ? "" : " (hidden)") + " at " + Offset(rect, point),
                 twice);
}

// Opens the drive box and clicks one of the drives it drops down.
RandomUser::Done RandomUser::PickDrive(const Dice& dice, const SeenWindow& chooser) {
  const HWND box = windows_.ChildAt(chooser.hwnd, 32, 56);
  Done done = ClickControl(box, dice, "the drive box");
  if (done.what.empty()) return done;
  HWND list = nullptr;
  WaitUntil(
      [&] {
        for (const SeenWindow& window : windows_.Survey()) {
          if (ClassOf(window.hwnd) == L"ComboLBox") list = window.hwnd;
        }
        return list != nullptr;
      },
      1000);
  DWORD_PTR count = 0, itemHeight = 0;
  if (!list || !SendMessageTimeoutW(box, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count) ||
      !SendMessageTimeoutW(box, CB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 5000, &itemHeight) ||
      count == 0 || itemHeight == 0) {
    done.what += "; no drop-down list";
    return done;
  }
  const int row = static_cast<int>(dice.Pick(4, static_cast<uint32_t>(count)));
  RECT client;
  GetClientRect(list, &client);
  POINT point{client.right / 2,
              row * static_cast<int>(itemHeight) + static_cast<int>(itemHeight) / 2};
  ClientToScreen(list, &point);
  const Done pick = ClickAt(
      point, "then drive " + std::to_string(row + 1) + " of " + std::to_string(count), false);
  done.what += "; " + pick.what;
  return done;
}

// Double-clicks an entry of the folder list, as a user opens a folder.
RandomUser::Done RandomUser::OpenFolder(const Dice& dice, const SeenWindow& chooser) {
  const HWND list = windows_.ChildAt(chooser.hwnd, 232, 56);
  const std::wstring folder = WindowText(windows_.ChildAt(chooser.hwnd, 32, 16));
  DWORD_PTR count = 0, top = 0, itemHeight = 0;
  if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count) ||
      !SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, 5000, &top) ||
      !SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 5000, &itemHeight) ||
      itemHeight == 0)
    return {};
  RECT client;
  GetClientRect(list, &client);
  const int first = static_cast<int>(top);
  const int last =
      std::min<int>(static_cast<int>(count), first + client.bottom / static_cast<int>(itemHeight));
  // Strayed: up along the path only (not the folder itself, the last path entry).
  const int end = Strayed(folder, seriesRoot_) ? std::min(last, PathEntries(folder) - 1) : last;
  if (end <= first) return {};
  const int row = first + static_cast<int>(dice.Pick(4, static_cast<uint32_t>(end - first)));
  POINT point{client.right / 3,
              (row - first) * static_cast<int>(itemHeight) + static_cast<int>(itemHeight) / 2};
  ClientToScreen(list, &point);
  return ClickAt(point,
                 "open folder entry " + std::to_string(row + 1) + " of " + std::to_string(count) +
                     " in " + Utf8(folder),
                 true);
}

}  // namespace sorvel::test
