#include "check/SeriesCheck.h"

#include <algorithm>
#include <optional>
#include <string>

#include "check/CatalogueEncoding.h"
#include "check/DiscCheck.h"
#include "check/EntryDiagnosis.h"
#include "check/LauncherRun.h"
#include "check/SeriesSurvey.h"
#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/StatusTable.h"
#include "core/TextEncoding.h"
#include "core/TitleBoard.h"

namespace sorvel::check {

namespace {

constexpr std::size_t kStemBytes = 8;
constexpr std::size_t kVersionLength = 3;  // "1.2"

std::string LastOf(const std::vector<std::string>& texts) {
  return texts.empty() ? std::string() : texts.back();
}

// The catalogue's bytes as the file holds them; nothing when it cannot be read.
std::optional<std::string> ReadCatalogue(Platform& platform, const LauncherRun& run) {
  std::string bytes;
  if (platform.ReadWholeFile(run.HomeFolder() + kCatalogueFileName, bytes) != error::kOk)
    return std::nullopt;
  return bytes;
}

void ReportEncoding(const std::string& bytes, CheckReport& report) {
  const EncodingVerdict verdict = DetectEncoding(bytes);
  report.encoding = verdict.encoding;
  if (!verdict.Misread()) return;
  report.findings.push_back(
      {.kind = FindingKind::NotCp932, .line = verdict.line, .encoding = verdict.encoding});
}

// The catalogue could not give the launcher its entries.
void ReportUnloadedCatalogue(Platform& platform, const LauncherRun& run, CheckReport& report) {
  if (run.StoppedAt() != LauncherRun::Step::LoadingCatalogue) {
    report.findings.push_back(
        {.kind = FindingKind::CatalogueMissing, .text = LastOf(run.Boxes().messages)});
    return;
  }
  const std::optional<std::string> bytes = ReadCatalogue(platform, run);
  const bool readable = bytes.has_value();
  Finding failed =
      Finding{.kind = readable ? FindingKind::CatalogueTooShort : FindingKind::CatalogueUnreadable};
  failed.text = LastOf(run.Boxes().errors);
  report.findings.push_back(failed);
  report.incomplete = !readable;
  // A file in UTF-16 ends at its first NUL for the launcher: too short.
  if (readable) ReportEncoding(*bytes, report);
}

// The launcher's next message, or `fallback` when it showed none more.
std::string NextMessage(const LauncherRun& run, std::size_t& message, const std::string& fallback) {
  const std::vector<std::string>& messages = run.Boxes().messages;
  return message < messages.size() ? messages[message++] : fallback;
}

// Each line the launcher rejects or cuts, with the message it shows for it,
// in the launcher's order: the caption and the date first, then the program
// lines; returns the ExeName fields of the lines it takes, in entry order.
std::vector<std::string> ReportLines(Platform& platform, const LauncherRun& run,
                                     const Cp932Text& text, CheckReport& report) {
  const std::vector<std::string>& lines = run.CatalogueLines();
  std::vector<std::string> exeNames;
  std::size_t message = 0;
  std::vector<std::string> fields;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const bool unspellable = text.unspellable.count(index) != 0;
    if (!unspellable && index < 2) continue;
    const int count = SplitText(lines[index], ",", fields);
    if (!unspellable && count == 4) {
      exeNames.push_back(fields[1]);
      continue;
    }
    Finding finding =
        Finding{.kind = unspellable ? FindingKind::UnspellableLine : FindingKind::MalformedLine,
                .line = static_cast<int>(index) + 1};
    finding.count = unspellable ? 0 : count;
    finding.text = NextMessage(run, message, lines[index]);
    if (unspellable) finding.names = LackingCharacterNames(platform, text.lacking.at(index));
    report.findings.push_back(finding);
  }
  return exeNames;
}

void ReportNames(const std::vector<LaunchedEntry>& entries,
                 const std::vector<std::string>& exeNames, CheckReport& report) {
  for (std::size_t i = 0; i < entries.size() && i < exeNames.size(); ++i) {
    const std::string& exeName = exeNames[i];
    if (OuterBlanks(entries[i].stem) != Ends::None) {
      report.findings.push_back(
          Finding{.kind = FindingKind::BlankInExeName, .entry = static_cast<int>(i) + 1});
    }
    if (exeName.size() <= kStemBytes) continue;
    const bool split = cp932::FitWholeChars(exeName, kStemBytes) < kStemBytes;
    report.findings.push_back(
        Finding{.kind = split ? FindingKind::NameCutInsideCharacter : FindingKind::NameCut,
                .entry = static_cast<int>(i) + 1});
  }
  if (static_cast<int>(entries.size()) > kBoardRoom) {
    report.findings.push_back(
        {.kind = FindingKind::TooManyEntries, .count = static_cast<int>(entries.size())});
  }
}

// The folders in listing order whose files the launcher took for entry `n`.
std::vector<std::string> FoldersHolding(const LauncherRun& run, const SeriesSurvey& survey, int n) {
  std::vector<std::string> folders;
  for (const SurveyedFolder& folder : survey.folders) {
    if (folder.place != FolderPlace::Listed || !folder.searched) continue;
    for (const SurveyedFile& file : folder.exeFiles) {
      const bool shown = !file.foreign && (file.attributes & (attr::kHidden | attr::kSystem)) == 0;
      if (shown && run.EntryOfFile(file.name) == n) folders.push_back(folder.name);
    }
  }
  return folders;
}

void ReportInstalled(const LauncherRun& run, const SeriesSurvey& survey, EntryReport& entry,
                     CheckReport& report) {
  entry.version = VersionFromFolder(entry.folder);
  if (entry.version.size() != kVersionLength) {
    report.findings.push_back({.kind = FindingKind::VersionNotInFolderName,
                               .entry = entry.number,
                               .text = entry.version});
  }
  if (entry.copies > 1) {
    report.findings.push_back({.kind = FindingKind::SeveralCopies,
                               .entry = entry.number,
                               .text = entry.folder,
                               .names = FoldersHolding(run, survey, entry.number)});
  }
}

bool ExplainsAnEntry(const CheckReport& report, const SurveyedFolder& folder,
                     const SurveyedFile& file) {
  for (const EntryReport& entry : report.entries) {
    for (const MissCause& cause : entry.causes) {
      if (cause.folder == folder.name && cause.file == file.name) return true;
    }
  }
  return false;
}

// Program files the launcher cannot see for their names, that no missing
// entry already accounts for.
void ReportForeignNames(const SeriesSurvey& survey, CheckReport& report) {
  for (const SurveyedFolder& folder : survey.folders) {
    const bool foreignFolder = folder.place == FolderPlace::Foreign;
    if (!foreignFolder && folder.place != FolderPlace::Listed) continue;
    for (const SurveyedFile& file : folder.exeFiles) {
      if (!foreignFolder && !file.foreign) continue;
      if (ExplainsAnEntry(report, folder, file)) continue;
      Finding finding{.kind = FindingKind::ForeignName};
      finding.text = foreignFolder ? folder.name : file.name;
      if (!foreignFolder) finding.names = {folder.name};
      const auto same = [&finding](const Finding& f) {
        return f.kind == finding.kind && f.text == finding.text && f.names == finding.names;
      };
      if (std::none_of(report.findings.begin(), report.findings.end(), same)) {
        report.findings.push_back(finding);
      }
    }
  }
}

// Searched folders whose files could not be read: the launcher passes over
// them without a word, and what they hold cannot be told.
void ReportUnreadableFolders(const SeriesSurvey& survey, CheckReport& report) {
  for (const SurveyedFolder& folder : survey.folders) {
    if (folder.place != FolderPlace::Listed || folder.readError == error::kOk) continue;
    report.findings.push_back({.kind = FindingKind::FolderUnreadable,
                               .names = {folder.name},
                               .errorCode = folder.readError});
  }
}

void ReportEntries(const LauncherRun& run, const SeriesSurvey& survey,
                   const std::vector<std::string>& exeNames, CheckReport& report) {
  const std::vector<LaunchedEntry> launched = run.Entries();
  for (std::size_t i = 0; i < launched.size(); ++i) {
    const LaunchedEntry& source = launched[i];
    EntryReport entry;
    entry.number = static_cast<int>(i) + 1;
    entry.title = source.title;
    entry.exeName = i < exeNames.size() ? exeNames[i] : source.stem;
    entry.stem = source.stem;
    entry.latestVersion = source.latestVersion;
    entry.installed = !source.folder.empty();
    entry.folder = source.folder;
    entry.file = source.file;
    entry.copies = source.matches;
    report.entries.push_back(entry);
  }
  if (!report.scanned) return;
  for (EntryReport& entry : report.entries) {
    if (entry.installed) {
      ReportInstalled(run, survey, entry, report);
    } else {
      entry.causes = MissCauses(run, survey, launched, exeNames, entry.number);
    }
  }
  ReportForeignNames(survey, report);
}

// No program beside the launcher folder, and every one on the disk inside
// it: a disc's root checked as a series on a hard disk.
bool AllInsideLauncherFolder(const CheckReport& report) {
  int inside = 0;
  for (const EntryReport& entry : report.entries) {
    if (entry.installed) return false;
    const auto isInside = [](const MissCause& c) {
      return c.reason == MissReason::InsideLauncherFolder;
    };
    if (entry.causes.empty()) continue;
    if (std::none_of(entry.causes.begin(), entry.causes.end(), isInside)) return false;
    ++inside;
  }
  return inside > 0;
}

}  // namespace

