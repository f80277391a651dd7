#include "tests/support/win32/EmfPrintRecorder.h"

#include "platform/win32/Encoding.h"

namespace sorvel::test {
namespace {

PrintedPage Decode(HENHMETAFILE metafile) {
  PrintedPage page;
  std::vector<BYTE> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
  for (std::size_t at = 0; at + sizeof(EMR) <= bits.size();) {
    const auto* record = reinterpret_cast<const EMR*>(bits.data() + at);
    if (record->iType == EMR_EXTTEXTOUTW) {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      const auto* chars =
          reinterpret_cast<const wchar_t*>(bits.data() + at + text->emrtext.offString);
      page.runs.push_back({text->emrtext.ptlReference.x, text->emrtext.ptlReference.y,
                           std::wstring(chars, text->emrtext.nChars)});
    } else if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
      page.fonts.push_back(
          reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record)->elfw.elfLogFont);
    }
    if (record->nSize == 0) break;
    at += record->nSize;
  }
  return page;
}

}  // namespace

std::vector<std::string> PrintLog::Lines() const {
  std::vector<std::string> lines;
  for (const PrintedPage& page : pages)
    for (const PrintedRun& run : page.runs)
      lines.push_back(win32::WideToCp932(run.text).value_or("?"));
  return lines;
}

EmfPrintRecorder::EmfPrintRecorder(PrintLog& log, SIZE page, int dpi)
    : log_(log), page_(page), dpi_(dpi) {}

EmfPrintRecorder::~EmfPrintRecorder() { DiscardPage(); }

bool EmfPrintRecorder::StartDocument() {
  if (log_.failDocumentStart != 0) {
    SetLastError(log_.failDocumentStart);
    return false;
  }
  ++log_.documents;
  return true;
}

bool EmfPrintRecorder::StartPage() {
  if (++log_.pageStarts == log_.failPageStart) return false;
  dc_ = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  return dc_ != nullptr;
}

bool EmfPrintRecorder::EndPage() {
  HENHMETAFILE metafile = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  if (metafile == nullptr) return false;
  log_.pages.push_back(Decode(metafile));
  DeleteEnhMetaFile(metafile);
  return true;
}

bool EmfPrintRecorder::EndDocument() {
  ++log_.ends;
  return true;
}

void EmfPrintRecorder::AbortDocument() {
  ++log_.aborts;
  DiscardPage();
}

void EmfPrintRecorder::DiscardPage() {
  if (dc_ != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
  dc_ = nullptr;
}

}  // namespace sorvel::test
