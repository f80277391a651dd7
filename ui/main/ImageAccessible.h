// What a screen reader learns of the images a window holds without windows
// of their own (ImageHost): each image that describes itself is a simple
// element of the window's client object, under a child id after those of
// the window's child windows, with its own name, role, state and place;
// everything else is the window's standard object's.
#pragma once

#include <windows.h>

namespace sorvel::ui {

// The answer to WM_GETOBJECT for the client area of `host`, a window of
// ours that is an ImageHost; 0 (the standard answer) when COM cannot be had.
LRESULT AnswerImagesGetObject(HWND host, WPARAM wParam);

}  // namespace sorvel::ui
