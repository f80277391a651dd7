#include "ui/main/ImageHost.h"

#include "ui/main/ImageAccessible.h"

namespace sorvel::ui {

void ImageHost::PaintImages(HDC dc) const {
  for (const ImageControl* image : images_) image->Paint(dc);
}

const ImageControl* ImageHost::ImageAt(POINT at) const {
  for (const ImageControl* image : images_) {
    if (image->Contains(at)) return image;
  }
  return nullptr;
}

bool ImageHost::OnMouse(HWND self, UINT message, POINT at) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second click is a click of its own
      if (GetCapture() == self) return false;
      press_.Press(self, ImageAt(at));
      return press_.Held() != nullptr;
    case WM_LBUTTONUP: {
      if (!press_.Held()) return false;
      const ImageControl* image = press_.Release(self);
      if (image->Contains(at)) image->Click();
      return true;
    }
    case WM_MOUSEMOVE: {
      // Held on an image, the mouse is the image's wherever it goes; held
      // by the window itself, it is the window's over the images too.
      const ImageControl* held = press_.Held();
      if (!held && GetCapture() == self) return false;
      const ImageControl* image = held ? held : ImageAt(at);
      if (image) image->MouseMove(at);
      return image != nullptr;
    }
  }
  return false;
}

bool ImageHost::OnImageMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
      return OnMouse(self, message, PointOf(lParam));
    case WM_CAPTURECHANGED:
      press_.Lost();
      return false;  // the window's own press ends too
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(wParam) != self || LOWORD(lParam) != HTCLIENT) return false;
      POINT at;
      GetCursorPos(&at);
      ScreenToClient(self, &at);
      // An image without a cursor of its own shows its host's, as it did
      // as a window of its own: the title's marker the panel's.
      const ImageControl* image = ImageAt(at);
      if (!image || !image->Cursor()) return false;
      ::SetCursor(image->Cursor());
      result = TRUE;
      return true;
    }
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) != OBJID_CLIENT) return false;
      for (const ImageControl* image : images_) {
        if (image->Accessibility()) return (result = AnswerImagesGetObject(self, wParam)) != 0;
      }
      return false;
  }
  return false;
}

}  // namespace sorvel::ui
