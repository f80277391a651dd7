#include "tests/session/SeriesTree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/process/ProcessDriver.h"
#include "tests/support/win32/TestFiles.h"

namespace sorvel::test {
namespace {

ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool IsDotOrDotDot(const wchar_t* name) {
  return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

void Walk(const std::wstring& root, const std::wstring& relative, TreeSnapshot& snapshot) {
  const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (IsDotOrDotDot(data.cFileName)) continue;
    const std::wstring path = relative.empty() ? data.cFileName : relative + L"\\" + data.cFileName;
    TreeSnapshot::Entry& entry = snapshot.entries[path];
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry.created = Ticks(data.ftCreationTime);
    entry.written = Ticks(data.ftLastWriteTime);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Walk(root, path, snapshot);
    } else {
      entry.bytes = ReadFileBytes(root + L"\\" + path).value_or("<unreadable>");
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// The root folder's own entry, as its parent lists it.
TreeSnapshot::Entry RootEntry(const std::wstring& root) {
  TreeSnapshot::Entry entry;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(root.c_str(), GetFileExInfoStandard, &data)) {
    entry.attributes = data.dwFileAttributes;
    entry.created = Ticks(data.ftCreationTime);
    entry.written = Ticks(data.ftLastWriteTime);
  }
  return entry;
}

struct SampleQuery {
  std::vector<DWORD> processes;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectSampleWindow(HWND hwnd, LPARAM param) {
  auto* query = reinterpret_cast<SampleQuery*>(param);
  wchar_t className[64] = L"";
  GetClassNameW(hwnd, className, 64);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (wcscmp(className, kSampleWindowClass) == 0 &&
      std::find(query->processes.begin(), query->processes.end(), owner) != query->processes.end())
    query->windows.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> SampleWindows(const LauncherProcess& launcher) {
  SampleQuery query;
  query.processes = launcher.Children();
  if (!query.processes.empty()) EnumWindows(CollectSampleWindow, reinterpret_cast<LPARAM>(&query));
  return query.windows;
}

// "<current directory>|<command line>" with the directory in long names.
std::wstring StartedAs(HWND sample) {
  std::wstring caption = WindowText(sample);
  const size_t bar = caption.find(L'|');
  if (bar == std::wstring::npos) return caption;
  const std::wstring folder = caption.substr(0, bar);
  wchar_t longName[MAX_PATH] = L"";
  const DWORD length = GetLongPathNameW(folder.c_str(), longName, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return caption;
  return longName + caption.substr(bar);
}

}  // namespace

std::vector<std::wstring> StartedPrograms(const LauncherProcess& launcher, size_t count,
                                          DWORD milliseconds) {
  std::vector<HWND> windows;
  WaitUntil(
      [&] {
        windows = SampleWindows(launcher);
        return windows.size() >= count;
      },
      milliseconds);
  std::vector<std::wstring> started;
  for (HWND window : windows) started.push_back(StartedAs(window));
  std::sort(started.begin(), started.end());
  return started;
}

void EndStartedPrograms(const LauncherProcess& launcher) {
  for (HWND window : SampleWindows(launcher)) PostMessageW(window, WM_CLOSE, 0, 0);
  for (DWORD child : launcher.Children()) {
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, child)) {
      WaitForSingleObject(process, 10000);
      CloseHandle(process);
    }
  }
}

std::wstring PanelText(const std::wstring& title) { return L"        " + title; }

SeriesTree::SeriesTree(const std::wstring& hint) : root(MakeTempFolder(hint)) {
  EXPECT_NE(GetFileAttributesW(root.c_str()), INVALID_FILE_ATTRIBUTES)
      << "cannot create " << Utf8(root);
  home = Path(L"LAUNCH");
  MakeFolder(L"LAUNCH");
}

SeriesTree::~SeriesTree() {
  for (HANDLE file : held_) CloseHandle(file);
  RemoveTree(root);
}

std::wstring SeriesTree::Path(const std::wstring& relative) const {
  return root + L"\\" + relative;
}

void SeriesTree::WriteCatalogue(const std::string& cp932Text) {
  WriteFile(L"LAUNCH\\SVLindex.txt", cp932Text);
}

void SeriesTree::WriteFile(const std::wstring& relative, const std::string& bytes) {
  EXPECT_TRUE(WriteFileBytes(Path(relative), bytes)) << "cannot write " << Utf8(relative);
}

void SeriesTree::MakeFolder(const std::wstring& relative) {
  // Every folder on the way, from the top down.
  for (size_t at = relative.find(L'\\'); at != std::wstring::npos;
       at = relative.find(L'\\', at + 1))
    CreateDirectoryW(Path(relative.substr(0, at)).c_str(), nullptr);
  CreateDirectoryW(Path(relative).c_str(), nullptr);
  EXPECT_NE(GetFileAttributesW(Path(relative).c_str()), INVALID_FILE_ATTRIBUTES)
      << "cannot create " << Utf8(relative);
}

void SeriesTree::Install(const std::wstring& folder, const std::wstring& exeName, Sample sample) {
  MakeFolder(folder);
  const wchar_t* built = sample == Sample::WithIcon ? L"sorvel_session_sample_iconic.exe"
                                                    : L"sorvel_session_sample.exe";
  const std::wstring from = ExecutableFolder() + L"\\" + built;
  EXPECT_TRUE(CopyFileW(from.c_str(), Path(folder + L"\\" + exeName).c_str(), FALSE))
      << "cannot copy " << Utf8(from);
}

void SeriesTree::CopyBuilt(const std::wstring& builtName, const std::wstring& folder) {
  const std::wstring from = ExecutableFolder() + L"\\" + builtName;
  EXPECT_TRUE(CopyFileW(from.c_str(), Path(folder + L"\\" + builtName).c_str(), FALSE))
      << "cannot copy " << Utf8(from);
}

void SeriesTree::Remove(const std::wstring& relative) {
  RemoveTree(Path(relative));
  EXPECT_EQ(GetFileAttributesW(Path(relative).c_str()), INVALID_FILE_ATTRIBUTES)
      << "cannot remove " << Utf8(relative);
}

void SeriesTree::Hold(const std::wstring& relative) {
  HANDLE file = CreateFileW(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot open " << Utf8(relative);
  held_.push_back(file);
}

TreeSnapshot TreeSnapshot::Take(const std::wstring& root) {
  TreeSnapshot snapshot;
  snapshot.entries[L""] = RootEntry(root);
  Walk(root, L"", snapshot);
  return snapshot;
}

std::vector<std::string> Differences(const TreeSnapshot& before, const TreeSnapshot& after) {
  std::vector<std::string> lines;
  for (const auto& [path, was] : before.entries) {
    const std::string name = path.empty() ? "<the series folder>" : Utf8(path);
    const auto now = after.entries.find(path);
    if (now == after.entries.end()) {
      lines.push_back("gone: " + name);
      continue;
    }
    const TreeSnapshot::Entry& is = now->second;
    if (is.attributes != was.attributes) lines.push_back("attributes changed: " + name);
    if (is.size != was.size) lines.push_back("size changed: " + name);
    if (is.created != was.created) lines.push_back("creation time changed: " + name);
    if (is.written != was.written) lines.push_back("last-write time changed: " + name);
    if (is.bytes != was.bytes) lines.push_back("bytes changed: " + name);
  }
  for (const auto& [path, entry] : after.entries) {
    if (!before.entries.count(path)) lines.push_back("new: " + Utf8(path));
  }
  return lines;
}

}  // namespace sorvel::test
