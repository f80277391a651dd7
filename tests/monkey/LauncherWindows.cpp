#include "tests/monkey/LauncherWindows.h"

#include <functional>

#include "tests/support/process/ProcessDriver.h"

namespace sorvel::test {
namespace {

struct Collect {
  const std::set<DWORD>& processes;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param) {
  auto* collect = reinterpret_cast<Collect*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (collect->processes.count(owner) && IsWindowVisible(hwnd)) collect->windows.push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FirstDescendant(HWND parent, const std::function<bool(HWND)>& matches) {
  for (HWND child : Descendants(parent)) {
    if (matches(child)) return child;
  }
  return nullptr;
}

bool HasStopIcon(HWND box) {
  return FirstDescendant(box, [](HWND child) {
           return (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                  _wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && IsWindowVisible(child) &&
                  SendMessageW(child, STM_GETICON, 0, 0) != 0;
         }) != nullptr;
}

}  // namespace

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = L"";
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::string Describe(HWND hwnd) {
  if (!hwnd) return "nothing";
  std::wstring text = WindowText(hwnd);
  if (text.size() > 24) text = text.substr(0, 24) + L"...";
  return Utf8(ClassOf(hwnd)) + " \"" + Utf8(text) + "\"";
}

const char* KindName(WindowKind kind) {
  switch (kind) {
    case WindowKind::Main:
      return "main window";
    case WindowKind::Status:
      return "status window";
    case WindowKind::Chooser:
      return "folder chooser";
    case WindowKind::Box:
      return "box";
    case WindowKind::Popup:
      return "pop-up";
  }
  return "?";
}

std::vector<HWND> VisibleTopLevelWindows(const std::set<DWORD>& processes) {
  Collect collect{processes, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&collect));
  return collect.windows;
}

std::vector<SeenWindow> LauncherWindows::Survey() {
  std::vector<SeenWindow> seen;
  for (HWND hwnd : VisibleTopLevelWindows({processId_})) {
    SeenWindow window;
    window.hwnd = hwnd;
    window.kind = Classify(hwnd);
    GetWindowRect(hwnd, &window.rect);
    window.enabled = IsWindowEnabled(hwnd) != FALSE;
    window.iconic = IsIconic(hwnd) != FALSE;
    seen.push_back(window);
  }
  return seen;
}

// Forms are created once and reused, so a window keeps its kind; pop-ups
// are asked again, as they come and go.
WindowKind LauncherWindows::Classify(HWND hwnd) {
  if (auto known = kinds_.find(hwnd); known != kinds_.end()) return known->second;
  WindowKind kind = WindowKind::Popup;
  if (ClassOf(hwnd) == L"#32770") {
    kind = WindowKind::Box;
  } else if (WindowText(hwnd) == mainCaption_) {
    kind = WindowKind::Main;
    main_ = hwnd;
  } else if (WindowText(hwnd) == L"Sorvel Launcher Drive") {
    kind = WindowKind::Chooser;
  } else if (Child(hwnd, L"印刷")) {
    kind = WindowKind::Status;
  } else {
    return kind;
  }
  kinds_[hwnd] = kind;
  return kind;
}

HWND LauncherWindows::Child(HWND parent, const std::wstring& text) const {
  return parent ? FindChildByText(parent, text) : nullptr;
}

HWND LauncherWindows::ChildAt(HWND parent, int left, int top) const {
  if (!parent) return nullptr;
  return FirstDescendant(parent, [&](HWND child) {
    if (GetParent(child) != parent) return false;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect.left == left && rect.top == top;
  });
}

std::vector<HWND> LauncherWindows::TitlePanels() {
  // The board is built once at start-up: its panels stay.
  if (!panels_.empty() || !main_) return panels_;
  for (HWND child : Descendants(main_)) {
    if (GetParent(child) == main_ && WindowText(child).rfind(L"        ", 0) == 0)
      panels_.push_back(child);
  }
  return panels_;
}

HWND LauncherWindows::SmallPicture() const {
  if (!main_) return nullptr;
  return FirstDescendant(main_, [](HWND child) {
    RECT client;
    GetClientRect(child, &client);
    return client.right == 81 && client.bottom == 65;
  });
}

BoxText LauncherWindows::ReadBox(HWND box) {
  BoxText read;
  read.caption = WindowText(box);
  read.text = WindowText(GetDlgItem(box, 0xFFFF));
  read.stopIcon = HasStopIcon(box);
  return read;
}

}  // namespace sorvel::test
