#include "core/LauncherState.h"

#include <utility>

namespace sorvel {

bool LauncherState::IsInstalled(int n) const {
  return n >= 1 && n <= static_cast<int>(results.size()) && !results[Index(n)].folder.empty();
}

void LauncherState::SetEntries(std::vector<CatalogueEntry> catalogue) {
  entries = std::move(catalogue);
  results.assign(entries.size(), ScanResult{});
}

void LauncherState::ClearMatchCounts() {
  for (ScanResult& result : results) result.matchCount = 0;
}

}  // namespace sorvel
