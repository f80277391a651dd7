#include "ui/controls/Form.h"

#include "ui/controls/HighContrast.h"

namespace sorvel::ui {
namespace {
void (*modalShownHook)(Form&) = nullptr;

HWND FirstTabStop(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return child;
  }
  return nullptr;
}

}  // namespace

bool Form::CreateForm(const Args& args) {
  const bool created = Guard([&] {
    CreateWindowOf({.className = args.className,
                    .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    .exStyle = WS_EX_CONTROLPARENT,
                    .background = GetSysColorBrush(COLOR_BTNFACE)},
                   {.parent = args.owner,
                    .name = args.name,
                    .text = args.caption,
                    .place = args.place,
                    .font = FormFont(),
                    .visible = false});
  });
  if (created) Guard([&] { OnCreate(); });
  return created;
}

void Form::Show() {
  Guard([&] { OnShow(); });
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
}

int Form::ShowModal() {
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modalResult_ = kModalNone;
  modal_ = true;
  Show();
  SetForegroundWindow(Handle());
  if (modalShownHook) modalShownHook(*this);
  MSG msg;
  while (modalResult_ == kModalNone && IsWindow(Handle())) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // WM_QUIT carries the exit code on to the main loop; a failed
      // GetMessageW (-1) filled in nothing, so the run ends with an error.
      PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 1);
      if (modalResult_ == kModalNone) modalResult_ = kModalCancel;
      break;
    }
    if (!IsDialogMessageW(Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  modal_ = false;
  if (owner) EnableWindow(owner, TRUE);
  if (IsWindow(Handle())) ShowWindow(Handle(), SW_HIDE);
  if (owner) SetForegroundWindow(owner);
  return modalResult_;
}

void Form::Close() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void Form::OnClose() {
  if (modal_) {
    SetModalResult(kModalCancel);
  } else {
    DestroyWindow(Handle());
  }
}

void Form::CenterOnScreen() {
  int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  SetWindowPos(Handle(), nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::RunEventLoop(void (*onFirstIdle)()) {
  MSG msg;
  for (;;) {
    if (onFirstIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      onFirstIdle();
      onFirstIdle = nullptr;
    }
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got < 0) return 1;  // nothing was filled in: no exit code to pass on
    if (got == 0) break;
    HWND top = GetAncestor(msg.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void Form::SetModalShownHook(void (*hook)(Form&)) { modalShownHook = hook; }

// Moved to a monitor of another DPI: the window takes the place the system
// suggests, and its controls their layout and fonts at the new DPI. Nothing
// else changes: not the state, not the focus, not how a control looks.
void Form::OnDpiChange(int dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A minimised window has no control to give the focus to.
bool Form::RestoreFocus(WPARAM wParam) {
  const HWND window = Handle();
  HWND& last = lastFocus_;
  const HWND first = FirstFocus();
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) last = focus;
    return false;
  }
  if (HIWORD(wParam)) return false;
  const bool lastTakesIt =
      last && IsChild(window, last) && IsWindowEnabled(last) && IsWindowVisible(last);
  HWND target = lastTakesIt ? last : first ? first : FirstTabStop(window);
  if (!target) return false;
  SetFocus(target);
  return true;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (RestoreFocus(wParam)) return 0;
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_COMMAND:
      // Enter and Esc arrive as IDOK / IDCANCEL without a control: the
      // launcher's windows have no default or cancel button.
      if (lParam == 0) return 0;
      break;
    case WM_DPICHANGED:
      OnDpiChange(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      // A theme switched to or from high contrast: every control paints
      // again in the colours it now takes.
      RefreshHighContrast();
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
