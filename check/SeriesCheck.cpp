#include "check/SeriesCheck.h"

#include <algorithm>
#include <optional>
#include <string>

#include "check/CatalogueEncoding.h"
#include "check/DiscCheck.h"
#include "check/EntryDiagnosis.h"
#include "check/HelpCheck.h"
#include "check/LauncherRun.h"
#include "check/SeriesSurvey.h"
#include "core/BoardRoom.h"
#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/StatusTable.h"
#include "core/TextEncoding.h"

namespace sorvel::check {

namespace {

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
        {.kind = FindingKind::CatalogueMissing, .text = run.Verdict().missingMessage});
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

// Each line the launcher rejects or cuts, with the message it shows for it,
// in the launcher's order; returns the ExeName fields of the lines it takes,
// in entry order. An unspellable line names the characters it lacks.
std::vector<std::string> ReportLines(Platform& platform, const CatalogueVerdict& verdict,
                                     const Cp932Text& text, CheckReport& report) {
  std::vector<std::string> exeNames;
  for (const LineVerdict& line : verdict.lines) {
    if (line.fate == LineFate::Taken) {
      exeNames.push_back(line.exeName);
      continue;
    }
    const bool unspellable = line.fate == LineFate::Unspellable;
    Finding finding =
        Finding{.kind = unspellable ? FindingKind::UnspellableLine : FindingKind::MalformedLine,
                .line = static_cast<int>(line.index) + 1};
    finding.count = line.fieldCount;
    finding.text = line.message;
    const auto lacking = text.lacking.find(line.index);
    if (unspellable && lacking != text.lacking.end())
      finding.names = LackingCharacterNames(platform, lacking->second);
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
    if (exeName.size() <= kExeStemBytes) continue;
    const bool split = cp932::FitWholeChars(exeName, kExeStemBytes) < kExeStemBytes;
    report.findings.push_back(
        Finding{.kind = split ? FindingKind::NameCutInsideCharacter : FindingKind::NameCut,
                .entry = static_cast<int>(i) + 1});
  }
  if (static_cast<int>(entries.size()) > kBoardRoom) {
    report.findings.push_back(
        {.kind = FindingKind::TooManyEntries, .count = static_cast<int>(entries.size())});
  }
}

void ReportInstalled(const LaunchedEntry& source, EntryReport& entry, CheckReport& report) {
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
                               .names = source.matchedFolders});
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
      ReportInstalled(launched[entry.number - 1], entry, report);
    } else {
      entry.causes = MissCauses(run, survey, launched, exeNames, entry.number);
    }
  }
  ReportForeignNames(survey, report);
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
  return CheckRun(platform, LauncherRun(platform, asCdRomRoot));
}

CheckReport CheckRun(Platform& platform, const LauncherRun& run) {
  CheckReport report;
  report.homeFolder = run.HomeFolder();
  report.layout = run.FromCdRom()    ? Layout::CdRomRoot
                  : run.CopiedDisc() ? Layout::CopiedDisc
                                     : Layout::HardDisk;
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
  const std::vector<std::string> exeNames = ReportLines(platform, run.Verdict(), text, report);
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
  // Laid out as a disc's root: what only the image shows is checked with --cd.
  if (report.layout == Layout::CopiedDisc)
    report.findings.push_back(Finding{.kind = FindingKind::DiscRootWithoutCd});
  if (!survey.hasIndexHtm) report.findings.push_back(Finding{.kind = FindingKind::MissingIndexHtm});
  ReportHelpFiles(platform, report.homeFolder, report);
  if (report.layout == Layout::CdRomRoot) CheckDisc(platform, run, report);
  return report;
}

}  // namespace sorvel::check
