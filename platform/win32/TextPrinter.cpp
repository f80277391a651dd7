#include "platform/win32/TextPrinter.h"

#include <winspool.h>

#include <algorithm>

#include "platform/Platform.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/SystemLibrary.h"

namespace sorvel::win32 {
namespace {

// The default printer's device context, owned.
class PrinterSurface : public PrintSurface {
 public:
  explicit PrinterSurface(HDC dc) : dc_(dc) {}
  ~PrinterSurface() override { DeleteDC(dc_); }
  PrinterSurface(const PrinterSurface&) = delete;
  PrinterSurface& operator=(const PrinterSurface&) = delete;

  HDC Dc() override { return dc_; }
  SIZE PageSize() override { return {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)}; }
  int PixelsPerInchY() override { return GetDeviceCaps(dc_, LOGPIXELSY); }
  bool StartDocument() override {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = L"";
    return StartDocW(dc_, &info) > 0;
  }
  bool StartPage() override { return ::StartPage(dc_) > 0; }
  bool EndPage() override { return ::EndPage(dc_) > 0; }
  bool EndDocument() override { return EndDoc(dc_) > 0; }
  void AbortDocument() override { AbortDoc(dc_); }

 private:
  HDC dc_;
};

// How many characters of `text` fit into `width` pixels; at least one, so
// that a character wider than the page still moves the printing on.
int FittingChars(HDC dc, const std::wstring& text, int width) {
  int fit = 0;
  SIZE extent;
  if (!GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), width, &fit, nullptr,
                             &extent)) {
    return -1;
  }
  return std::max(fit, 1);
}

// The print spooler's GetDefaultPrinterW, or null. The spooler is loaded
// when something is first printed (under Wine it sets up the printing system
// as it loads); it stays loaded, as the printer's device context needs it.
decltype(&GetDefaultPrinterW) DefaultPrinterQuery() {
  static const auto query =
      SystemProcedureOf<decltype(GetDefaultPrinterW)>(L"winspool.drv", "GetDefaultPrinterW");
  return query;
}

}  // namespace

std::unique_ptr<PrintSurface> OpenDefaultPrinter() {
  const auto getDefaultPrinter = DefaultPrinterQuery();
  DWORD size = 0;
  if (getDefaultPrinter) getDefaultPrinter(nullptr, &size);
  std::wstring name(size, L'\0');
  if (size == 0 || !getDefaultPrinter(name.data(), &size)) {
    throw PrintError(PrintFault::NoDefaultPrinter);
  }
  name.resize(wcslen(name.c_str()));
  HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
  if (dc == nullptr) throw PrintError(PrintFault::InvalidPrinter);
  return std::make_unique<PrinterSurface>(dc);
}

TextPrinter::TextPrinter() : TextPrinter(OpenDefaultPrinter) {}

TextPrinter::TextPrinter(SurfaceSource source) : source_(std::move(source)) {
  // Until told otherwise, the windows' own font: a device's stock font may
  // not be measurable at all.
  SetFont("ＭＳ Ｐゴシック", 9);
}

TextPrinter::~TextPrinter() { Abort(); }

bool TextPrinter::Open() {
  if (Printing()) throw PrintError(PrintFault::AlreadyPrinting);
  surface_ = source_();
  SetLastError(0);
  if (!surface_->StartDocument()) {
    // Nothing was started, so there is nothing to abandon.
    const DWORD code = GetLastError();
    surface_.reset();
    if (code == ERROR_CANCELLED) return false;
    throw InOutError(code != 0 ? code : ERROR_GEN_FAILURE);
  }
  top_ = 0;
  pageBreakPending_ = false;
  StartPage();
  return true;
}

void TextPrinter::SetFont(const std::string& face, int points) {
  LOGFONTW font{};
  font.lfCharSet = SHIFTJIS_CHARSET;
  const std::wstring wideFace = Cp932ToWideLenient(face).substr(0, LF_FACESIZE - 1);
  std::copy(wideFace.begin(), wideFace.end(), font.lfFaceName);
  logFont_ = font;
  fontPoints_ = points;
  if (Printing()) SelectFont();
}

void TextPrinter::PrintLine(const std::string& text) {
  RequireOpen();
  std::wstring rest = Cp932ToWideLenient(text);
  do {
    PrintPiece(rest);
  } while (!rest.empty());
}

void TextPrinter::Close() {
  RequireOpen();
  SetLastError(0);
  if (!surface_->EndPage() || !surface_->EndDocument()) Fail();
  Release();
}

void TextPrinter::Abort() {
  if (!Printing()) return;
  surface_->AbortDocument();
  Release();
}

void TextPrinter::RequireOpen() const {
  if (!Printing()) throw PrintError(PrintFault::NoJob);
}

void TextPrinter::StartPage() {
  if (!surface_->StartPage()) Fail();
  top_ = 0;
  pageBreakPending_ = false;
  // A page may come with a fresh device context: the font is chosen again.
  SelectFont();
}

void TextPrinter::SelectFont() {
  LOGFONTW font = logFont_;
  font.lfHeight = -MulDiv(fontPoints_, surface_->PixelsPerInchY(), 72);
  OwnedFont made(CreateFontIndirectW(&font));
  if (!made) Fail();
  // The font stays selected for the page; the one it replaces is freed.
  SelectObject(surface_->Dc(), made.Get());
  font_ = std::move(made);
}

// Prints as much of `rest` as fits on one line and removes it from `rest`.
void TextPrinter::PrintPiece(std::wstring& rest) {
  SetLastError(0);
  if (pageBreakPending_) {
    if (!surface_->EndPage()) Fail();
    StartPage();
  }
  HDC dc = surface_->Dc();
  const SIZE page = surface_->PageSize();
  int count = 0;
  int height = 0;
  if (rest.empty()) {
    // An empty line is as high as a line of text in the font.
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(dc, &metrics)) Fail();
    height = metrics.tmHeight;
  } else {
    count = FittingChars(dc, rest, page.cx);
    SIZE extent;
    if (count < 0 || !GetTextExtentPoint32W(dc, rest.data(), count, &extent)) Fail();
    if (!TextOutW(dc, 0, top_, rest.data(), count)) Fail();
    height = extent.cy;
  }
  rest.erase(0, static_cast<std::size_t>(count));
  const int advance = height + 2;
  top_ += advance;
  // The page ends here when the next line would start below the last two
  // line advances; the new page is started only for a line that needs it,
  // so no blank sheet comes out at the end.
  if (top_ > page.cy - 2 * advance) pageBreakPending_ = true;
}

// A job that failed after StartDoc, also at StartPage or EndPage, is
// stopped with AbortDoc, never ended with EndDoc, as the printing API asks.
void TextPrinter::Fail() {
  const DWORD code = GetLastError();
  Abort();
  throw InOutError(code != 0 ? code : ERROR_GEN_FAILURE);
}

void TextPrinter::Release() {
  surface_.reset();
  pageBreakPending_ = false;
  top_ = 0;
}

}  // namespace sorvel::win32
