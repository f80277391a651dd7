// The text-line print device, recorded into one enhanced metafile per page.
#include <windows.h>
// windows.h first: winspool.h needs its types.
#include <gtest/gtest.h>
#include <winspool.h>

#include <vector>

#include "core/UserTexts.h"
#include "platform/Platform.h"
#include "platform/win32/TextPrinter.h"
#include "tests/support/win32/EmfPrintRecorder.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

const char kFace[] = "ＭＳ Ｐゴシック";

class TextPrinterTest : public ::testing::Test {
 protected:
  TextPrinter::SurfaceSource Recorder(SIZE page, int dpi = 96) {
    return [this, page, dpi] {
      return std::make_unique<sorvel::test::EmfPrintRecorder>(log_, page, dpi);
    };
  }

  // Measures with the same font as the printer, on a screen-compatible DC.
  struct Measure {
    explicit Measure(int pixels) {
      dc = CreateCompatibleDC(nullptr);
      font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                         test::Wide(kFace).c_str());
      SelectObject(dc, font);
    }
    ~Measure() {
      DeleteDC(dc);
      DeleteObject(font);
    }
    SIZE Extent(const std::wstring& text) const {
      SIZE size{};
      GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
      return size;
    }
    int Advance() const {
      TEXTMETRICW metrics;
      GetTextMetricsW(dc, &metrics);
      return metrics.tmHeight + 2;
    }
    HDC dc;
    HFONT font;
  };

  sorvel::test::PrintLog log_;
};

TEST_F(TextPrinterTest, LinesRunDownFromTheTopLeftAndBreakIntoPages) {
  const Measure measure(12);  // 9 points at 96 dpi
  const int advance = measure.Advance();
  // The page ends after line 9: the 10th would start at 9 advances, below
  // the page height (10 advances + 5) less two advances.
  TextPrinter printer(Recorder({2000, advance * 10 + 5}));
  printer.Open();
  printer.SetFont(kFace, 9);
  for (int line = 1; line <= 20; ++line) printer.PrintLine("行 " + std::to_string(line));
  printer.Close();

  EXPECT_EQ(log_.documents, 1);
  EXPECT_EQ(log_.ends, 1);
  ASSERT_EQ(log_.pages.size(), 3u);
  int line = 1;
  for (std::size_t p = 0; p < log_.pages.size(); ++p) {
    const auto& runs = log_.pages[p].runs;
    ASSERT_EQ(runs.size(), p < 2 ? 9u : 2u) << "page " << p + 1;
    for (std::size_t i = 0; i < runs.size(); ++i, ++line) {
      EXPECT_EQ(runs[i].text, L"行 " + std::to_wstring(line));
      EXPECT_EQ(runs[i].x, 0);
      EXPECT_EQ(runs[i].y, static_cast<int>(i) * advance) << "line " << line;
    }
    // The font is chosen again on every page.
    ASSERT_FALSE(log_.pages[p].fonts.empty());
  }
}

TEST_F(TextPrinterTest, AFullLastPageLeavesNoBlankSheetAndEmptyLinesTakeALine) {
  const int advance = Measure(12).Advance();
  TextPrinter printer(Recorder({2000, advance * 10 + 5}));
  printer.SetFont(kFace, 9);
  printer.Open();
  for (int line = 1; line <= 18; ++line) printer.PrintLine("x");
  printer.Close();
  EXPECT_EQ(log_.pages.size(), 2u);

  printer.Open();
  printer.PrintLine("");
  printer.PrintLine("y");
  printer.Close();
  ASSERT_EQ(log_.pages.size(), 3u);
  ASSERT_EQ(log_.pages[2].runs.size(), 1u);
  EXPECT_EQ(log_.pages[2].runs[0].text, L"y");
  EXPECT_EQ(log_.pages[2].runs[0].y, advance);
}

TEST_F(TextPrinterTest, LongLinesAreCutAtTheLastWholeCharacterThatFits) {
  const Measure measure(12);
  const int width = 301;
  TextPrinter printer(Recorder({width, 5000}));
  printer.Open();
  printer.SetFont(kFace, 9);
  std::string line = "□　";
  std::wstring expected = L"□　";
  for (int i = 0; i < 40; ++i) {
    line += "ソ表a能予";
    expected += L"ソ表a能予";
  }
  printer.PrintLine(line);
  printer.PrintLine("end");
  printer.Close();

  ASSERT_EQ(log_.pages.size(), 1u);
  const auto& runs = log_.pages[0].runs;
  ASSERT_GE(runs.size(), 3u);
  std::wstring joined;
  for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
    const std::wstring& piece = runs[i].text;
    joined += piece;
    EXPECT_EQ(runs[i].x, 0);
    EXPECT_EQ(runs[i].y, static_cast<int>(i) * measure.Advance());
    EXPECT_LE(measure.Extent(piece).cx, width) << "piece " << i;
    if (i + 2 < runs.size()) {
      // One more character would not have fitted.
      EXPECT_GT(measure.Extent(piece + runs[i + 1].text.substr(0, 1)).cx, width) << "piece " << i;
    }
  }
  EXPECT_EQ(joined, expected);
  EXPECT_EQ(runs.back().text, L"end");
}

