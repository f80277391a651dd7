// Owned GDI objects and icons, objects selected into a device context, and
// the painting of a window: each is given back when its scope ends, however
// the scope is left.
#pragma once

#include <windows.h>

#include <utility>

namespace sorvel::win32 {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyCursorHandle {
  void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct DeleteDeviceContext {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ReleaseScreenDc {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};

// A handle owned by the object and freed with it (or when it is replaced).
template <typename Handle, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up without freeing it.
  Handle Release() { return std::exchange(handle_, nullptr); }
  // Frees the handle held and takes `handle` instead.
  void Reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) Free()(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedCursor = Owned<HCURSOR, DestroyCursorHandle>;

// A memory device context compatible with another one.
class MemoryDc : public Owned<HDC, DeleteDeviceContext> {
 public:
  explicit MemoryDc(HDC compatibleWith) : Owned(CreateCompatibleDC(compatibleWith)) {}
};

// The screen's device context.
class ScreenDc : public Owned<HDC, ReleaseScreenDc> {
 public:
  ScreenDc() : Owned(GetDC(nullptr)) {}
};

// A change to a device context, undone when the scope ends.
template <typename Value, typename Undo>
class DcChange {
 public:
  DcChange(HDC dc, Value undoWith) : dc_(dc), undoWith_(undoWith) {}
  ~DcChange() { Undo()(dc_, undoWith_); }
  DcChange(const DcChange&) = delete;
  DcChange& operator=(const DcChange&) = delete;

 private:
  HDC dc_;
  Value undoWith_;
};

struct SelectPrevious {
  void operator()(HDC dc, HGDIOBJ previous) const { SelectObject(dc, previous); }
};
struct RestoreSaved {
  void operator()(HDC dc, int saved) const { RestoreDC(dc, saved); }
};

// An object selected into a device context until the end of the scope.
class SelectedObject : public DcChange<HGDIOBJ, SelectPrevious> {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : DcChange(dc, SelectObject(dc, object)) {}
};

// The state of a device context (clipping, origins, selections), put back
// when the scope ends.
class SavedDcState : public DcChange<int, RestoreSaved> {
 public:
  explicit SavedDcState(HDC dc) : DcChange(dc, SaveDC(dc)) {}
};

// The painting of a window's invalid part: BeginPaint, and EndPaint when the
// scope ends, so that a paint that throws still gives its device context back.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintScope() { EndPaint(hwnd_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC Dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace sorvel::win32
