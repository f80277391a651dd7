#include "ui/controls/WindowClass.h"

#include <commctrl.h>

namespace sorvel::ui {
namespace {

// What every class of ours shows: the launcher's icon, large and small, and
// the arrow unless the class names a cursor. Loaded once for all classes: a
// class given no small icon gets a copy made from the resource, and under
// Wine each load or copy asks the display driver several times.
struct ClassLook {
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR arrow = nullptr;
};

const ClassLook& SharedClassLook() {
  static const ClassLook look = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    return ClassLook{.icon = LoadIconW(instance, L"MAINICON"),
                     .smallIcon = static_cast<HICON>(LoadImageW(
                         instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                         GetSystemMetrics(SM_CYSMICON), LR_SHARED)),
                     .arrow = LoadCursorW(nullptr, IDC_ARROW)};
  }();
  return look;
}

}  // namespace

void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, HBRUSH background, WNDPROC proc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className, &existing)) return;
  const ClassLook& look = SharedClassLook();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = cursor ? cursor : look.arrow;
  wc.hbrBackground = background;
  wc.hIcon = look.icon;
  wc.hIconSm = look.smallIcon;
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
}

void RegisterCommonControlClasses() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)registered;
}

}  // namespace sorvel::ui