Ends OuterBlanks(const std::string& stem) {
  if (stem.empty()) return Ends::None;
  const auto blank = [&stem](std::size_t pos) {
    return stem[pos] == ' ' || stem[pos] == '\t' || stem.compare(pos, 2, "　") == 0;
  };
  const bool start = blank(0), end = blank(cp932::LastCharStart(stem));
  return start ? (end ? Ends::Both : Ends::Start) : (end ? Ends::End : Ends::None);
}

CheckReport CheckSeries(Platform& platform, bool asCdRomRoot) {
  const LauncherRun run(platform, asCdRomRoot);
  CheckReport report;
  report.homeFolder = run.HomeFolder();
  report.layout = run.FromCdRom() ? Layout::CdRomRoot : Layout::HardDisk;
  report.scannedFolder = run.ScannedFolder();
  report.catalogueLoaded = run.CatalogueLoaded();
  report.caption = run.Caption();
  report.lastUpdate = run.LastUpdate();
  if (!report.catalogueLoaded) {
    ReportUnloadedCatalogue(platform, run, report);
    return report;
  }
  const std::string bytes = ReadCatalogue(platform, run).value_or(std::string());
  ReportEncoding(bytes, report);
  const Cp932Text text = ToCp932Text(platform, bytes);
  const std::vector<std::string> exeNames = ReportLines(platform, run, text, report);
  if (!text.typedForms.empty()) {
    report.findings.push_back(
        {.kind = FindingKind::TypedFormsRead, .names = TypedFormNames(platform, text.typedForms)});
  }
  ReportNames(run.Entries(), exeNames, report);

  if (run.StoppedAt() == LauncherRun::Step::Scanning) {
    report.findings.push_back({.kind = FindingKind::ScanFailed,
                               .text = LastOf(run.Boxes().errors),
                               .names = {report.scannedFolder}});
    report.incomplete = true;
    ReportEntries(run, SeriesSurvey{}, exeNames, report);
    return report;
  }
  report.scanned = true;
  const SeriesSurvey survey = SurveySeries(platform, run);
  ReportEntries(run, survey, exeNames, report);
  ReportUnreadableFolders(survey, report);
  if (AllInsideLauncherFolder(report))
    report.findings.push_back(Finding{.kind = FindingKind::DiscRootWithoutCd});
  if (!survey.hasIndexHtm) report.findings.push_back(Finding{.kind = FindingKind::MissingIndexHtm});
  if (!survey.hasHelpFile) report.findings.push_back(Finding{.kind = FindingKind::MissingHelpFile});
  if (report.layout == Layout::CdRomRoot) CheckDisc(platform, run, report);
  return report;
}

}  // namespace sorvel::check
