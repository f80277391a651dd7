// The launcher's fonts: "ＭＳ Ｐゴシック" with the Shift-JIS character set, one
// shared font per height and DPI, alive for the whole run. The one place
// where the windows' fonts are made.
#pragma once

#include <windows.h>

#include "ui/Layout.h"

namespace sorvel::ui {

// The font whose height is `pixelHeight` at 96 DPI, made for `dpi` (the
// 12-pixel font is 18 pixels high at 144 DPI).
HFONT FormFont(int pixelHeight = kFontHeight, int dpi = kLayoutDpi);

// The font of FormFont that `font` is, made for `dpi` instead; a font made
// elsewhere stays as it is.
HFONT FontAtDpi(HFONT font, int dpi);

}  // namespace sorvel::ui
