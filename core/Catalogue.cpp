#include "core/Catalogue.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/Cp932.h"
#include "core/FileProbe.h"
#include "core/TextEncoding.h"
#include "core/UserTexts.h"
#include "platform/Platform.h"

namespace sorvel {

namespace {

constexpr std::size_t kExeStemBytes = 8;

// Line `index` (from 0) of the file; a file too short for it cannot give the
// caption or the date.
const std::string& RequiredLine(const std::vector<std::string>& lines, std::size_t index) {
  if (index >= lines.size()) {
    throw LauncherError(texts::LineOutOfRangeText(index));
  }
  return lines[index];
}

// Only a line with exactly three commas can give four fields; counting
// first keeps a line of millions of commas from being split for nothing.
bool GivesEntry(const std::string& line, std::vector<std::string>& fields) {
  return std::count(line.begin(), line.end(), ',') == 3 && SplitText(line, ",", fields) == 4;
}

CatalogueEntry EntryOf(const std::vector<std::string>& fields) {
  return CatalogueEntry{fields[0], ExeStemOf(fields[1]), fields[2], fields[3]};
}

// The caption and the date keep what CP932 can spell; a box says which line
// lost characters, as it says which program line is skipped.
void ReportUnspellableHead(LauncherContext& context, const Cp932Text& text) {
  for (std::size_t index = 0; index < 2; ++index) {
    const auto found = text.unspellable.find(index);
    if (found == text.unspellable.end()) continue;
    context.messages.ShowMessage(texts::UnspellableHeadText(index + 1, found->second));
  }
}

}  // namespace

bool LoadCatalogue(LauncherContext& context, const std::string& fileName) {
  LauncherState& state = context.state;
  const std::string path = state.homeFolder + fileName;
  if (!FileExistsLike(context.platform, path)) {
    context.messages.ShowMessage(texts::MissingCatalogueText(path));
    return false;
  }

  std::string text;
  if (context.platform.ReadWholeFile(path, text) != error::kOk) {
    throw LauncherError(texts::UnreadableFileText(path));
  }
  const Cp932Text converted = ToCp932Text(context.platform, text);
  state.catalogueLines = SplitLines(converted.text);
  state.SetEntries({});

  state.caption = RequiredLine(state.catalogueLines, 0);
  state.lastUpdate = RequiredLine(state.catalogueLines, 1);
  ReportUnspellableHead(context, converted);

  std::vector<CatalogueEntry> entries;
  std::vector<std::string> fields;
  for (std::size_t index = 2; index < state.catalogueLines.size(); ++index) {
    const std::string& line = state.catalogueLines[index];
    // A line that lost characters to CP932 is skipped, shown with their
    // marks: an entry without them could name another program.
    const auto unspellable = converted.unspellable.find(index);
    if (unspellable != converted.unspellable.end()) {
      context.messages.ShowMessage(texts::MalformedLineText(unspellable->second));
    } else if (GivesEntry(line, fields)) {
      entries.push_back(EntryOf(fields));
    } else {
      context.messages.ShowMessage(texts::MalformedLineText(line));
    }
  }
  // Every entry gets its scan result, however long the catalogue is.
  state.SetEntries(std::move(entries));
  return true;
}

int SplitText(std::string text, const std::string& separator, std::vector<std::string>& list) {
  // Cleared first: a caller that reads the list after an empty text must not
  // find the fields of the text before it.
  list.clear();
  if (text.empty()) return 0;
  std::size_t start = 0;
  if (!separator.empty()) {
    for (std::size_t found; (found = text.find(separator, start)) != std::string::npos;
         start = found + separator.size()) {
      list.push_back(text.substr(start, found - start));
    }
  }
  list.push_back(text.substr(start));
  return static_cast<int>(list.size());
}

std::vector<std::string> SplitLines(const std::string& text) {
  // The text ends at its first NUL byte.
  const std::string_view rest(text.c_str());
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < rest.size()) {
    const std::size_t end = rest.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(rest.substr(start));
      break;
    }
    lines.emplace_back(rest.substr(start, end - start));
    const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  return lines;
}

std::string ExeStemOf(const std::string& exeName) {
  return cp932::AsciiLower(exeName.substr(0, kExeStemBytes));
}

}  // namespace sorvel
