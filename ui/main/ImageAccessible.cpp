#include "ui/main/ImageAccessible.h"

#include <oleacc.h>

#include "ui/controls/AccessibleCom.h"
#include "ui/controls/StandardAccessible.h"
#include "ui/main/ImageHost.h"

namespace sorvel::ui {
namespace {

// The host's client object with its images as simple elements. It holds
// the window handle, not the window: a screen reader may keep it after the
// window is gone, and then learns of no image.
class ImageAccessible final : public StandardAccessible {
 public:
  ImageAccessible(const ComFunctions& com, HWND host, IAccessible* standard)
      : StandardAccessible(standard), com_(com), host_(host) {}

  // The children: the child windows, then the images.
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = WindowChildren() + static_cast<LONG>(Described().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!Image(child)) return standard_->get_accChild(child, object);
    if (!object) return E_POINTER;
    *object = nullptr;
    return S_FALSE;  // a simple element: this object answers for it
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const ImageControl* image = Image(child);
    if (!image) return standard_->get_accName(child, name);
    return com_.Text(image->Accessibility()->name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const ImageControl* image = Image(child);
    if (!image) return standard_->get_accRole(child, role);
    return Number(image->Accessibility()->role, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const ImageControl* image = Image(child);
    if (!image) return standard_->get_accState(child, state);
    return Number(image->Visible() ? 0 : STATE_SYSTEM_INVISIBLE, state);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;

  // An image has no more to say than that.
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Image(child) ? None(action) : standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Image(child) ? None(value) : standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return Image(child) ? None(description) : standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Image(child) ? None(help) : standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Image(child) ? None(shortcut) : standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Image(child) ? DISP_E_MEMBERNOTFOUND : standard_->accDoDefaultAction(child);
  }

 private:
  LONG WindowChildren() const {
    LONG count = 0;
    return SUCCEEDED(standard_->get_accChildCount(&count)) ? count : 0;
  }
  // The host's images that describe themselves, in the order it made them.
  std::vector<const ImageControl*> Described() const;
  // The image a child id names, or nullptr (the window or a child window).
  const ImageControl* Image(const VARIANT& child) const;

  static HRESULT Number(long value, VARIANT* out) {
    if (!out) return E_POINTER;
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
  }
  static HRESULT None(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
  }

  const ComFunctions& com_;
  HWND host_;
};

std::vector<const ImageControl*> ImageAccessible::Described() const {
  std::vector<const ImageControl*> described;
  const auto* host = dynamic_cast<const ImageHost*>(Window::FromHandle(host_));
  if (!host) return described;
  for (const ImageControl* image : host->Images()) {
    if (image->Accessibility()) described.push_back(image);
  }
  return described;
}

const ImageControl* ImageAccessible::Image(const VARIANT& child) const {
  if (child.vt != VT_I4 || child.lVal == CHILDID_SELF) return nullptr;
  const LONG index = child.lVal - WindowChildren() - 1;
  const std::vector<const ImageControl*> described = Described();
  return index >= 0 && index < static_cast<LONG>(described.size())
             ? described[static_cast<std::size_t>(index)]
             : nullptr;
}

HRESULT ImageAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
  const ImageControl* image = Image(child);
  if (!image) return standard_->accLocation(left, top, width, height, child);
  if (!left || !top || !width || !height) return E_POINTER;
  RECT place = image->Bounds();
  MapWindowPoints(host_, nullptr, reinterpret_cast<POINT*>(&place), 2);
  *left = place.left, *top = place.top;
  *width = place.right - place.left, *height = place.bottom - place.top;
  return S_OK;
}

// A point over an image names the image; anything else is the standard
// object's to say.
HRESULT ImageAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (!child) return E_POINTER;
  POINT at{x, y};
  ScreenToClient(host_, &at);
  const std::vector<const ImageControl*> described = Described();
  for (std::size_t n = 0; n < described.size(); ++n) {
    if (!described[n]->Contains(at)) continue;
    if (ChildWindowFromPointEx(host_, at, CWP_SKIPINVISIBLE) != host_) break;  // a window on top
    child->vt = VT_I4;
    child->lVal = WindowChildren() + static_cast<LONG>(n) + 1;
    return S_OK;
  }
  return standard_->accHitTest(x, y, child);
}

}  // namespace

LRESULT AnswerImagesGetObject(HWND host, WPARAM wParam) {
  const ComFunctions* com = AccessibleCom();
  if (!com) return 0;
  IAccessible* standard = StandardClientObject(*com, host);
  if (!standard) return 0;
  return AnswerWith(*com, wParam, new ImageAccessible(*com, host, standard));
}

}  // namespace sorvel::ui
