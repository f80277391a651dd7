// How the scan reports each entry's result to the window showing entries.
#pragma once

namespace sorvel {

class ScanListener {
 public:
  virtual ~ScanListener() = default;
  // Every scan that completes calls this for each entry, in entry order: the
  // entry is installed or not, and its hover marker starts afresh.
  virtual void SetEntryInstalled(int n, bool installed) = 0;
  // A scan with icons calls this for an installed entry after the above.
  virtual void LoadEntryIcon(int n) = 0;
};

}  // namespace sorvel
