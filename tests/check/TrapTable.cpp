#include "tests/check/TrapTable.h"

#include <gtest/gtest.h>

#include <utility>

#include "check/ReportJson.h"
#include "check/ReportText.h"
#include "check/SeriesCheck.h"
#include "core/Cp932.h"
#include "core/LauncherContext.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "tests/support/RecordingMessages.h"

namespace sorvel::check::test {

void SeriesDisk::AddForeign(const std::string& folder, const std::string& spelling,
                            std::uint32_t attributes, Lines files) {
  foreign_.push_back({Key(folder), {spelling, attributes, std::move(files)}});
}

std::vector<ForeignEntry> SeriesDisk::ForeignEntries(const std::string& folder) {
  std::vector<ForeignEntry> entries;
  for (const auto& [key, entry] : foreign_) {
    if (key == Key(folder)) entries.push_back(entry);
  }
  return entries;
}

std::string SeriesDisk::Key(const std::string& folder) {
  std::string full = FullPath(folder);
  if (cp932::EndsWithBackslash(full)) full.pop_back();
  return cp932::AsciiLower(full);
}

void AddHelp(SeriesDisk& disk, const std::string& folder) {
  disk.AddFile(folder + "\\SorvelL.chm", kChm);
  disk.AddFile(folder + "\\SorvelL.htm", "<html></html>");
}

void Launcher(SeriesDisk& disk, const std::string& catalogue) {
  disk.AddFile(kCatalogue, catalogue);
  disk.AddFile("C:\\SERIES\\LAUNCH\\index.htm");
  AddHelp(disk, kHome);
  disk.PutCurrentDirectory(kHome);
}

void Series(SeriesDisk& disk) {
  Launcher(disk, kSeries);
  disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
  disk.AddFile("C:\\SERIES\\GEOMET11\\GEOMETRY.EXE");
}

void AlgebraOnly(SeriesDisk& disk) {
  Launcher(disk, kSeries);
  disk.AddFile("C:\\SERIES\\ALGEBR12\\algebra1.exe");
}

// A disc's root laid out in `folder` of a hard disk, entered.
void DiscLaidOutIn(SeriesDisk& disk, const std::string& folder) {
  disk.AddFile(folder + "\\SVLindex.txt", kSeries);
  disk.AddFile(folder + "\\index.htm");
  AddHelp(disk, folder);
  disk.AddFile(folder + "\\ALGEBR12\\algebra1.exe");
  disk.AddFile(folder + "\\GEOMET11\\GEOMETRY.EXE");
  disk.PutCurrentDirectory(folder);
}

void CopiedDisc(SeriesDisk& disk) { DiscLaidOutIn(disk, "C:\\SUGAKU"); }

void DiscFolder(SeriesDisk& disk) { DiscLaidOutIn(disk, "C:\\DISC"); }

void DiscWithoutCatalogue(SeriesDisk& disk) {
  disk.AddDrive('Q', DriveType::CdRom);
  disk.AddFile("Q:\\SorvelL.exe");
  disk.AddFile("Q:\\index.htm");
  AddHelp(disk, "Q:");
  disk.AddFile("Q:\\ALGEBR12\\algebra1.exe");
  disk.AddFile("Q:\\GEOMET11\\GEOMETRY.EXE");
  disk.PutCurrentDirectory("Q:\\");
}

Lines Plus(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

namespace {

// The report in one line per entry and per finding, with what each says.
Lines Summary(const CheckReport& report) {
  Lines lines;
  // The Unicode encoding the launcher reads the catalogue in.
  if (report.encoding == Encoding::Utf8WithBom || report.encoding == Encoding::Utf8 ||
      report.encoding == Encoding::Utf16 || report.encoding == Encoding::Utf32) {
    lines.push_back(std::string("encoding ") + EncodingName(report.encoding));
  }
  // A disc copied into a folder: the layout the launcher chose by what it found.
  if (report.layout == Layout::CopiedDisc) lines.push_back("layout copiedDisc");
  for (const EntryReport& entry : report.entries) {
    std::string line = std::to_string(entry.number) + " ";
    if (!report.scanned) {
      line += "notChecked";
    } else if (entry.installed) {
      line += "installed " + entry.folder + "\\" + entry.file + " " + entry.version + " x" +
              std::to_string(entry.copies);
    } else {
      line += entry.causes.empty() ? "notInstalled" : "notFound";
    }
    for (const MissCause& cause : entry.causes) {
      line += std::string(" ") + MissReasonName(cause.reason);
      if (cause.reason == MissReason::SameStem) line += " " + std::to_string(cause.otherEntry);
      if (!cause.folder.empty()) line += " " + cause.folder + "\\" + cause.file;
      if (!cause.firstEntry.empty()) line += " first " + cause.firstEntry;
      if (cause.reason == MissReason::SkippedForDate)
        line += cause.datedTooEarly ? " early" : " late";
    }
    lines.push_back(line);
  }
  for (const Finding& finding : report.findings) {
    std::string line = std::string(finding.severity() == Severity::Error ? "error " : "warning ") +
                       FindingKindName(finding.kind);
    if (finding.entry) line += " entry " + std::to_string(finding.entry);
    if (finding.line) line += " line " + std::to_string(finding.line);
    if (finding.kind == FindingKind::MalformedLine || finding.count) {
      line += " count " + std::to_string(finding.count);
    }
    if (finding.kind == FindingKind::NotCp932) {
      line += std::string(" ") + EncodingName(finding.encoding);
    }
    if (!finding.text.empty()) line += " [" + finding.text + "]";
    for (const std::string& name : finding.names) line += " " + name;
    if (finding.errorCode) line += " code " + std::to_string(finding.errorCode);
    lines.push_back(line);
  }
  return lines;
}

// The launcher's own status table for the same disk: installed or not, the
// folder, and the count of further copies.
Lines LauncherStatus(const TrapRow& row) {
  SeriesDisk disk;
  row.disk(disk);
  sorvel::test::RecordingMessages messages;
  LauncherState state;
  LauncherContext context{disk, messages, state, nullptr};
  Lines status;
  try {
    LoadCatalogueAtStartUp(context);
    ScanAtStartUp(context);
  } catch (const LauncherError&) {
    return status;
  }
  if (!state.catalogueLoaded) return status;
  for (const StatusRow& cells : BuildStatusRows(state)) {
    status.push_back(cells[4] + " " + cells[6] + " " + cells[5]);
  }
  return status;
}

Lines CheckerStatus(const CheckReport& report) {
  Lines status;
  if (!report.scanned) return status;
  for (const EntryReport& entry : report.entries) {
    status.push_back(entry.installed
                         ? "Free " + entry.folder + " " + std::to_string(entry.copies - 1)
                         : "not installed  ");
  }
  return status;
}

}  // namespace

void ExpectEachTrapReport(std::span<const TrapRow> rows) {
  for (const TrapRow& row : rows) {
    SCOPED_TRACE(row.trap);
    SeriesDisk disk;
    row.disk(disk);
    const std::string before = disk.Snapshot();
    CapturedMessages shownBefore;
    shownBefore.messages = row.shownBefore;
    const CheckReport report =
        row.shownBefore.empty()
            ? CheckSeries(disk, row.asCdRomRoot)
            : CheckRun(disk, LauncherRun(disk, row.asCdRomRoot, std::move(shownBefore)));
    EXPECT_EQ(Summary(report), row.report);
    EXPECT_EQ(report.ExitCode(), row.exitCode);
    const std::string text = ReportText(report, Language::English, "0");
    for (const std::string& phrase : row.says) {
      EXPECT_NE(text.find(phrase), std::string::npos) << "missing: " << phrase << "\n" << text;
    }
    EXPECT_EQ(disk.Snapshot(), before) << "the checker changed the disk";
    if (!row.asCdRomRoot) {
      EXPECT_EQ(CheckerStatus(report), LauncherStatus(row));
    }
  }
}

}  // namespace sorvel::check::test
