// Every window of the launcher is made by one routine: a window the system
// refuses is an error, never a control left without a window.
#include <gtest/gtest.h>

#include <functional>

#include "platform/win32/Win32Platform.h"
#include "tests/support/RecordingMessages.h"
#include "ui/controls/BevelPanel.h"
#include "ui/controls/DirectoryList.h"
#include "ui/controls/DriveBox.h"
#include "ui/controls/Form.h"
#include "ui/controls/GlyphButton.h"
#include "ui/controls/ImageControl.h"
#include "ui/controls/StringGrid.h"
#include "ui/dialogs/ReadOnlyEdit.h"

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
  GlyphButton button;
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
    } catch (const LauncherError& error) {
      EXPECT_EQ(error.Text(), "ウィンドウを作成できません (orphan)") << c.kind;
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
  Window::SetErrorReporter([&](const std::string& text) { messages.ShowError(text); });
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

}  // namespace
}  // namespace sorvel::ui
