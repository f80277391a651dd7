// libFuzzer target: arbitrary bytes as the catalogue index file of a launcher
// on an in-memory Windows file system, run through the encoding detection
// and conversion (byte-order marks, cut sequences, surrogates, an odd UTF-16
// byte count), loading, the installation
// scan, the status rows, their printed lines and a click on every entry; and
// the same bytes through the field splitter with several separators.
//
// Whatever the bytes, only a LauncherError may leave the core, the launcher
// state keeps its invariants and the file system is never written to. A
// broken invariant aborts with a note of what broke.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "core/Cp932.h"
#include "core/InstallationScan.h"
#include "core/ProgramLaunch.h"
#include "core/StartUp.h"
#include "core/StatusTable.h"
#include "core/TextEncoding.h"
#include "platform/Platform.h"
#include "tests/support/TestLauncher.h"

namespace sorvel {
namespace {

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

using Lines = std::vector<std::string>;

constexpr std::size_t kFolderNameBytes = 24;

// Checks what the field splitter promises for one text and separator.
void CheckSplit(const std::string& text, const std::string& separator) {
  Lines parts{"left over"};
  const int count = SplitText(text, separator, parts);
  if (text.empty()) {
    FUZZ_CHECK(count == 0 && parts.empty());
    return;
  }
  FUZZ_CHECK(count >= 1 && static_cast<std::size_t>(count) == parts.size());
  std::string joined;
  for (std::size_t index = 0; index < parts.size(); ++index) {
    if (index > 0) joined += separator;
    joined += parts[index];
    if (!separator.empty()) FUZZ_CHECK(parts[index].find(separator) == std::string::npos);
  }
  FUZZ_CHECK(joined == text);
  if (separator.empty()) FUZZ_CHECK(count == 1);
}

void FuzzSplitText(const std::string& bytes) {
  const Lines lines = SplitLines(bytes);
  // Separators taken from the input itself: its first bytes (none, one, two
  // or three of them, so the empty separator is met too), and the comma.
  const std::string separator = bytes.substr(0, bytes.size() % 4);
  CheckSplit(bytes, separator);
  CheckSplit(bytes, ",");
  for (std::size_t index = 0; index < lines.size() && index < 64; ++index) {
    CheckSplit(lines[index], ",");
    CheckSplit(lines[index], separator);
  }
}

// True for a byte that a file name cannot hold. A lead byte without its
// trail byte would swallow the backslash that follows the name.
bool IsForbidden(const std::string& text, std::size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  return byte < 0x20 || std::string("\\/:*?\"<>|").find(text[pos]) != std::string::npos ||
         (cp932::IsLeadByte(byte) && pos + 1 == text.size());
}

// A folder name made from a catalogue title: characters a file name cannot
// hold become "_", and it is cut to whole characters.
std::string FolderNameFrom(const std::string& title, int n) {
  std::string name = "P" + std::to_string(n);
  const std::string cut = title.substr(0, cp932::FitWholeChars(title, kFolderNameBytes));
  for (std::size_t pos = 0; pos < cut.size(); ++pos) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(cut[pos])) && pos + 1 < cut.size()) {
      name.append(cut, pos++, 2);
    } else {
      name += IsForbidden(cut, pos) ? '_' : cut[pos];
    }
  }
  return name;
}

bool UsableFileName(const std::string& stem) {
  if (stem.empty()) return false;
  for (std::size_t pos = 0; pos < stem.size(); ++pos) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(stem[pos])) && pos + 1 < stem.size()) {
      ++pos;
    } else if (IsForbidden(stem, pos)) {
      return false;
    }
  }
  return true;
}

// A series as a school disk might hold it: some programs of the catalogue,
// copies, a hidden file, a folder named like a program, a copy beside the
// launcher (never to be started by a click) and a folder whose name ends in
// a 0x5C trail byte.
void InstallSeries(test::FakePlatform& platform, const std::string& base) {
  platform.AddFile(base + "ALGEBR12\\algebra1.exe");
  platform.AddFile(base + "A_OLD\\ALGEBRA1.EXE");
  platform.AddFile(base + "GEOMET11\\GEOMETRY.EXE");
  platform.AddFile(base + "GEOMET11\\geometry.exe.bak");
  platform.AddFile(base + "計算表13\\ソ能表.exe");
  platform.AddFile(base + "HIDDEN12\\mathdril.exe", "", attr::kHidden);
  platform.AddFolder(base + "XEXE0000\\x.exe");
  platform.AddFile(base + "OLDTIME1\\statisti.exe", "", attr::kArchive, 0);
  platform.AddFile(base + "TOOLS\\readme.txt");
  platform.AddFolder(base + "SYSTEM", attr::kDirectory | attr::kSystem);
}

