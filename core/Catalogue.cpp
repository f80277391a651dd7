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
int FieldCount(const std::string& line) {
  if (line.empty()) return 0;
  return static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1;
}

CatalogueEntry EntryOf(const std::vector<std::string>& fields) {
  return CatalogueEntry{fields[0], ExeStemOf(fields[1]), fields[2], fields[3]};
}

// The caption and the date keep what CP932 can spell; a box says which line
// lost characters, as it says which program line is skipped.
void JudgeHead(const Cp932Text& text, CatalogueVerdict& verdict) {
  for (std::size_t index = 0; index < 2; ++index) {
    const auto found = text.unspellable.find(index);
    if (found == text.unspellable.end()) continue;
    LineVerdict& head = verdict.lines.emplace_back();
    head.index = index;
    head.fate = LineFate::Unspellable;
    head.message = texts::UnspellableHeadText(index + 1, found->second);
  }
}

// A program line gives an entry or is skipped with its box.
LineVerdict JudgeProgramLine(std::size_t index, const std::string& line, const Cp932Text& text,
                             std::vector<CatalogueEntry>& entries) {
  LineVerdict verdict;
  verdict.index = index;
  verdict.fieldCount = FieldCount(line);
  // A line that lost characters to CP932 is skipped, shown with their
  // marks: an entry without them could name another program.
  const auto unspellable = text.unspellable.find(index);
  if (unspellable != text.unspellable.end()) {
    verdict.fate = LineFate::Unspellable;
    verdict.fieldCount = 0;
    verdict.message = texts::MalformedLineText(unspellable->second);
    return verdict;
  }
  std::vector<std::string> fields;
  if (verdict.fieldCount != 4 || SplitText(line, ",", fields) != 4) {
    verdict.fate = LineFate::Malformed;
    verdict.message = texts::MalformedLineText(line);
    return verdict;
  }
  verdict.exeName = fields[1];
  entries.push_back(EntryOf(fields));
  return verdict;
}

void ShowVerdict(LauncherContext& context, const CatalogueVerdict& verdict) {
  for (const LineVerdict& line : verdict.lines) {
    if (!line.message.empty()) context.messages.ShowMessage(line.message);
  }
}

}  // namespace

bool LoadCatalogue(LauncherContext& context, const std::string& fileName) {
  LauncherState& state = context.state;
  CatalogueVerdict& verdict = state.catalogueVerdict;
  verdict = {};
  const std::string path = state.homeFolder + fileName;
  if (!FileExistsLike(context.platform, path)) {
    verdict.missingMessage = texts::MissingCatalogueText(path);
    context.messages.ShowMessage(verdict.missingMessage);
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
  JudgeHead(converted, verdict);

  std::vector<CatalogueEntry> entries;
  for (std::size_t index = 2; index < state.catalogueLines.size(); ++index) {
    verdict.lines.push_back(
        JudgeProgramLine(index, state.catalogueLines[index], converted, entries));
  }
  ShowVerdict(context, verdict);
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
