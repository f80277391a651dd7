#include "tests/support/PlatformContract.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <utility>
#include <vector>

namespace sorvel::test {

namespace {

// 2001-02-03 04:05:06 and 2003-04-05 06:07:08 UTC.
constexpr std::uint64_t kEarlier = 126'255'795'060'000'000ULL;
constexpr std::uint64_t kLater = 126'937'288'280'000'000ULL;

constexpr std::uint32_t kFile = attr::kArchive;

// Made in an order that is neither the listing's nor its reverse: a list
// kept in the order of creation shows.
constexpr ContractEntry kTree[] = {
    {"P", attr::kDirectory, 0, ""},
    {"P\\b.exe", kFile, kEarlier, ""},
    {"P\\sub", attr::kDirectory, 0, ""},
    {"P\\A.EXE", kFile, kLater, ""},
    {"P\\_x.exe", kFile, kEarlier, ""},
    {"P\\hidden.exe", kFile | attr::kHidden, kEarlier, ""},
    {"P\\system.exe", kFile | attr::kSystem, kEarlier, ""},
    {"P\\readonly.txt", kFile | attr::kReadOnly, kEarlier, "text"},
    {"計算表\\ソフト\\表.txt", kFile, kEarlier, "表"},
};

// The entries a listing gives, as "code name name ...", with what `shown`
// tells of each.
std::string Listing(Platform& platform, const std::string& pattern,
                    const std::function<std::string(const FileInfo&)>& shown) {
  std::vector<FileInfo> entries;
  std::string answer = std::to_string(platform.List(pattern, entries));
  for (const FileInfo& info : entries) answer += " " + shown(info);
  return answer;
}

std::string Name(const FileInfo& info) { return info.name; }

// The attributes the launcher reads, as letters.
std::string NameAndKind(const FileInfo& info) {
  if (info.name == "." || info.name == "..") return info.name;
  std::string kind;
  if (info.attributes & attr::kDirectory) kind += "D";
  if (info.attributes & attr::kHidden) kind += "H";
  if (info.attributes & attr::kSystem) kind += "S";
  if (info.attributes & attr::kReadOnly) kind += "R";
  return info.name + (kind.empty() ? "" : ":" + kind);
}

std::string Found(Platform& platform, const std::string& pattern) {
  const auto found = platform.FindFirst(pattern);
  return found ? found->name + " " + std::to_string(found->lastWriteTime) : "none";
}

// The first match, and after "|" every match when the search reads on past
// a first match whose name is `readOnAt`.
std::string FoundAndListed(Platform& platform, const std::string& pattern,
                           const std::string& readOnAt) {
  std::vector<FileInfo> all;
  const auto found = platform.FindFirstAndList(
      pattern, [&](const FileInfo& first) { return first.name == readOnAt; }, all);
  std::string answer = (found ? found->name : "none") + " |";
  for (const FileInfo& info : all) answer += " " + info.name;
  return answer;
}

std::string Entered(Platform& platform, const std::string& path) {
  const ErrorCode code = platform.ChangeDirectory(path);
  return code == error::kOk ? "0 " + platform.CurrentDirectory() : std::to_string(code);
}

std::string Read(Platform& platform, const std::string& path) {
  std::string contents;
  const ErrorCode code = platform.ReadWholeFile(path, contents);
  return code == error::kOk ? "0 " + contents : std::to_string(code);
}

// The full path of `path` taken from the folder `from`.
std::string FullFrom(Platform& platform, const std::string& from, const std::string& path) {
  if (platform.ChangeDirectory(from) != error::kOk) return "cannot enter " + from;
  return platform.FullPath(path);
}

// The root with its single-byte A-Z in lower case: the system keeps the
// caller's spelling of a path.
std::string Lowered(std::string root) {
  for (std::size_t pos = 0; pos < root.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(root[pos]);
    if ((byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0) {
      ++pos;  // a lead byte: its trail byte may look like a letter
    } else if (byte >= 'A' && byte <= 'Z') {
      root[pos] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return root;
}

std::string Replaced(std::string text, const std::string& root) {
  for (const auto& [name, value] : {std::pair{"{root}", root}, {"{lower}", Lowered(root)}}) {
    for (std::size_t at; (at = text.find(name)) != std::string::npos;) {
      text.replace(at, std::string(name).size(), value);
    }
  }
  return text;
}

struct Question {
  const char* what;
  // Asked with the tree's root; answers as text.
  std::function<std::string(Platform&, const std::string&)> ask;
  const char* answer;  // {root} stands for the root
};

const Question kQuestions[] = {
    {"a folder lists its dots first, then its entries by name, letters before \"_\"",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\P\\*", Name); },
     "0 . .. A.EXE b.exe hidden.exe readonly.txt sub system.exe _x.exe"},
    {"a pattern matches names whatever their case",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\p\\*.EXE", Name); },
     "0 A.EXE b.exe hidden.exe system.exe _x.exe"},
    {"attributes: folders, hidden, system and read-only entries",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\P\\*", NameAndKind); },
     "0 . .. A.EXE b.exe hidden.exe:H readonly.txt:R sub:D system.exe:S _x.exe"},
    {"a name keeps the case it was made in, a file its time",
     [](Platform& p, const std::string& r) { return Found(p, r + "\\p\\a.exe"); },
     "A.EXE 126937288280000000"},
    {"wildcards find the first match",
     [](Platform& p, const std::string& r) { return Found(p, r + "\\P\\b.e?e"); },
     "b.exe 126255795060000000"},
    {"a search read on past its first match lists every match",
     [](Platform& p, const std::string& r) { return FoundAndListed(p, r + "\\p\\*.exe", "A.EXE"); },
     "A.EXE | A.EXE b.exe hidden.exe system.exe _x.exe"},
    {"a search stopped at its first match lists none",
     [](Platform& p, const std::string& r) { return FoundAndListed(p, r + "\\P\\*.exe", "b.exe"); },
     "A.EXE |"},
    {"a search that finds nothing",
     [](Platform& p, const std::string& r) { return Found(p, r + "\\P\\none.exe"); }, "none"},
    {"a pattern that matches nothing is no error",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\P\\*.none", Name); }, "0"},
    {"a folder that does not exist",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\NONE\\*", Name); }, "3"},
    {"a folder whose parent does not exist",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\NONE\\X\\*", Name); }, "3"},
    {"a file searched as a folder",
     [](Platform& p, const std::string& r) { return Listing(p, r + "\\P\\readonly.txt\\*", Name); },
     "123"},
    {"entering a folder: the current directory as the caller spelled it",
     [](Platform& p, const std::string& r) { return Entered(p, r + "\\計算表\\ソフト\\"); },
     "0 {root}\\計算表\\ソフト"},
    {"entering a folder spelled in lower case",
     [](Platform& p, const std::string& r) { return Entered(p, Lowered(r) + "\\P\\sub"); },
     "0 {lower}\\P\\sub"},
    {"a full path spelled in lower case",
     [](Platform& p, const std::string& r) { return FullFrom(p, r, Lowered(r) + "/p/"); },
     "{lower}\\p\\"},
    {"entering a folder that does not exist",
     [](Platform& p, const std::string& r) { return Entered(p, r + "\\計算表\\MISSING"); }, "2"},
    {"entering a folder whose parent does not exist",
     [](Platform& p, const std::string& r) { return Entered(p, r + "\\NONE\\MISSING"); }, "3"},
    {"entering a file",
     [](Platform& p, const std::string& r) { return Entered(p, r + "\\P\\readonly.txt"); }, "267"},
    {"a relative path with dots, a trailing backslash kept",
     [](Platform& p, const std::string& r) {
       return FullFrom(p, r + "\\計算表\\ソフト", "..\\..\\P\\.\\sub\\");
     },
     "{root}\\P\\sub\\"},
    {"a name in the current directory",
     [](Platform& p, const std::string& r) {
       return FullFrom(p, r + "\\計算表\\ソフト", "表.txt");
     },
     "{root}\\計算表\\ソフト\\表.txt"},
    {"\"..\" after a name whose trail byte is 0x5C",
     [](Platform& p, const std::string& r) { return FullFrom(p, r, r + "\\計算表\\ソフト\\.."); },
     "{root}\\計算表"},
    {"doubled backslashes and slashes",
     [](Platform& p, const std::string& r) { return FullFrom(p, r, r + "\\\\P/sub/"); },
     "{root}\\P\\sub\\"},
    {"a drive alone is its current directory when it is the current drive",
     [](Platform& p, const std::string& r) { return FullFrom(p, r + "\\P", "C:"); }, "{root}\\P\\"},
    {"another drive alone is its root",
     [](Platform& p, const std::string& r) { return FullFrom(p, r, "Q:"); }, "Q:\\"},
    {"a path from the root of the current drive",
     [](Platform& p, const std::string& r) { return FullFrom(p, r, "\\TOP"); }, "C:\\TOP"},
    {"more \"..\" than folders end at the drive's root",
     [](Platform& p, const std::string& r) {
       return FullFrom(p, r, "..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\..");
     },
     "C:\\"},
    {"reading a file",
     [](Platform& p, const std::string& r) { return Read(p, r + "\\計算表\\ソフト\\表.txt"); },
     "0 表"},
    {"reading a file that does not exist",
     [](Platform& p, const std::string& r) { return Read(p, r + "\\P\\none.txt"); }, "2"},
    {"reading a file whose folder does not exist",
     [](Platform& p, const std::string& r) { return Read(p, r + "\\NONE\\none.txt"); }, "3"},
    {"reading a folder", [](Platform& p, const std::string& r) { return Read(p, r + "\\P"); }, "5"},
    {"the drive type of a CD-ROM's root",
     [](Platform& p, const std::string&) {
       return std::to_string(static_cast<int>(p.DriveTypeOf("Q:\\")));
     },
     "5"},
    {"a folder is no drive's root",
     [](Platform& p, const std::string&) {
       return std::to_string(static_cast<int>(p.DriveTypeOf("Q:\\LAUNCH\\")));
     },
     "1"},
};

}  // namespace

std::span<const ContractEntry> ContractTree() { return kTree; }

void ExpectPlatformContract(Platform& platform, const std::string& root) {
  for (const Question& question : kQuestions) {
    EXPECT_EQ(question.ask(platform, root), Replaced(question.answer, root)) << question.what;
  }
}

}  // namespace sorvel::test