// One program folder per third catalogue entry, named after its title.
void InstallEntries(test::FakePlatform& platform, const LauncherState& state,
                    const std::string& base) {
  for (int n = 1; n <= state.EntryCount() && n <= 200; n += 3) {
    const std::string& stem = state.Entry(n).exeStem;
    if (!UsableFileName(stem)) continue;
    platform.AddFile(base + FolderNameFrom(state.Entry(n).title, n) + "\\" + stem + ".exe");
  }
}

class CheckingListener : public ScanListener {
 public:
  explicit CheckingListener(const LauncherState& state) : state_(state) {}
  void SetEntryInstalled(int n, bool installed) override {
    FUZZ_CHECK(n == ++lastReported && n <= state_.EntryCount());
    FUZZ_CHECK(installed == state_.IsInstalled(n));
  }
  void LoadEntryIcon(int n) override {
    FUZZ_CHECK(n == lastReported && state_.IsInstalled(n));
    ++icons;
  }
  int lastReported = 0;
  int icons = 0;

 private:
  const LauncherState& state_;
};

void CheckState(const LauncherState& state) {
  // Every entry has its scan result, and no result is without its entry.
  FUZZ_CHECK(state.results.size() == state.entries.size());
  for (const CatalogueEntry& entry : state.entries) {
    FUZZ_CHECK(entry.exeStem.size() <= 8 && cp932::AsciiLower(entry.exeStem) == entry.exeStem);
  }
  FUZZ_CHECK(!state.IsInstalled(0) && !state.IsInstalled(state.EntryCount() + 1));
  for (int n = 1; n <= state.EntryCount(); ++n) {
    if (!state.IsInstalled(n)) continue;
    FUZZ_CHECK(cp932::AsciiLower(state.Result(n).exeName) == state.Entry(n).exeStem + ".exe");
    FUZZ_CHECK(state.Result(n).matchCount >= 1);
  }
}

void CheckStatusRows(const LauncherState& state) {
  const std::vector<StatusRow> rows = BuildStatusRows(state);
  FUZZ_CHECK(rows.size() == state.entries.size());
  std::vector<StatusRow> printed{BuildStatusHeader()};
  printed.insert(printed.end(), rows.begin(), rows.end());
  const std::string lead = "□　";
  for (const StatusRow& row : printed) {
    FUZZ_CHECK(row.size() == kStatusColumns);
    const std::string line = PrintLine(row);
    FUZZ_CHECK(line.compare(0, lead.size(), lead) == 0);
    FUZZ_CHECK(line.size() >= lead.size() + 30 + 1 + 20 + 1 + 5 + 3 + 5);
  }
  for (int n = 1; n <= state.EntryCount(); ++n) {
    const std::string version = VersionFromFolder(state.Result(n).folder);
    FUZZ_CHECK(version.size() <= 3 && version.find('.') != std::string::npos);
    FUZZ_CHECK(rows[n - 1][4] == (state.IsInstalled(n) ? "Free" : "not installed"));
  }
}

// A click on every panel, and on numbers no panel has: only installed
// entries start, each the very file the scan found.
void CheckLaunches(test::TestLauncher& launcher) {
  LauncherState& state = launcher.state;
  std::vector<test::LaunchRecord>& launches = launcher.platform.launches;
  launches.clear();
  std::size_t expected = 0;
  for (int n = -1; n <= state.EntryCount() + 2; ++n) {
    LaunchEntry(launcher.context, n);
    if (!state.IsInstalled(n) || n > state.EntryCount()) {
      FUZZ_CHECK(launches.size() == expected);
      continue;
    }
    FUZZ_CHECK(launches.size() == ++expected);
    const test::LaunchRecord& record = launches.back();
    FUZZ_CHECK(record.application ==
               cp932::WithTrailingBackslash(state.baseFolder + state.Result(n).folder) +
                   state.Result(n).exeName);
    FUZZ_CHECK(record.commandLine == state.Result(n).exeName);
    FUZZ_CHECK(record.started);
  }
}

