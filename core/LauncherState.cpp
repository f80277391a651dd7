#include "core/LauncherState.h"

#include <algorithm>

namespace sorvel {

namespace {

std::string ItemAt(const std::vector<std::string>& list, int position) {
  return position >= 0 && position < static_cast<int>(list.size()) ? list[position] : std::string();
}

}  // namespace

CatalogueEntry LauncherState::Entry(int n) const {
  const int position = n - 1;
  return CatalogueEntry{ItemAt(lstTitle, position), ItemAt(lstEXE, position),
                        ItemAt(lstNewVersion, position), ItemAt(lstKey, position)};
}

bool LauncherState::IsInstalled(int n) const {
  return n >= 1 && n < static_cast<int>(FoundFolder.size()) && !FoundFolder[n].empty();
}

void LauncherState::ReserveEntries(int count) {
  const std::size_t slots = static_cast<std::size_t>(std::max(kMinEntrySlots, count + 1));
  const auto grow = [slots](auto& array) {
    if (array.size() < slots) array.resize(slots);
  };
  grow(FoundFolder);
  grow(FoundExe);
  grow(MatchCount);
  grow(MarkerIcon);
  grow(MarkerSet);
}

}  // namespace sorvel