TEST_F(TextPrinterTest, ACharacterWiderThanThePageStandsAlone) {
  TextPrinter printer(Recorder({3, 5000}));
  printer.Open();
  printer.PrintLine("表ab");
  printer.Close();
  ASSERT_EQ(log_.pages.size(), 1u);
  ASSERT_EQ(log_.pages[0].runs.size(), 3u);
  EXPECT_EQ(log_.pages[0].runs[0].text, L"表");
  EXPECT_EQ(log_.pages[0].runs[2].text, L"b");
}

TEST_F(TextPrinterTest, FontIsScaledToTheDeviceResolution) {
  TextPrinter printer(Recorder({4800, 6000}, 600));
  printer.SetFont(kFace, 9);
  printer.Open();
  printer.PrintLine("a");
  printer.Close();
  ASSERT_EQ(log_.pages.size(), 1u);
  ASSERT_FALSE(log_.pages[0].fonts.empty());
  const LOGFONTW& font = log_.pages[0].fonts.back();
  EXPECT_EQ(font.lfHeight, -75);  // 9 points at 600 dpi
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(std::wstring(font.lfFaceName), test::Wide(kFace));
}

TEST_F(TextPrinterTest, SecondOpenWhilePrintingIsRefused) {
  TextPrinter printer(Recorder({2000, 2000}));
  printer.Open();
  try {
    printer.Open();
    FAIL() << "no error";
  } catch (const LauncherError& e) {
    EXPECT_EQ(texts::ErrorText(e), "現在印刷中です");
  }
  printer.PrintLine("a");
  printer.Close();
  EXPECT_EQ(log_.documents, 1);
  EXPECT_EQ(log_.ends, 1);
  EXPECT_THROW(printer.PrintLine("late"), LauncherError);
}

TEST_F(TextPrinterTest, AnErrorDuringTheJobAbandonsItAndFreesThePrinter) {
  const int advance = Measure(12).Advance();
  TextPrinter printer(Recorder({2000, advance * 4 - 1}));
  log_.failPageStart = 2;
  printer.Open();
  printer.SetFont(kFace, 9);
  printer.PrintLine("1");
  printer.PrintLine("2");  // fills the page
  EXPECT_THROW(printer.PrintLine("3"), LauncherError);
  EXPECT_EQ(log_.aborts, 1);
  EXPECT_EQ(log_.ends, 0);
  EXPECT_FALSE(printer.Printing());

  // The next request is not refused as "already printing".
  printer.Open();
  printer.PrintLine("again");
  printer.Close();
  EXPECT_EQ(log_.ends, 1);
  EXPECT_EQ(log_.pages.back().runs.back().text, L"again");
}

TEST_F(TextPrinterTest, ADocumentRefusedGivesItsErrorAndOneTheUserCancelledNone) {
  const struct {
    DWORD code;
    std::string error;
  } rows[] = {{ERROR_ACCESS_DENIED, "ファイルへのアクセスが拒否されました"}, {ERROR_CANCELLED, ""}};
  for (const auto& row : rows) {
    log_.failDocumentStart = row.code;
    TextPrinter printer(Recorder({2000, 2000}));
    std::string error;
    try {
      EXPECT_FALSE(printer.Open());
    } catch (const LauncherError& e) {
      error = texts::ErrorText(e);
    }
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(log_.pageStarts + log_.aborts, 0);  // nothing started, nothing to abandon
  }
}

TEST_F(TextPrinterTest, AJobLeftOpenIsAbandonedWithThePrinter) {
  {
    TextPrinter printer(Recorder({2000, 2000}));
    printer.Open();
    printer.PrintLine("a");
  }
  EXPECT_EQ(log_.aborts, 1);
  EXPECT_EQ(log_.ends, 0);
}

TEST(DefaultPrinterTest, NoDefaultPrinterIsReported) {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size != 0) GTEST_SKIP() << "this system has a default printer";
  TextPrinter printer;
  try {
    printer.Open();
    FAIL() << "no error";
  } catch (const LauncherError& e) {
    EXPECT_EQ(texts::ErrorText(e), "デフォルト プリンタが存在しません");
  }
  EXPECT_FALSE(printer.Printing());
}

}  // namespace
}  // namespace sorvel::win32
