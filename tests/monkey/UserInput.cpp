#include "tests/monkey/UserInput.h"

#include <vector>

namespace sorvel::test {
namespace {

// A point of the virtual screen in the 0..65535 scale of absolute input.
LONG Absolute(LONG at, int origin, int extent) {
  return extent > 0
             ? static_cast<LONG>((static_cast<LONGLONG>(at - origin) * 65536 + extent / 2) / extent)
             : 0;
}

INPUT MouseInput(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx =
      Absolute(screen.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
  input.mi.dy =
      Absolute(screen.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | MOUSEEVENTF_MOVE | flags;
  return input;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void MoveMouse(POINT screen) { Send({MouseInput(screen, 0)}); }

void Click(POINT screen) {
  Send({MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
        MouseInput(screen, MOUSEEVENTF_LEFTUP)});
}

void DoubleClick(POINT screen) {
  Send({MouseInput(screen, 0), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
        MouseInput(screen, MOUSEEVENTF_LEFTUP), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
        MouseInput(screen, MOUSEEVENTF_LEFTUP)});
}

void PressKey(WORD key, bool alt, bool shift) {
  std::vector<INPUT> inputs;
  if (alt) inputs.push_back(KeyInput(VK_MENU, false));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
  if (alt) inputs.push_back(KeyInput(VK_MENU, true));
  Send(std::move(inputs));
}

}  // namespace sorvel::test
