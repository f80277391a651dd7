// A program of the monkey's series: it writes nothing, shows nothing and
// ends by itself a moment after it started, as a user closes it. Until
// then it stands in its folder, as a running program does.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Sleep(800);
  return 0;
}
