// A bevel panel that frames a picture: the side panel's frame (Panel2)
// round the small picture, which it paints and gives the mouse.
#pragma once

#include "ui/controls/BevelPanel.h"
#include "ui/controls/ImageControl.h"
#include "ui/main/ImageHost.h"

namespace sorvel::ui {

class PicturePanel : public BevelPanel, public ImageHost {
 public:
  // Makes `picture` inside the frame, made before, at `args.place`; the
  // picture outlives the frame's messages.
  void Frame(ImageControl& picture, ControlArgs args, const ImageControl::Options& options);

  void Paint(HDC dc, const RECT& client) override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace sorvel::ui
