#include "tests/ui/MainTestSeries.h"

#include <sstream>

#include "core/Cp932.h"
#include "platform/win32/Encoding.h"
#include "tests/ui/UiTestSupport.h"

namespace sorvel::test {
MainTestSeries::MainTestSeries() {
  wchar_t current[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, current);
  savedDirectory_ = current;
  root = MakeTempFolder(L"main");
  home = root + L"\\LAUNCH";
  CreateDirectoryW(home.c_str(), nullptr);
}

MainTestSeries::~MainTestSeries() {
  window.reset();
  SetCurrentDirectoryW(savedDirectory_.c_str());
  RemoveTree(root);
}

void MainTestSeries::WriteCatalogue(const std::string& caption,
                                    const std::vector<SeriesEntry>& entries) {
  std::string text = caption + "\r\n2024/04/01\r\n";
  for (const SeriesEntry& entry : entries) {
    text += entry.title + "," + entry.exeName + ",1.0,KEY\r\n";
  }
  WriteFileBytes(home + L"\\SVLindex.txt", text);
}

void MainTestSeries::Install(const std::wstring& folder, const std::wstring& exeName,
                             bool withIcon) {
  CreateDirectoryW((root + L"\\" + folder).c_str(), nullptr);
  const std::wstring recorder = ExecutableFolder() + (withIcon ? L"\\sorvel_sample_iconic.exe"
                                                               : L"\\sorvel_sample_recorder.exe");
  CopyFileW(recorder.c_str(), (root + L"\\" + folder + L"\\" + exeName).c_str(), FALSE);
}

void MainTestSeries::LayOutTwoOfThree() {
  WriteCatalogue("Series", {{"代数 I", "ALGEBRA1"}, {"図形", "geometry"}, {"関数", "kansu"}});
  Install(L"ALGEBR12", L"algebra1.exe");
  Install(L"KANSU10", L"KANSU.EXE");
}

std::vector<std::wstring> MainTestSeries::Records(const std::wstring& folder, size_t lines) {
  const std::wstring path = root + L"\\" + folder + L"\\record.txt";
  std::vector<std::wstring> records;
  for (int wait = 0; wait < 100; ++wait) {
    records.clear();
    std::wistringstream in(FromUtf8(ReadFileBytes(path).value_or("")));
    for (std::wstring line; std::getline(in, line);) records.push_back(line);
    if (records.size() >= lines) break;
    Sleep(50);
  }
  return records;
}

ui::TfrmMain& MainTestSeries::Open(Platform& withPlatform) {
  window.reset();
  SetCurrentDirectoryW(home.c_str());
  window = std::make_unique<ui::TfrmMain>(withPlatform, messages);
  window->Create();
  PumpMessages();
  return *window;
}

ErrorCode RefusingPlatform::ChangeDirectory(const std::string& path) {
  if (!refused.empty() && cp932::EqualsNoCase(FullPath(path), refused)) return error::kAccessDenied;
  return Win32Platform::ChangeDirectory(path);
}

std::vector<SeriesEntry> NumberedEntries(int n) {
  std::vector<SeriesEntry> entries;
  for (int i = 1; i <= n; ++i) {
    entries.push_back({"Title " + std::to_string(i), "prog" + std::to_string(i)});
  }
  return entries;
}

}  // namespace sorvel::test
