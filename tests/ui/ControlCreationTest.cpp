// Every window of the launcher is made by one routine: a window the system
// refuses is an error, never a control left without a window; the window
// and its object let go of each other whichever goes first; and a paint
// that throws gives its device context back.
#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>

#include "platform/win32/Win32Platform.h"
#include "tests/support/RecordingMessages.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/DirectoryList.h"
#include "ui/controls/DriveBox.h"
#include "ui/controls/Form.h"
#include "ui/controls/ImageControl.h"
#include "ui/controls/PushButton.h"
#include "ui/controls/StringGrid.h"
#include "ui/dialogs/ReadOnlyEdit.h"
#include "ui/main/WindowMessages.h"

namespace sorvel::ui {
namespace {

// A window handle that stood for a window once.
HWND GoneWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  DestroyWindow(window);
  return window;
}

TEST(ControlCreation, AControlThatCannotBeMadeIsAnError) {
  const ControlArgs args{.parent = GoneWindow(), .name = "orphan", .place = {0, 0, 20, 20}};
  win32::Win32Platform platform;
  BevelPanel panel;
  PushButton button;
  ReadOnlyEdit edit;
  StringGrid grid;
  DriveBox box(platform);
  DirectoryList list(platform);
  const struct {
    const char* kind;
    Window& control;
    std::function<void()> create;
  } cases[] = {
      {"bevel panel", panel, [&] { panel.Create(args); }},
      {"button", button, [&] { button.Create(args); }},
      {"read-only edit", edit, [&] { edit.Create(args); }},
      {"string grid", grid, [&] { grid.Create(args); }},
      {"drive box", box, [&] { box.Create(args); }},
      {"directory list", list, [&] { list.Create(args); }},
  };
  for (const auto& c : cases) {
    try {
      c.create();
      ADD_FAILURE() << c.kind << ": no error";
    } catch (const WindowNotMade&) {
      EXPECT_EQ(ErrorBoxText(std::current_exception()), "ウィンドウを作成できません (orphan)")
          << c.kind;
    }
    EXPECT_EQ(c.control.Handle(), nullptr) << c.kind;
  }
  // An image has no window to be refused: on a window that is gone it lies
  // nowhere and shows nothing.
  ImageControl image;
  image.Create(args);
  EXPECT_EQ(image.Host(), nullptr);
  EXPECT_FALSE(image.Visible());
}

TEST(ControlCreation, AFormThatCannotBeMadeSaysSoAndRunsNoCreationHandler) {
  class CountingForm : public Form {
   public:
    int creations = 0;

   protected:
    void OnCreate() override { ++creations; }
  };
  test::RecordingMessages messages;
  Window::SetErrorReporter(ErrorBoxReporter(messages));
  CountingForm form;
  EXPECT_FALSE(form.CreateForm({.className = L"SorvelOrphanForm",
                                .name = "frmOrphan",
                                .place = {0, 0, 100, 100},
                                .owner = GoneWindow()}));
  EXPECT_EQ(form.Handle(), nullptr);
  EXPECT_EQ(form.creations, 0);
  EXPECT_EQ(messages.errors, std::vector<std::string>{"ウィンドウを作成できません (frmOrphan)"});
  Window::SetErrorReporter(nullptr);
}

// What a system control's own procedure was sent while its window went.
struct Goings {
  int destroys = 0, finals = 0;  // WM_DESTROY, WM_NCDESTROY
  bool objectFound = false;      // the object was found from the handle meanwhile
  int frontFinals = 0;           // WM_NCDESTROY seen by a procedure in front of ours
};
Goings goings;

LRESULT CALLBACK SystemControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_NCDESTROY) {
    ++(message == WM_DESTROY ? goings.destroys : goings.finals);
    goings.objectFound = goings.objectFound || Window::FromHandle(hwnd) != nullptr;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A control of a class the test registers, subclassed as a system one is.
class SystemControl : public Window {
 public:
  void Create(HWND parent) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = SystemControlProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SorvelTestSystem";
    RegisterClassW(&wc);
    CreateWindowOf({.className = L"SorvelTestSystem", .systemClass = true, .style = WS_CHILD},
                   {.parent = parent, .name = "ctlSystem", .place = {0, 0, 20, 20}});
  }
  int handled = 0;  // WM_USER messages that reached the object

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER) ++handled;
    return Window::OnMessage(message, wParam, lParam);
  }
};

