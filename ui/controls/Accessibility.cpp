#include "ui/controls/Accessibility.h"

#include <oleacc.h>

#include <optional>

#include "ui/controls/AccessibleCom.h"
#include "ui/controls/StandardAccessible.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {
namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's IAccessible: its own name, role, state and default action over
// the standard object, which answers everything else. It holds the window
// handle, not the control: a screen reader may keep it after the window is
// gone, and then gets the standard object's answers.
class AccessibleControl final : public StandardAccessible {
 public:
  AccessibleControl(const ComFunctions& com, HWND hwnd, IAccessible* standard)
      : StandardAccessible(standard), com_(com), hwnd_(hwnd) {}

  // What the control says of itself.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const auto traits = Traits(child);
    if (!traits || traits->name.empty()) return standard_->get_accName(child, name);
    return Text(traits->name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const auto traits = Traits(child);
    if (!traits || traits->role == 0) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = traits->role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const auto traits = Traits(child);
    if (!traits || traits->defaultAction.empty())
      return standard_->get_accDefaultAction(child, action);
    return Text(traits->defaultAction, action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const auto traits = Traits(child);
    if (!traits || traits->defaultAction.empty()) return standard_->accDoDefaultAction(child);
    // The action is what a click could do at this moment: nothing while a
    // modal box or the status window is up.
    if (!TakesClicks(hwnd_)) return E_FAIL;
    return PostMessageW(hwnd_, kDefaultActionMessage, 0, 0) ? S_OK : E_FAIL;
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const auto traits = Traits(child);
    if (!traits || traits->value.empty()) return standard_->get_accValue(child, value);
    return Text(traits->value, value);
  }

 private:
  // The control's traits when the request is about the control itself and
  // the control still exists.
  std::optional<AccessibleTraits> Traits(const VARIANT& child) const {
    const Window* window = IsSelf(child) ? Window::FromHandle(hwnd_) : nullptr;
    return window ? window->Accessibility() : std::nullopt;
  }

  HRESULT Text(const std::string& cp932, BSTR* out) const { return com_.Text(cp932, out); }

  const ComFunctions& com_;
  HWND hwnd_;
};

// The standard state, with what the keyboard can do with the control:
// unavailable when disabled, focusable when it can take the focus, focused
// when it has it.
HRESULT AccessibleControl::get_accState(VARIANT child, VARIANT* state) {
  const auto traits = Traits(child);
  if (!traits) return standard_->get_accState(child, state);
  if (!state) return E_POINTER;
  VARIANT standard{};
  long bits = 0;
  if (SUCCEEDED(standard_->get_accState(child, &standard)) && standard.vt == VT_I4)
    bits =
        standard.lVal & ~(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  if (!IsWindowEnabled(hwnd_)) {
    bits |= STATE_SYSTEM_UNAVAILABLE;
  } else if (traits->focusable) {
    bits |= STATE_SYSTEM_FOCUSABLE;
  }
  if (GetFocus() == hwnd_) bits |= STATE_SYSTEM_FOCUSED;
  state->vt = VT_I4;
  state->lVal = bits;
  return S_OK;
}

}  // namespace

bool TakesClicks(HWND hwnd) {
  for (HWND window = hwnd; window != nullptr; window = GetAncestor(window, GA_PARENT)) {
    if (!IsWindowEnabled(window)) return false;
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0) break;  // the top-level window
  }
  return true;
}

LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam) {
  const ComFunctions* com = AccessibleCom();
  if (!com) return 0;
  IAccessible* standard = StandardClientObject(*com, hwnd);
  if (!standard) return 0;
  return AnswerWith(*com, wParam, new AccessibleControl(*com, hwnd, standard));
}

}  // namespace sorvel::ui
