#include "ui/main/PicturePanel.h"

namespace sorvel::ui {

void PicturePanel::Frame(ImageControl& picture, ControlArgs args,
                         const ImageControl::Options& options) {
  args.parent = Handle();
  picture.Create(args, options);
  HostImage(picture);
}

void PicturePanel::Paint(HDC dc, const RECT& client) {
  BevelPanel::Paint(dc, client);
  PaintImages(dc);
}

LRESULT PicturePanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; OnImageMessage(Handle(), message, wParam, lParam, result)) return result;
  return BevelPanel::OnMessage(message, wParam, lParam);
}

}  // namespace sorvel::ui
