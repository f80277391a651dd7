// Lays out a series on disk for the benchmarks under Wine:
// FOLDER/SERIES/LAUNCH/SVLindex.txt (the 50-entry catalogue) beside COUNT
// sub-folders, one in EVERY holding one of the catalogue's executables; or,
// for the start-up, a catalogue of ENTRIES entries beside one sub-folder per
// entry, two in three of them holding the entry's executable.
//
//   sorvel_bench_tree FOLDER COUNT EVERY
//   sorvel_bench_tree FOLDER ENTRIES
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchSeries.h"

namespace fs = std::filesystem;

namespace {

bool WriteFile(const fs::path& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
  return static_cast<bool>(out);
}

// The series' base folder, emptied, with the home folder and its catalogue.
bool StartSeries(const fs::path& base, int entries) {
  std::error_code error;
  fs::remove_all(base, error);
  fs::create_directories(base / sorvel::bench::kHomeFolderName);
  return WriteFile(base / sorvel::bench::kHomeFolderName / "SVLindex.txt",
                   sorvel::bench::CatalogueText(entries));
}

// The scan looks only at names and time stamps; the contents stand in.
bool AddFolder(const fs::path& folder, const std::string& exe) {
  fs::create_directory(folder);
  return exe.empty() || WriteFile(folder / exe, "MZ");
}

int CrowdedTree(const fs::path& base, int count, int every) {
  using namespace sorvel::bench;
  if (count < 0 || every < 1) return 2;
  if (!StartSeries(base, kSeriesEntries)) return 1;
  for (int index = 0; index < count; ++index) {
    if (!AddFolder(base / SubFolderName(index), ExecutableIn(index, every))) return 1;
  }
  std::printf("%s: %d sub-folders, one in %d with an executable\n", base.c_str(), count, every);
  return 0;
}

int BoardTree(const fs::path& base, int entries) {
  using namespace sorvel::bench;
  if (entries < 1 || entries > kSeriesEntries) return 2;
  if (!StartSeries(base, entries)) return 1;
  for (int index = 0; index < entries; ++index) {
    const bool installed = index % 3 != 2;
    if (!AddFolder(base / SubFolderName(index), installed ? ExecutableIn(index, 1) : "")) return 1;
  }
  std::printf("%s: %d entries, two in three installed\n", base.c_str(), entries);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4)
    return CrowdedTree(fs::path(argv[1]) / "SERIES", std::atoi(argv[2]), std::atoi(argv[3]));
  if (argc == 3) return BoardTree(fs::path(argv[1]) / "SERIES", std::atoi(argv[2]));
  std::fprintf(stderr, "usage: sorvel_bench_tree FOLDER COUNT EVERY | FOLDER ENTRIES\n");
  return 2;
}
