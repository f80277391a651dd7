// How the scan reports each entry's result to the window showing entries.
#pragma once

namespace sorvel {

class ScanListener {
 public:
  virtual ~ScanListener() = default;
  virtual void SetEntryInstalled(int n, bool installed) = 0;
  virtual void LoadEntryIcon(int n) = 0;
};

}  // namespace sorvel
