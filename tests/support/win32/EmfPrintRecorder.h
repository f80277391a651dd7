// A print surface for tests: each page is recorded into an enhanced metafile
// on a screen reference, and the text drawn on it (with its positions) and
// the fonts created on it are decoded into a log the test keeps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/TextPrinter.h"

namespace sorvel::test {

struct PrintedRun {
  int x;
  int y;
  std::wstring text;
};

struct PrintedPage {
  std::vector<PrintedRun> runs;  // in the order they were drawn
  std::vector<LOGFONTW> fonts;   // fonts created on the page
};

// What the recorder saw, kept by the test (the printer owns the recorder and
// may make a new one for every job).
struct PrintLog {
  int documents = 0;
  int pageStarts = 0;
  int ends = 0;
  int aborts = 0;
  int failPageStart = 0;        // this page start fails (1 = the first), counted over all jobs
  DWORD failDocumentStart = 0;  // every document start fails with this error code
  std::vector<PrintedPage> pages;

  // The text of every run on every page, in order, as CP932 ("?" when a run
  // does not convert).
  std::vector<std::string> Lines() const;
};

class EmfPrintRecorder : public win32::PrintSurface {
 public:
  EmfPrintRecorder(PrintLog& log, SIZE page, int dpi = 96);
  ~EmfPrintRecorder() override;
  EmfPrintRecorder(const EmfPrintRecorder&) = delete;
  EmfPrintRecorder& operator=(const EmfPrintRecorder&) = delete;

  HDC Dc() override { return dc_; }
  SIZE PageSize() override { return page_; }
  int PixelsPerInchY() override { return dpi_; }
  bool StartDocument() override;
  bool StartPage() override;
  bool EndPage() override;
  bool EndDocument() override;
  void AbortDocument() override;

 private:
  void DiscardPage();

  PrintLog& log_;
  SIZE page_;
  int dpi_;
  HDC dc_ = nullptr;
};

}  // namespace sorvel::test
