// A list of folders: the drive root, the components of its folder's path
// and the folder's sub-folders, indented as a tree with open and closed
// folder glyphs. A click selects an entry; a double click or Enter opens the
// selected entry's folder, which becomes the list's folder.
#pragma once

#include <functional>
#include <string>

#include "core/FolderListing.h"
#include "platform/Platform.h"
#include "ui/controls/Window.h"

namespace sorvel::ui {

// How a directory list tells of a change.
struct DirectoryListOptions {
  // Called whenever the list's folder changes.
  std::function<void()> onChange{};
};

class DirectoryList : public Window {
 public:
  using Options = DirectoryListOptions;
  explicit DirectoryList(Platform& platform) : platform_(platform) {}
  void Create(const ControlArgs& args, const Options& options = {});

  // The list's folder: a normalised full path without trailing backslash,
  // except at a root ("C:\", "C:\SERIES"); empty until one was entered.
  const std::string& Folder() const { return listing_.Folder(); }
  // The drive letter of the folder (upper case), 0 when it has none.
  char Drive() const;

  // Moves to `path`: the current directory goes there, the folder becomes
  // its normalised form and the names are read afresh. A path that equals
  // the folder (without regard to case) changes nothing. Throws InOutError
  // when the folder cannot be entered; the list then keeps its folder.
  void SetFolder(const std::string& path);

  int Count() const { return static_cast<int>(listing_.Names().size()); }
  std::string Item(int index) const;
  // The folder an entry stands for: a root, a folder on the path, or a
  // sub-folder of the list's folder.
  std::string ItemFolder(int index) const;
  int SelectedIndex() const;
  void SelectIndex(int index);
  // Opens the selected entry's folder (as a double click does).
  void OpenSelected();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnNotify(WORD code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void OnDpiChanged() override;

 private:
  void FillList();
  int Level(int index) const;

  Platform& platform_;
  FolderListing listing_;
  std::function<void()> onChange_;
};

}  // namespace sorvel::ui
