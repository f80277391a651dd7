// Lays out a series on disk for the benchmarks under Wine:
// FOLDER/SERIES/LAUNCH/SVLindex.txt (the 50-entry catalogue) beside COUNT
// sub-folders, one in EVERY holding one of the catalogue's executables.
//
//   sorvel_bench_tree FOLDER COUNT EVERY
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

}  // namespace

int main(int argc, char** argv) {
  using namespace sorvel::bench;
  if (argc != 4) {
    std::fprintf(stderr, "usage: sorvel_bench_tree FOLDER COUNT EVERY\n");
    return 2;
  }
  const fs::path base = fs::path(argv[1]) / "SERIES";
  const int count = std::atoi(argv[2]);
  const int every = std::atoi(argv[3]);
  if (count < 0 || every < 1) return 2;

  std::error_code error;
  fs::remove_all(base, error);
  fs::create_directories(base / kHomeFolderName);
  if (!WriteFile(base / kHomeFolderName / "SVLindex.txt", CatalogueText(kSeriesEntries))) return 1;
  for (int index = 0; index < count; ++index) {
    const fs::path folder = base / SubFolderName(index);
    fs::create_directory(folder);
    const std::string exe = ExecutableIn(index, every);
    // The scan looks only at names and time stamps; the contents stand in.
    if (!exe.empty() && !WriteFile(folder / exe, "MZ")) return 1;
  }
  std::printf("%s: %d sub-folders, one in %d with an executable\n", base.c_str(), count, every);
  return 0;
}
