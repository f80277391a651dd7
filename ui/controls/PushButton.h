// A push button: the standard button control, themed where common
// controls 6 are, with its caption.
#pragma once

#include <functional>

#include "ui/controls/Window.h"

namespace sorvel::ui {

// How a button answers a click.
struct PushButtonOptions {
  std::function<void()> onClick{};
};

class PushButton : public Window {
 public:
  using Options = PushButtonOptions;
  // The caption is the window text.
  void Create(const ControlArgs& args, const Options& options = {});

  // Clicks the button as the user would (the click handler runs).
  void Click();

  // A push button named by its caption, for every system: the standard
  // account of a button says so on Windows, not under Wine.
  std::optional<AccessibleTraits> Accessibility() const override;

 protected:
  void OnNotify(WORD code) override;

 private:
  std::function<void()> onClick_;
};

}  // namespace sorvel::ui
