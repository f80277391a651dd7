// The series the monkey plays on: 18 entries, four of them not installed,
// one program without an icon, one program in two folders, one folder that
// others take away and bring back while the launcher runs; and a disc with
// newer programs in a CD-ROM drive, taken out and put back. It knows which
// boxes the launcher may show on them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tests/monkey/MovingFolder.h"
#include "tests/session/SeriesTree.h"

namespace sorvel::test {

class MonkeySeries {
 public:
  // `disc`: the folder that is the disc of a CD-ROM drive (a Windows path),
  // empty for none.
  MonkeySeries(SeriesTree& tree, std::wstring disc);
  ~MonkeySeries();  // brings back what is away

  // Writes the catalogue, installs the programs and burns the disc.
  void LayOut();
  // The main window's caption, the catalogue's first line.
  static const wchar_t* Caption();
  // Whether an executable's name is one of the series' programs.
  static bool IsProgram(const std::wstring& exeName);

  // Whether the launcher may show this message box (no icon) or error box
  // (stop icon) here: the launcher's own texts for what can
  // happen - a program without an icon, a folder taken away while it is
  // read, a folder or drive that cannot be entered, no printer.
  static bool IsNamedMessage(const std::wstring& text);
  static bool IsNamedError(const std::wstring& text);

  // The program folder that goes away and comes back (GEOMET11), and the
  // disc (null without one).
  MovingFolder& Folder() { return folder_; }
  MovingFolder* Disc() { return disc_.get(); }

 private:
  SeriesTree& tree_;
  MovingFolder folder_;
  std::unique_ptr<MovingFolder> disc_;
};

}  // namespace sorvel::test
