// A text-line print device: successive lines in one font, laid out from the
// top-left corner of the printable area, wrapped at the right edge and broken
// into pages. Errors are thrown as PrintError or InOutError, codes that the
// core words.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/Gdi.h"

namespace sorvel::win32 {

// What a print job draws on: the default printer in real use; tests put a
// recorder in its place.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;
  // The device context of the current page (between StartPage and EndPage).
  virtual HDC Dc() = 0;
  // The printable area in device pixels.
  virtual SIZE PageSize() = 0;
  virtual int PixelsPerInchY() = 0;
  // Each answers false when the device refused.
  virtual bool StartDocument() = 0;  // a document with an empty name
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDocument() = 0;
  virtual void AbortDocument() = 0;
};

// A surface on the default printer. Throws "デフォルト プリンタが存在しません"
// when there is none and "選択したプリンタは有効ではありません" when it cannot
// be opened.
std::unique_ptr<PrintSurface> OpenDefaultPrinter();

class TextPrinter {
 public:
  using SurfaceSource = std::function<std::unique_ptr<PrintSurface>()>;

  TextPrinter();  // prints on the default printer
  explicit TextPrinter(SurfaceSource source);
  ~TextPrinter();  // abandons a job that was not closed
  TextPrinter(const TextPrinter&) = delete;
  TextPrinter& operator=(const TextPrinter&) = delete;

  // Starts a document and its first page; "現在印刷中です" while a job of
  // this printer is open. False when the user cancelled the document (the
  // Cancel of a print-to-file dialog): nothing was started, and there is
  // nothing to tell the user.
  bool Open();
  bool Printing() const { return surface_ != nullptr; }

  // Font face (CP932) and size in points, scaled to the device; it applies
  // from the next line on and stays for later jobs. The font is
  // "ＭＳ Ｐゴシック", 9 points, until it is set.
  void SetFont(const std::string& face, int points);

  // Prints one line (CP932). Any error abandons the job before it is thrown,
  // so the printer is free again for the next request.
  void PrintLine(const std::string& text);

  // Ends the last page and the document.
  void Close();

  // Abandons the open job, if any (the device drops what it got so far).
  void Abort();

 private:
  void RequireOpen() const;
  void StartPage();
  void SelectFont();
  void PrintPiece(std::wstring& rest);
  [[noreturn]] void Fail();
  void Release();

  SurfaceSource source_;
  std::unique_ptr<PrintSurface> surface_;
  LOGFONTW logFont_{};  // face and character set; the height follows the device
  int fontPoints_ = 0;
  OwnedFont font_;
  int top_ = 0;                    // top of the next line, device pixels
  bool pageBreakPending_ = false;  // the next line starts a new page
};

}  // namespace sorvel::win32