// A procedure another program puts in front of a control's.
WNDPROC behindFront = nullptr;
LRESULT CALLBACK FrontProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) ++goings.frontFinals;
  return CallWindowProcW(behindFront, hwnd, message, wParam, lParam);
}

HWND MakeParent() {
  return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                         nullptr);
}

TEST(WindowLifetime, ASystemControlLetsGoOfItsObjectWhicheverGoesFirst) {
  const HWND parent = MakeParent();
  auto control = std::make_unique<SystemControl>();
  control->Create(parent);
  const HWND hwnd = control->Handle();
  EXPECT_EQ(Window::FromHandle(hwnd), control.get());
  goings = {};
  control.reset();  // the object first: the window goes with it
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(goings.destroys, 1);
  EXPECT_EQ(goings.finals, 1);
  EXPECT_FALSE(goings.objectFound);

  SystemControl kept;
  kept.Create(parent);
  goings = {};
  DestroyWindow(parent);  // the window first: the object stays, without it
  EXPECT_EQ(kept.Handle(), nullptr);
  EXPECT_EQ(goings.destroys, 1);
  EXPECT_EQ(goings.finals, 1);

  // Made again, the control reaches its object as before, once a message.
  const HWND again = MakeParent();
  kept.Create(again);
  SendMessageW(kept.Handle(), WM_USER, 0, 0);
  EXPECT_EQ(kept.handled, 1);
  EXPECT_EQ(Window::FromHandle(kept.Handle()), &kept);

  // Another procedure put in front of ours: the object is still found, and
  // once it goes, every message still reaches the control's own procedure.
  control = std::make_unique<SystemControl>();
  control->Create(again);
  const HWND covered = control->Handle();
  behindFront = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(covered, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrontProc)));
  SendMessageW(covered, WM_USER, 0, 0);
  EXPECT_EQ(control->handled, 1);
  EXPECT_EQ(Window::FromHandle(covered), control.get());
  goings = {};
  control.reset();
  EXPECT_FALSE(IsWindow(covered));
  EXPECT_EQ(goings.destroys, 1);
  EXPECT_EQ(goings.finals, 1);
  EXPECT_EQ(goings.frontFinals, 1);
  EXPECT_FALSE(goings.objectFound);
  DestroyWindow(again);
}

// A window of our own whose paint throws until told otherwise.
class FailingPaint : public Window {
 public:
  void Create() {
    CreateWindowOf({.className = L"SorvelTestPaint", .style = WS_POPUP},
                   {.name = "frmPaint", .place = {0, 0, 40, 40}});
  }
  bool PaintsItself() const override { return true; }
  void Paint(HDC, const RECT&) override {
    ++paints;
    if (fails) throw LauncherError("paint failed");
  }
  int paints = 0;
  bool fails = true;

  void PaintNow() {
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
  }
};

// The highest slot of fresh GDI handles: it climbs when handles are lost,
// since freed slots are given out again first.
int HighestGdiSlot() {
  std::vector<HBRUSH> brushes;
  int slot = 0;
  for (int i = 0; i < 32; ++i) {
    brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    slot = std::max<int>(slot, LOWORD(brushes.back()));
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return slot;
}

TEST(WindowPaint, APaintThatThrowsShowsTheErrorKeepsNoDcAndPaintsNextTime) {
  std::vector<std::string> errors;
  Window::SetErrorReporter(
      [&](const std::exception_ptr& error) { errors.push_back(ErrorBoxText(error)); });
  FailingPaint window;
  window.Create();
  window.PaintNow();
  const int before = HighestGdiSlot();
  for (int i = 0; i < 40; ++i) window.PaintNow();
  EXPECT_LT(HighestGdiSlot() - before, 20);
  EXPECT_EQ(errors.size(), 41u);
  EXPECT_EQ(errors.back(), "paint failed");

  window.fails = false;
  window.PaintNow();
  EXPECT_EQ(window.paints, 42);
  EXPECT_EQ(errors.size(), 41u);
  Window::SetErrorReporter(nullptr);
}

}  // namespace
}  // namespace sorvel::ui
