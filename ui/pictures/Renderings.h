// The launcher's pictures, icon and cursors at the size a DPI asks for. Each
// is its resource at 96 DPI, as the program has always had it, with larger
// renderings for 144 and 192 DPI beside it, named with the percentage:
// "SMALLPICTURE_150" (a PNG file), "MAINICON_200", "Arrow1CSR_150". A picture
// may lack a rendering ("BACKGROUND_150"): the next larger one serves.
#pragma once

#include <windows.h>

#include "platform/win32/Gdi.h"

namespace sorvel::ui {

// The rendering to draw from at `dpi`, in percent (100, 150 or 200): the
// smallest that is at least as large as the DPI asks for, else the largest.
int RenderingPercent(int dpi);

// A bitmap resource at `dpi`: as large as the layout's rule scales its size,
// from the rendering RenderingPercent chooses (or the next larger one the
// picture has), scaled with a halftone filter
// where that rendering is not of the size asked for. At 96 DPI the bitmap
// itself. Owned by the caller; nullptr when the resource is missing.
HBITMAP LoadPicture(const wchar_t* name, int dpi);

// An icon resource at the size `dpi` asks for, owned by the caller.
HICON LoadIconAtDpi(const wchar_t* name, int dpi);

// A cursor resource at the size `dpi` asks for: at 96 DPI the shared cursor
// of LoadCursor, else one of its own.
class DpiCursor {
 public:
  void Load(const wchar_t* name, int dpi);
  HCURSOR Get() const { return owned_ ? owned_.Get() : shared_; }

 private:
  HCURSOR shared_ = nullptr;
  win32::OwnedCursor owned_;
};

}  // namespace sorvel::ui
