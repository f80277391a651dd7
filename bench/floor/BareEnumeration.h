// The plainest reading of a series' folders: a base folder and each of its
// sub-folders opened once with FindFirstFileEx, their entries read and
// nothing else. The scan benchmark times it against the launcher's scan; the
// floor program reads the folders of its first scan this way.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace sorvel::floor {

// Every entry of `folder`, read once, in the cheapest way the system offers
// (no short names, large reads), each given to `visit`; returns how many.
template <typename Visit>
int ReadFolder(const std::wstring& folder, Visit&& visit) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int entries = 0;
  do {
    ++entries;
    visit(data);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return entries;
}

inline bool IsSubFolder(const WIN32_FIND_DATAW& data) {
  return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0;
}

// The base folder and each of its sub-folders opened once; `visit` sees
// every entry of the sub-folders. Returns the number of entries read.
template <typename Visit>
int EnumerateSeries(const std::wstring& base, Visit&& visit) {
  std::vector<std::wstring> subFolders;
  int entries = ReadFolder(base, [&subFolders](const WIN32_FIND_DATAW& data) {
    if (IsSubFolder(data)) subFolders.push_back(data.cFileName);
  });
  for (const std::wstring& name : subFolders) entries += ReadFolder(base + L"\\" + name, visit);
  return entries;
}

}  // namespace sorvel::floor
