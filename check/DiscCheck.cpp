#include "check/DiscCheck.h"

#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/FileProbe.h"

namespace sorvel::check {

namespace {

constexpr const char* kAutorunFile = "autorun.inf";

struct DiscEntry {
  std::string path;  // below the root, as "FOLDER\NAME"
  FileInfo info;     // its name the last part of the path
};

bool IsFolder(const FileInfo& info) { return (info.attributes & attr::kDirectory) != 0; }

std::vector<FileInfo> Listed(Platform& platform, const std::string& folder) {
  std::vector<FileInfo> entries;
  std::vector<FileInfo> named;
  if (platform.List(folder + "*", entries) != error::kOk) return named;
  for (const FileInfo& info : entries) {
    if (info.name != "." && info.name != "..") named.push_back(info);
  }
  return named;
}

// The root's entries and those of its folders: every place the launcher
// and the programs it starts are read from.
std::vector<DiscEntry> DiscEntries(Platform& platform, const std::string& root) {
  std::vector<DiscEntry> entries;
  for (const FileInfo& info : Listed(platform, root)) {
    entries.push_back({info.name, info});
    if (!IsFolder(info)) continue;
    for (const FileInfo& inner : Listed(platform, root + info.name + "\\")) {
      entries.push_back({info.name + "\\" + inner.name, inner});
    }
  }
  return entries;
}

// A name as an ISO 9660 directory record holds it, which a drive without
// the long names shows: a version number after ";", or a lone final dot.
bool MarkedByImage(const std::string& name) {
  const std::size_t semicolon = name.rfind(';');
  if (semicolon != std::string::npos && semicolon + 1 < name.size() &&
      name.find_first_not_of("0123456789", semicolon + 1) == std::string::npos) {
    return true;
  }
  return name.size() > 1 && name.back() == '.';
}

void AddNamed(FindingKind kind, std::vector<std::string> names, CheckReport& report) {
  if (names.empty()) return;
  report.findings.push_back({.kind = kind, .names = std::move(names)});
}

// The catalogue spelled in one case only: an image without Joliet names,
// where every long or Japanese name is cut or replaced as well.
void ReportShortNames(const std::vector<DiscEntry>& entries, CheckReport& report) {
  const std::string catalogue = kCatalogueFileName;
  for (const DiscEntry& entry : entries) {
    const std::string& name = entry.path;
    if (name == catalogue || !cp932::EqualsNoCase(name, catalogue)) continue;
    const bool oneCase = name == cp932::AsciiLower(name) ||
                         name.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
    if (!oneCase) continue;
    report.findings.push_back({.kind = FindingKind::CatalogueInOneCase, .text = name});
  }
}

std::string TrimmedBlanks(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return std::string();
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// The file a value names, as Windows reads it: blanks around it trimmed, a
// quoted name taken whole between its quotes (blanks and commas in it
// included), else cut before an icon's ",index" or a program's arguments.
std::string FileOfValue(const std::string& value, const std::string& key) {
  const std::string trimmed = TrimmedBlanks(value);
  if (!trimmed.empty() && trimmed[0] == '"') {
    return trimmed.substr(1, trimmed.find('"', 1) - 1);
  }
  return TrimmedBlanks(trimmed.substr(0, trimmed.find_first_of(key == "icon" ? "," : " \t")));
}

// The file `key` names in the [autorun] section; empty when it has none.
std::string AutorunValue(const std::string& text, const std::string& key) {
  bool inSection = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    line.erase(0, line.find_first_not_of(" \t"));
    if (!line.empty() && line[0] == '[') {
      inSection = cp932::AsciiLower(line) == "[autorun]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inSection || equals == std::string::npos) continue;
    const std::string name = TrimmedBlanks(line.substr(0, equals));
    if (cp932::AsciiLower(name) != key) continue;
    return FileOfValue(line.substr(equals + 1), key);
  }
  return "";
}

// Each file autorun.inf names that the disc does not hold.
void ReportAutorun(Platform& platform, const std::string& root, CheckReport& report) {
  std::string text;
  if (platform.ReadWholeFile(root + kAutorunFile, text) != error::kOk) return;
  for (const char* key : {"open", "shellexecute", "icon"}) {
    std::string file = AutorunValue(text, key);
    if (!file.empty() && file[0] == '\\') file.erase(0, 1);
    if (file.empty()) continue;
    const auto found = platform.FindFirst(root + file);
    if (found && !IsFolder(*found)) continue;
    report.findings.push_back(
        {.kind = FindingKind::AutorunTargetMissing, .text = key, .names = {file}});
  }
}

}  // namespace

void CheckDisc(Platform& platform, const LauncherRun& run, CheckReport& report) {
  const std::string root = cp932::WithTrailingBackslash(run.HomeFolder());
  const std::vector<DiscEntry> entries = DiscEntries(platform, root);
  std::vector<std::string> marked;
  std::vector<std::string> early;
  for (const DiscEntry& entry : entries) {
    if (MarkedByImage(entry.info.name)) marked.push_back(entry.path);
    if (platform.FileTimeToLocal(entry.info.lastWriteTime) < kDosEpochFileTime) {
      early.push_back(entry.path);
    }
  }
  AddNamed(FindingKind::NameChangedByImage, marked, report);
  ReportShortNames(entries, report);
  AddNamed(FindingKind::DatedBefore1980, early, report);
  ReportAutorun(platform, root, report);
}

}  // namespace sorvel::check
