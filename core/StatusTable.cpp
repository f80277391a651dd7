#include "core/StatusTable.h"

#include <iterator>

#include "core/Catalogue.h"
#include "core/UserTexts.h"

namespace sorvel {

namespace {

constexpr std::size_t kVersionFromByte = 7;  // 1-based

// `text` padded with blanks to `width` bytes; a longer text stays whole.
std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string CellAt(const StatusRow& row, std::size_t column) {
  return column < row.size() ? row[column] : std::string();
}

StatusRow BuildStatusRow(const LauncherState& state, int n) {
  const CatalogueEntry& entry = state.Entry(n);
  const std::string exeName = ProgramFileName(entry.exeStem);
  if (!state.IsInstalled(n)) {
    return {entry.title, exeName, "", entry.latestVersion, texts::kNotInstalledAttribute, "", ""};
  }
  const ScanResult& found = state.Result(n);
  return {entry.title,
          exeName,
          VersionFromFolder(found.folder),
          entry.latestVersion,
          texts::kFreeAttribute,
          std::to_string(found.matchCount - 1),
          found.folder};
}

}  // namespace

StatusRow BuildStatusHeader() {
  return {std::begin(texts::kStatusColumnTitles), std::end(texts::kStatusColumnTitles)};
}

std::vector<StatusRow> BuildStatusRows(const LauncherState& state) {
  std::vector<StatusRow> rows;
  for (int n = 1; n <= state.EntryCount(); ++n) rows.push_back(BuildStatusRow(state, n));
  return rows;
}

std::string VersionFromFolder(const std::string& folderName) {
  std::string digits;
  for (std::size_t pos = kVersionFromByte - 1; pos < folderName.size() && digits.size() < 2;
       ++pos) {
    if (folderName[pos] >= '0' && folderName[pos] <= '9') digits += folderName[pos];
  }
  return digits.substr(0, 1) + "." + (digits.size() > 1 ? digits.substr(1, 1) : "");
}

std::string PrintLine(const StatusRow& row) {
  return texts::kPrintedLineMark + PadRight(CellAt(row, 0), 30) + " " +
         PadRight(CellAt(row, 1), 20) + " " + PadRight(CellAt(row, 2), 5) + " / " +
         PadRight(CellAt(row, 3), 5);
}

}  // namespace sorvel
