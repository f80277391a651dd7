// The status list printed for real: the status window's print button, the
// default printer of the Wine prefix (a cups-pdf queue of the test run's own
// CUPS scheduler) and the PDF the queue makes. This program prints and writes
// down where the layout puts every line; check_pdf.py then measures the PDFs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <set>
#include <sstream>

#include "core/StatusTable.h"
#include "platform/Platform.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/TextPrinter.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/StateBuilder.h"
#include "tests/support/win32/TestText.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/dialogs/StatusWindow.h"
#include "ui/main/WindowMessages.h"

namespace sorvel::ui {
namespace {

std::set<std::wstring> PdfFiles(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

// Where the layout puts the lines of one printout, in printer pixels.
struct Layout {
  int dpiX = 0, dpiY = 0;
  SIZE printable{};  // HORZRES x VERTRES
  SIZE physical{};   // the whole sheet
  POINT offset{};    // of the printable area on the sheet
  int emHeight = 0;  // the font's height
  int advance = 0;
  // Per page, per line: the width of the line's text without its trailing
  // blanks, which is as far as its ink may reach.
  std::vector<std::vector<int>> pages;
};

// Measures `lines` on the default printer the way the status window prints
// them ("ＭＳ Ｐゴシック", 9 points, at the printer's resolution) and breaks
// them into pages: advance = text height + 2; a page ends after a line when
// the next line's top would lie below the page height - 2 x advance.
Layout PlanLayout(const std::vector<std::string>& lines) {
  std::unique_ptr<win32::PrintSurface> printer = win32::OpenDefaultPrinter();
  HDC dc = printer->Dc();
  Layout layout;
  layout.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  layout.dpiY = printer->PixelsPerInchY();
  layout.printable = printer->PageSize();
  layout.physical = {GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
  layout.offset = {GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)};

  LOGFONTW face{};
  face.lfCharSet = SHIFTJIS_CHARSET;
  face.lfHeight = -MulDiv(9, layout.dpiY, 72);
  wcscpy(face.lfFaceName, L"ＭＳ Ｐゴシック");
  HFONT font = CreateFontIndirectW(&face);
  HGDIOBJ old = SelectObject(dc, font);
  layout.emHeight = -face.lfHeight;

  int top = 0;
  bool newPage = true;
  for (const std::string& line : lines) {
    std::wstring text = win32::Cp932ToWideLenient(line);
    SIZE whole{}, inked{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
    text.erase(text.find_last_not_of(L' ') + 1);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &inked);
    // The plan holds only for lines that are not wrapped.
    EXPECT_LE(whole.cx, layout.printable.cx) << line;
    if (newPage) {
      layout.pages.emplace_back();
      top = 0;
      newPage = false;
    }
    layout.pages.back().push_back(inked.cx);
    layout.advance = whole.cy + 2;
    top += layout.advance;
    if (top > layout.printable.cy - 2 * layout.advance) newPage = true;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  return layout;
}

// The plan for check_pdf.py; `pdf` is the file's name in the output folder.
std::string ToJson(const std::wstring& pdf, const Layout& layout) {
  std::string name;
  for (char c : test::Utf8(pdf)) {
    if (c == '"' || c == '\\') name += '\\';
    name += c;
  }
  std::ostringstream out;
  out << "{\n  \"pdf\": \"" << name << "\",\n"
      << "  \"dpi\": [" << layout.dpiX << ", " << layout.dpiY << "],\n"
      << "  \"printable\": [" << layout.printable.cx << ", " << layout.printable.cy << "],\n"
      << "  \"physical\": [" << layout.physical.cx << ", " << layout.physical.cy << "],\n"
      << "  \"offset\": [" << layout.offset.x << ", " << layout.offset.y << "],\n"
      << "  \"emHeight\": " << layout.emHeight << ",\n"
      << "  \"advance\": " << layout.advance << ",\n  \"pages\": [";
  for (std::size_t page = 0; page < layout.pages.size(); ++page) {
    out << (page ? ",\n    [" : "\n    [");
    for (std::size_t line = 0; line < layout.pages[page].size(); ++line) {
      out << (line ? ", " : "") << layout.pages[page][line];
    }
    out << "]";
  }
  out << "\n  ]\n}\n";
  return out.str();
}

class PrintToPdfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* pdfDir = _wgetenv(L"SORVEL_PDF_DIR");
    const wchar_t* jobsDir = _wgetenv(L"SORVEL_PRINT_JOBS");
    ASSERT_TRUE(pdfDir && jobsDir) << "SORVEL_PDF_DIR and SORVEL_PRINT_JOBS name the cups-pdf "
                                      "output and the folder for the job plans (see CTest)";
    pdfFolder_ = test::UnixPathOnZ(pdfDir);
    jobsFolder_ = test::UnixPathOnZ(jobsDir);
    Window::SetErrorReporter(ErrorBoxReporter(messages_));
    state_.lastUpdate = "2001年4月1日 更新";
  }
  void TearDown() override { Window::SetErrorReporter(nullptr); }

  void AddEntry(const std::string& title, const std::string& stem, const std::string& latest,
                const std::string& folder = "") {
    const ScanResult found =
        folder.empty() ? ScanResult{} : ScanResult{folder, stem + ".exe", 1, {}};
    test::AddEntry(state_, {title, stem, latest, "key"}, found);
  }

  // The lines the printout must hold: the header and one line per entry.
  std::vector<std::string> ExpectedLines() const {
    std::vector<std::string> lines{PrintLine(BuildStatusHeader())};
    for (const StatusRow& row : BuildStatusRows(state_)) lines.push_back(PrintLine(row));
    return lines;
  }

  // Shows the status window, presses its print button and waits for the
  // queue's PDF; writes the plan of the printout to `job`.json beside the
  // other jobs and returns how many pages the plan has.
  std::size_t PrintAndPlan(const std::string& job) {
    const Layout layout = PlanLayout(ExpectedLines());
    const std::set<std::wstring> before = PdfFiles(pdfFolder_);

    TfrmShow::Sources sources;
    sources.mainWindowSize = [] { return SIZE{640, 450}; };
    sources.chooserFolder = [] { return std::string("C:\\SERIES"); };
    TfrmShow window(state_, std::move(sources));  // the default printer
    EXPECT_TRUE(window.Create());
    window.Show();
    test::PumpMessages();
    test::SaveScreenshot(window.Handle(), "PrintToPdf-" + job);
    const ULONGLONG pressed = GetTickCount64();
    test::Click(window.btnPrint.Handle());
    const ULONGLONG printed = GetTickCount64();
    window.SetVisible(false);
    EXPECT_EQ(messages_.errors, std::vector<std::string>{});

    // The queue writes the file as soon as it starts on the job.
    std::wstring pdf;
    for (int wait = 0; wait < 600 && pdf.empty(); ++wait) {
      for (const std::wstring& name : PdfFiles(pdfFolder_)) {
        if (!before.count(name)) pdf = name;
      }
      if (pdf.empty()) Sleep(100);
    }
    EXPECT_FALSE(pdf.empty()) << "no PDF appeared in " << test::Utf8(pdfFolder_) << " within 60 s";
    if (pdf.empty()) return 0;

    test::WriteFileBytes(jobsFolder_ + L"\\" + win32::Cp932ToWideLenient(job) + L".json",
                         ToJson(pdf, layout));
    std::size_t lines = 0;
    for (const auto& page : layout.pages) lines += page.size();
    std::printf(
        "%s: %zu lines, advance %d px at %d dpi, page height %ld px: %zu page(s); "
        "printed in %llu ms, PDF begun after %llu ms more: %s\n",
        job.c_str(), lines, layout.advance, layout.dpiY, layout.printable.cy, layout.pages.size(),
        printed - pressed, GetTickCount64() - printed, test::Utf8(pdf).c_str());
    return layout.pages.size();
  }

  std::wstring pdfFolder_, jobsFolder_;
  LauncherState state_;
  test::RecordingMessages messages_;
};

TEST_F(PrintToPdfTest, ThreeEntriesMakeOnePage) {
  AddEntry("代数 I", "algebra1", "1.3", "ALGEBR12");
  AddEntry("図形と証明", "geometry", "3.1");
  AddEntry("計算ドリル", "keisan", "2.0", "KEISAN20");
  EXPECT_EQ(PrintAndPlan("three"), 1u);
}

TEST_F(PrintToPdfTest, HundredFiftyEntriesBreakIntoPages) {
  for (int n = 1; n <= 150; ++n) {
    const std::string number = std::to_string(n);
    // Titles of different lengths, one longer than its 30-byte column.
    const std::string title = n % 50 == 0 ? "総合演習 二次関数と図形の応用問題 " + number
                              : n % 2 ? "単元 " + number
                                      : "第" + number + "章 関数とグラフ";
    AddEntry(title, "unit" + number, "1." + std::to_string(n % 10),
             n % 3 ? "UNIT" + number + "_V1" + std::to_string(n % 10) : "");
  }
  EXPECT_GT(PrintAndPlan("many"), 1u);
}

// With no printer at all (the scheduler that CUPS_SERVER names is not there)
// the print button reports it and the window stays.
TEST(NoPrinterTest, TheErrorBoxSaysThereIsNoDefaultPrinter) {
  EXPECT_THROW(win32::OpenDefaultPrinter(), LauncherError) << "this run must see no printer";
  test::RecordingMessages messages;
  Window::SetErrorReporter(ErrorBoxReporter(messages));
  LauncherState state;
  TfrmShow::Sources sources;
  sources.mainWindowSize = [] { return SIZE{640, 450}; };
  sources.chooserFolder = [] { return std::string("C:\\"); };
  TfrmShow window(state, std::move(sources));
  ASSERT_TRUE(window.Create());
  window.Show();
  test::PumpMessages();
  test::Click(window.btnPrint.Handle());
  EXPECT_EQ(messages.errors, std::vector<std::string>{"デフォルト プリンタが存在しません."});
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  Window::SetErrorReporter(nullptr);
}

}  // namespace
}  // namespace sorvel::ui