// The text the loader splits: a CP932 file byte for byte; a Unicode one
// without NUL, and each line that lost characters one of its lines, shown
// with the mark.
Cp932Text FuzzEncoding(const std::string& bytes) {
  test::FakePlatform platform;
  const Cp932Text converted = ToCp932Text(platform, bytes);
  FUZZ_CHECK(converted.encoding == DetectTextEncoding(bytes));
  if (converted.encoding == TextEncoding::Cp932) {
    FUZZ_CHECK(converted.text == bytes && converted.unspellable.empty());
    return converted;
  }
  FUZZ_CHECK(converted.text.find('\0') == std::string::npos);
  const std::size_t lines = SplitLines(converted.text).size();
  for (const auto& [index, shown] : converted.unspellable) {
    FUZZ_CHECK(index < lines && shown.find(kUnspellableMark) != std::string::npos);
  }
  return converted;
}

void FuzzLauncher(const std::string& bytes, const Cp932Text& converted) {
  test::TestLauncher launcher;
  LauncherState& state = launcher.state;
  test::FakePlatform& platform = launcher.platform;

  // Now and then the launcher runs from the root of a CD-ROM.
  const bool fromCd = bytes.size() % 3 == 0;
  const std::string home = fromCd ? "Q:\\" : "C:\\SERIES\\LAUNCH\\";
  const std::string base = fromCd ? "Q:\\" : "C:\\SERIES\\";
  if (fromCd) platform.AddDrive('Q', DriveType::CdRom, true, "SERIES");
  platform.AddFile(home + kCatalogueFileName, bytes, attr::kReadOnly | attr::kArchive);
  platform.AddFile(home + "algebra1.exe");
  InstallSeries(platform, base);
  platform.PutCurrentDirectory(home);

  CheckingListener listener(state);
  launcher.context.listener = &listener;

  state.homeFolder = InitHomeFolder(platform);
  FUZZ_CHECK(state.homeFolder == home);
  try {
    state.catalogueLoaded = LoadCatalogue(launcher.context, kCatalogueFileName);
  } catch (const LauncherError&) {
    state.catalogueLoaded = false;
  }
  CheckState(state);
  FUZZ_CHECK(state.catalogueLoaded || state.EntryCount() == 0);
  if (state.catalogueLoaded) {
    // One message per program line without its entry, and one for the
    // caption and the date each when they lost characters.
    const std::size_t headMessages =
        converted.unspellable.count(0) + converted.unspellable.count(1);
    FUZZ_CHECK(state.EntryCount() + launcher.messages.messages.size() + 2 ==
               state.catalogueLines.size() + headMessages);
    FUZZ_CHECK(launcher.messages.errors.empty());
  }

  InstallEntries(platform, state, base);
  const std::string before = platform.Snapshot();
  state.fromCdRom = IsCdRomRoot(platform, state.homeFolder);
  FUZZ_CHECK(state.fromCdRom == fromCd);

  // The start-up scan, then the details command (counters cleared, the
  // chooser's folder scanned) and the menu toggle (a scan with icons).
  const std::string folders[] = {StartUpScanFolder(state), base, StartUpScanFolder(state)};
  for (int scan = 0; scan < 3; ++scan) {
    if (scan == 1) state.ClearMatchCounts();
    listener.lastReported = 0;
    try {
      ScanFolder(launcher.context, folders[scan], scan == 2);
    } catch (const LauncherError&) {
      FUZZ_CHECK(!"the series' folders can all be entered");
    }
    FUZZ_CHECK(listener.lastReported == state.EntryCount());
    CheckState(state);
    if (scan == 1) CheckStatusRows(state);
  }
  for (int n = 1; n <= state.EntryCount(); ++n) {
    const std::string& stem = state.Entry(n).exeStem;
    const int matched = MatchExecutable(state, stem + ".EXE");
    FUZZ_CHECK(matched >= 1 && matched <= n && state.Entry(matched).exeStem == stem);
  }
  const int caption = MatchExecutable(state, state.caption);
  FUZZ_CHECK(caption == -1 || (caption >= 1 && caption <= state.EntryCount()));
  CheckLaunches(launcher);
  FUZZ_CHECK(platform.Snapshot() == before);
}

}  // namespace
}  // namespace sorvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    sorvel::FuzzSplitText(bytes);
    sorvel::FuzzLauncher(bytes, sorvel::FuzzEncoding(bytes));
  } catch (const std::exception& error) {
    // Expected errors are caught where the launcher's handlers catch them.
    std::fprintf(stderr, "exception escaped: %s\n", error.what());
    std::abort();
  }
  return 0;
}
