#include "check/ReportJson.h"

#include <cstdio>
#include <iterator>
#include <utility>
#include <vector>

#include "check/CatalogueEncoding.h"
#include "check/EntryText.h"
#include "check/FindingText.h"

namespace sorvel::check {

namespace {

using Members = std::vector<std::pair<const char*, std::string>>;

std::string Object(const Members& members) {
  std::string json = "{";
  for (const auto& [name, value] : members) {
    if (json.size() > 1) json += ", ";
    json += JsonString(name) + ": " + value;
  }
  return json + "}";
}

// Items one per line, indented, as members of the top-level object.
std::string Array(const std::vector<std::string>& items) {
  if (items.empty()) return "[]";
  std::string json = "[\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    json += "    " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
  }
  return json + "  ]";
}

// Items on one line.
std::string InlineArray(const std::vector<std::string>& items) {
  std::string json = "[";
  for (const std::string& item : items) json += (json.size() > 1 ? ", " : "") + item;
  return json + "]";
}

std::string Bool(bool value) { return value ? "true" : "false"; }

std::string Number(int value) { return std::to_string(value); }

std::string SeverityName(Severity severity) {
  constexpr const char* kNames[] = {"none", "warning", "error"};  // in the order of Severity
  return JsonString(kNames[static_cast<std::size_t>(severity)]);
}

const char* LayoutName(Layout layout) {
  constexpr const char* kNames[] = {"hardDisk", "cdRomRoot",
                                    "copiedDisc"};  // in the order of Layout
  return kNames[static_cast<std::size_t>(layout)];
}

std::string EntryState(const CheckReport& report, const EntryReport& entry) {
  if (!report.scanned) return JsonString("notChecked");
  if (entry.installed) return JsonString("installed");
  return JsonString(entry.causes.empty() ? "notInstalled" : "notFound");
}

std::string CauseJson(const EntryReport& entry, const MissCause& cause, Language language) {
  return Object({{"reason", JsonString(MissReasonName(cause.reason))},
                 {"folder", JsonString(cause.folder)},
                 {"file", JsonString(cause.file)},
                 {"firstEntry", JsonString(cause.firstEntry)},
                 {"datedTooEarly", Bool(cause.datedTooEarly)},
                 {"otherEntry", Number(cause.otherEntry)},
                 {"message", JsonString(CauseMessage(entry, cause, language))}});
}

std::string EntryJson(const CheckReport& report, const EntryReport& entry, Language language) {
  std::vector<std::string> causes;
  for (const MissCause& cause : entry.causes) causes.push_back(CauseJson(entry, cause, language));
  return Object({{"number", Number(entry.number)},
                 {"title", JsonString(entry.title)},
                 {"exeName", JsonString(entry.exeName)},
                 {"stem", JsonString(entry.stem)},
                 {"latestVersion", JsonString(entry.latestVersion)},
                 {"state", EntryState(report, entry)},
                 {"severity", SeverityName(report.scanned ? entry.severity() : Severity::None)},
                 {"folder", JsonString(entry.folder)},
                 {"file", JsonString(entry.file)},
                 {"version", JsonString(entry.version)},
                 {"copies", Number(entry.copies)},
                 {"causes", InlineArray(causes)},
                 {"message", JsonString(EntryMessage(report, entry, language))}});
}

std::string FindingJson(const CheckReport& report, const Finding& finding, Language language) {
  std::vector<std::string> names;
  for (const std::string& name : finding.names) names.push_back(JsonString(name));
  return Object({{"kind", JsonString(FindingKindName(finding.kind))},
                 {"severity", SeverityName(finding.severity())},
                 {"entry", Number(finding.entry)},
                 {"line", Number(finding.line)},
                 {"count", Number(finding.count)},
                 {"encoding", JsonString(EncodingName(finding.encoding))},
                 {"text", JsonString(finding.text)},
                 {"names", InlineArray(names)},
                 {"errorCode", Number(static_cast<int>(finding.errorCode))},
                 {"message", JsonString(FindingMessage(report, finding, language))}});
}

}  // namespace

// The names, in the order of each enumeration.
constexpr const char* kMissReasonNames[] = {
    "sameStem",     "folderSkippedForSubFolder", "folderSkippedForDate", "hiddenFile",
    "hiddenFolder", "folderNameNotCp932",        "fileNameNotCp932",     "insideLauncherFolder",
    "nameCut",
};
static_assert(std::size(kMissReasonNames) == static_cast<std::size_t>(MissReason::Count));

constexpr const char* kEncodingNames[] = {"cp932",         "utf-8-bom", "utf-8", "utf-16",
                                          "utf-16-no-bom", "not-cp932", "utf-32"};
static_assert(std::size(kEncodingNames) == static_cast<std::size_t>(Encoding::Count));

const char* FindingKindName(FindingKind kind) { return RowOf(kind).jsonName; }

const char* MissReasonName(MissReason reason) {
  return kMissReasonNames[static_cast<std::size_t>(reason)];
}

const char* EncodingName(Encoding encoding) {
  return kEncodingNames[static_cast<std::size_t>(encoding)];
}

std::string JsonString(const std::string& cp932Text) {
  std::string json = "\"";
  for (std::size_t pos = 0; pos < cp932Text.size();) {
    const std::size_t length = Cp932CharLength(cp932Text, pos);
    const auto byte = static_cast<unsigned char>(cp932Text[pos]);
    if (length == 0 && byte != 0) {
      json += "\\ufffd";  // no CP932 character: it could swallow the closing quote
    } else if (byte == '"' || byte == '\\') {
      json += '\\';
      json += static_cast<char>(byte);
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json.append(cp932Text, pos, length);
    }
    pos += length == 0 ? 1 : length;
  }
  return json + "\"";
}

std::string ReportJson(const CheckReport& report, Language language, const std::string& version) {
  std::vector<std::string> entries;
  for (const EntryReport& entry : report.entries) {
    entries.push_back(EntryJson(report, entry, language));
  }
  std::vector<std::string> findings;
  for (const Finding& finding : report.findings) {
    findings.push_back(FindingJson(report, finding, language));
  }
  const Members members = {
      {"checker", JsonString("SvlCheck")},
      {"version", JsonString(version)},
      {"language", JsonString(language == Language::Japanese ? "ja" : "en")},
      {"launcherFolder", JsonString(report.homeFolder)},
      {"layout", JsonString(LayoutName(report.layout))},
      {"scannedFolder", JsonString(report.scannedFolder)},
      {"catalogue", Object({{"loaded", Bool(report.catalogueLoaded)},
                            {"encoding", JsonString(EncodingName(report.encoding))},
                            {"caption", JsonString(report.caption)},
                            {"lastUpdate", JsonString(report.lastUpdate)}})},
      {"scanned", Bool(report.scanned)},
      {"entries", Array(entries)},
      {"findings", Array(findings)},
      {"errors", Number(report.Errors())},
      {"warnings", Number(report.Warnings())},
      {"exitCode", Number(report.ExitCode())},
  };
  std::string json = "{\n";
  for (std::size_t i = 0; i < members.size(); ++i) {
    json += "  " + JsonString(members[i].first) + ": " + members[i].second +
            (i + 1 < members.size() ? ",\n" : "\n");
  }
  return json + "}\n";
}

}  // namespace sorvel::check
