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

// One catalogue entry as the table shows it: `found` is its scan result, or
// nullptr when it is not installed.
struct EntryStatus {
  const CatalogueEntry& entry;
  const ScanResult* found;
};

std::string TitleCell(const EntryStatus& s) { return s.entry.title; }
std::string ExeNameCell(const EntryStatus& s) { return ProgramFileName(s.entry.exeStem); }
std::string VersionCell(const EntryStatus& s) {
  return s.found ? VersionFromFolder(s.found->folder) : "";
}
std::string LatestCell(const EntryStatus& s) { return s.entry.latestVersion; }
std::string AttributeCell(const EntryStatus& s) {
  return s.found ? texts::kFreeAttribute : texts::kNotInstalledAttribute;
}
// The further copies the counted scans found.
std::string CopiesCell(const EntryStatus& s) {
  return s.found ? std::to_string(s.found->matchCount - 1) : "";
}
std::string FolderCell(const EntryStatus& s) { return s.found ? s.found->folder : ""; }

// The cell of each column, in the order of the titles: a column is its
// title, its cell here and its width in the layout.
using Cell = std::string (*)(const EntryStatus&);
constexpr Cell kStatusCells[] = {TitleCell,     ExeNameCell, VersionCell, LatestCell,
                                 AttributeCell, CopiesCell,  FolderCell};
static_assert(std::size(kStatusCells) == kStatusColumns, "every status column has its cell");

StatusRow BuildStatusRow(const LauncherState& state, int n) {
  const EntryStatus status{state.Entry(n), state.IsInstalled(n) ? &state.Result(n) : nullptr};
  StatusRow row;
  for (const Cell cell : kStatusCells) row.push_back(cell(status));
  return row;
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
