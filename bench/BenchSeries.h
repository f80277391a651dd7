// The series the benchmarks work on, the same natively and under Wine: a
// catalogue of programs "progNN" and a base folder with many sub-folders, one
// in twenty of them holding one of the catalogue's executables.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace sorvel::bench {

// Catalogue entries of the scan benchmarks; every stem is found.
inline constexpr int kSeriesEntries = 50;
// One sub-folder in this many holds an executable.
inline constexpr int kExeFolderEvery = 20;
// The home folder, itself a sub-folder of the base folder.
inline constexpr const char* kHomeFolderName = "LAUNCH";

// Program entry n (from 1): its executable stem, as the catalogue writes it.
inline std::string ProgramStem(int n) {
  char stem[16];
  std::snprintf(stem, sizeof stem, "PROG%02d", n % 100);
  return stem;
}

// The catalogue line of program entry n (from 1), CP932, CR LF at the end.
inline std::string ProgramLine(int n) {
  return "単元 " + std::to_string(n) + " 一次方程式と不等式," + ProgramStem(n) + ",1.3,KEY" +
         std::to_string(n) + "\r\n";
}

// Catalogue text with `entries` program lines.
inline std::string CatalogueText(int entries) {
  std::string text = "数学シリーズ ランチャー\r\n2001年4月1日 更新\r\n";
  for (int n = 1; n <= entries; ++n) text += ProgramLine(n);
  return text;
}

// Catalogue text of at least `bytes` bytes, made of the same lines.
inline std::string CatalogueTextOfSize(std::size_t bytes) {
  std::string text = CatalogueText(0);
  for (int n = 1; text.size() < bytes; ++n) text += ProgramLine(n);
  return text;
}

// Name of sub-folder `index` (from 0) of the base folder: eight characters,
// the version's two digits last, as the series names its folders.
inline std::string SubFolderName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "U%05d%02d", index, 10 + index % 90);
  return name;
}

// The executable sub-folder `index` holds when one folder in `every` holds
// one, or empty when it holds none.
inline std::string ExecutableIn(int index, int every = kExeFolderEvery) {
  if (index % every != 0) return std::string();
  const int n = index / every % kSeriesEntries + 1;
  std::string name = ProgramStem(n) + ".exe";
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return name;
}

}  // namespace sorvel::bench
