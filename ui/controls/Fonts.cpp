#include "ui/controls/Fonts.h"

#include <map>
#include <utility>

#include "platform/win32/Gdi.h"

namespace sorvel::ui {
namespace {

struct MadeFont {
  win32::OwnedFont font;
  int layoutHeight = 0;
};

// Keyed by (height at 96 DPI, DPI).
std::map<std::pair<int, int>, MadeFont>& Fonts() {
  static std::map<std::pair<int, int>, MadeFont> fonts;
  return fonts;
}

}  // namespace

HFONT FormFont(int pixelHeight, int dpi) {
  MadeFont& made = Fonts()[{pixelHeight, dpi}];
  if (!made.font) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleToDpi(pixelHeight, dpi);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, L"ＭＳ Ｐゴシック");
    made.font.Reset(CreateFontIndirectW(&lf));
    made.layoutHeight = pixelHeight;
  }
  return made.font.Get();
}

HFONT FontAtDpi(HFONT font, int dpi) {
  for (const auto& [key, made] : Fonts()) {
    if (made.font.Get() == font) return FormFont(made.layoutHeight, dpi);
  }
  return font;
}

}  // namespace sorvel::ui
