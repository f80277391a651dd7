// The part of a window that holds images without windows of their own: it
// paints them over its surface, gives them the mouse over their places as
// windows of their own would have had it (a press on an image is the
// image's until the button is released, and the host sees neither), shows
// their cursors (its own over an image without one), and answers a screen reader for those that
// describe themselves as child elements of its own accessible object.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/controls/ImageControl.h"
#include "ui/controls/MousePress.h"

namespace sorvel::ui {

class ImageHost {
 public:
  const std::vector<const ImageControl*>& Images() const { return images_; }

 protected:
  ImageHost() = default;
  ~ImageHost() = default;

  // An image made on this window; it outlives the window's messages.
  void HostImage(const ImageControl& image) { images_.push_back(&image); }
  // Paints the images, after the window's own surface.
  void PaintImages(HDC dc) const;
  // Handles `message` for the images of `self`, the window; true when it
  // was theirs and `result` is the answer.
  bool OnImageMessage(HWND self, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  const ImageControl* ImageAt(POINT at) const;
  bool OnMouse(HWND self, UINT message, POINT at);

  std::vector<const ImageControl*> images_;
  MousePress<const ImageControl*> press_;  // the image the left button went down on and holds
};

}  // namespace sorvel::ui
