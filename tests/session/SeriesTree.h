// A series laid out in a fresh temporary folder as it is shipped: the
// launcher's home folder LAUNCH with its catalogue, beside the program
// folders. And a snapshot of everything in such a tree, to prove that a
// session left every name, byte, attribute and time stamp as it was.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/process/ProcessDriver.h"

namespace sorvel::test {

// The programs the tests install, built beside the test executable.
enum class Sample {
  Plain,     // no icon of its own
  WithIcon,  // an icon of its own
};

// The window class of the sample programs; a window's caption says where
// and how its program was started: "<current directory>|<command line>".
constexpr const wchar_t* kSampleWindowClass = L"SorvelSessionSample";

// How the programs the launcher started were started, sorted: the caption
// of each one's window, its current directory spelled in long names. Waits
// until `count` of them have their windows, or for up to `milliseconds`.
std::vector<std::wstring> StartedPrograms(const LauncherProcess& launcher, size_t count,
                                          DWORD milliseconds = 15000);
// Closes the windows of the programs the launcher started and waits until
// they have ended.
void EndStartedPrograms(const LauncherProcess& launcher);

// A title panel's text: eight blanks keep the title clear of the marker.
std::wstring PanelText(const std::wstring& title);

class SeriesTree {
 public:
  // A fresh folder <temp>\sorvel-<hint>-<process>-<n>; `hint` may hold
  // characters that CP932 cannot spell.
  explicit SeriesTree(const std::wstring& hint);
  ~SeriesTree();  // closes what Hold opened and removes the tree
  SeriesTree(const SeriesTree&) = delete;
  SeriesTree& operator=(const SeriesTree&) = delete;

  // root + "\" + relative.
  std::wstring Path(const std::wstring& relative) const;

  // Writes LAUNCH\SVLindex.txt.
  void WriteCatalogue(const std::string& cp932Text);
  // Writes a file below the root, creating the folders on the way.
  void WriteFile(const std::wstring& relative, const std::string& bytes);
  void MakeFolder(const std::wstring& relative);
  // Copies a sample program to <folder>\<exeName> (the folder is created).
  void Install(const std::wstring& folder, const std::wstring& exeName,
               Sample sample = Sample::Plain);
  // Copies a file built beside the test executable into a folder below the root.
  void CopyBuilt(const std::wstring& builtName, const std::wstring& folder);
  // Removes a file or a whole folder below the root.
  void Remove(const std::wstring& relative);
  // Keeps a file open for writing, sharing nothing, as another program that
  // is busy with it does; until the tree is removed.
  void Hold(const std::wstring& relative);

  std::wstring root;  // the series folder
  std::wstring home;  // root\LAUNCH

 private:
  std::vector<HANDLE> held_;
};

// Everything in a folder tree: per path below the root ("" for the root
// itself) the attributes, size, creation and last-write times and, for
// files, every byte.
struct TreeSnapshot {
  struct Entry {
    DWORD attributes = 0;
    ULONGLONG size = 0;
    ULONGLONG created = 0, written = 0;
    std::string bytes;
  };
  std::map<std::wstring, Entry> entries;

  static TreeSnapshot Take(const std::wstring& root);
};

// One line (UTF-8) per path that appeared, vanished or changed in any
// respect; empty when the two are the same.
std::vector<std::string> Differences(const TreeSnapshot& before, const TreeSnapshot& after);

}  // namespace sorvel::test
