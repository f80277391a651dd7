// The real message box and error box, read and closed as soon as they show.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/main/WindowMessages.h"

namespace sorvel::test {
namespace {

struct ShownBox {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;  // visible buttons
  bool icon = false;                  // a visible icon
  HWND owner = nullptr;
  POINT centre{};
};

std::vector<ShownBox>* shownBoxes = nullptr;

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = L"";
  GetWindowTextW(hwnd, text, 512);
  return text;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
  auto* box = reinterpret_cast<ShownBox*>(param);
  wchar_t kind[32] = L"";
  GetClassNameW(child, kind, 32);
  // The box itself is not shown yet: look at the child's own style.
  const bool visible = (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0;
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  if (_wcsicmp(kind, L"Button") == 0 && visible) box->buttons.push_back(TextOf(child));
  if (_wcsicmp(kind, L"Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      box->icon = box->icon || (visible && SendMessageW(child, STM_GETICON, 0, 0) != 0);
    } else if (!TextOf(child).empty()) {
      box->text = TextOf(child);
    }
  }
  return TRUE;
}

// Reads every dialog box once it has been set up, then presses its OK button.
LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && shownBoxes) {
    HWND hwnd = call->hwnd;
    wchar_t kind[32] = L"";
    GetClassNameW(hwnd, kind, 32);
    if (std::wstring(kind) == L"#32770") {
      ShownBox box;
      box.caption = TextOf(hwnd);
      box.owner = GetWindow(hwnd, GW_OWNER);
      RECT rect;
      GetWindowRect(hwnd, &rect);
      box.centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
      EnumChildWindows(hwnd, ReadChild, reinterpret_cast<LPARAM>(&box));
      shownBoxes->push_back(box);
      PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class WindowMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shownBoxes = &boxes;
    hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchBoxes, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
  }
  void TearDown() override {
    UnhookWindowsHookEx(hook);
    shownBoxes = nullptr;
  }

  HHOOK hook = nullptr;
  std::vector<ShownBox> boxes;
  ui::WindowMessages messages;
};

TEST_F(WindowMessagesTest, MessageBoxIsCentredCaptionedWithTheTitleWithoutIcon) {
  messages.ShowMessage("C:\\SERIES\\LAUNCH\\SVLindex.txtがありません");

  ASSERT_EQ(boxes.size(), 1u);
  const ShownBox& box = boxes[0];
  EXPECT_EQ(box.caption, L"Sorvel Launcher");
  EXPECT_EQ(box.text, L"C:\\SERIES\\LAUNCH\\SVLindex.txtがありません");
  EXPECT_THAT(box.buttons, ::testing::ElementsAre(L"OK"));
  EXPECT_FALSE(box.icon);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_NEAR(box.centre.x, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR(box.centre.y, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
}

TEST_F(WindowMessagesTest, ErrorBoxShowsTheStopIconAndTheClosingPeriodRule) {
  messages.ShowError("ファイルが見つかりません");
  messages.ShowError("I/O エラー (21)");

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, L"Sorvel Launcher");
  EXPECT_EQ(boxes[0].text, L"ファイルが見つかりません.");
  EXPECT_TRUE(boxes[0].icon);
  EXPECT_THAT(boxes[0].buttons, ::testing::ElementsAre(L"OK"));
  EXPECT_EQ(boxes[1].text, L"I/O エラー (21)");
}

}  // namespace
}  // namespace sorvel::test
