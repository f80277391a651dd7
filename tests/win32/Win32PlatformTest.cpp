// The file-system side of the platform, against real folders under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/InstallationScan.h"
#include "platform/win32/Encoding.h"
#include "platform/win32/Win32Platform.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/StateBuilder.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

using test::MakeFile;
using test::MakeFolder;
using test::TempFolder;

class Win32PlatformTest : public ::testing::Test {
 protected:
  std::string Base() const { return temp_.Cp932(); }

  const FileInfo* Find(const std::vector<FileInfo>& list, const std::string& name) {
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&name](const FileInfo& info) { return info.name == name; });
    return it == list.end() ? nullptr : &*it;
  }

  std::vector<std::string> Names(const std::vector<FileInfo>& list) {
    std::vector<std::string> names;
    for (const FileInfo& info : list) names.push_back(info.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder temp_;
  Win32Platform platform_;
};

TEST_F(Win32PlatformTest, NamesWithTrailByte5CAndHalfWidthKanaRoundTrip) {
  struct Name {
    const char* cp932;
    const wchar_t* wide;
  };
  const Name names[] = {
      {"ソフト", L"ソフト"}, {"表", L"表"},       {"能力", L"能力"},
      {"予定表", L"予定表"}, {"ｷｬﾝｾﾙ", L"ｷｬﾝｾﾙ"},
  };
  for (const Name& n : names) {
    const std::string folder = Base() + "\\" + n.cp932;
    ASSERT_TRUE(CreateDirectoryW(PathToWide(folder)->c_str(), nullptr));
    // The system got the intended UTF-16 name, not a byte-wise misreading.
    ASSERT_NE(GetFileAttributesW(temp_.Join(n.wide).c_str()), INVALID_FILE_ATTRIBUTES);
    MakeFile(temp_.Join(n.wide) + L"\\" + n.wide + L".txt", n.cp932);
  }

  std::vector<FileInfo> listed;
  ASSERT_EQ(platform_.List(Base() + "\\*", listed), error::kOk);
  for (const Name& n : names) {
    SCOPED_TRACE(n.cp932);
    const std::string folder = Base() + "\\" + n.cp932;
    const std::string file = std::string(n.cp932) + ".txt";

    const FileInfo* entry = Find(listed, n.cp932);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->attributes & attr::kDirectory);
    const auto found = platform_.FindFirst(folder);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->name, n.cp932);

    ASSERT_EQ(platform_.ChangeDirectory(folder + "\\"), error::kOk);
    EXPECT_EQ(platform_.CurrentDirectory(), folder);
    std::string contents;
    EXPECT_EQ(platform_.ReadWholeFile(file, contents), error::kOk);
    EXPECT_EQ(contents, n.cp932);
    std::vector<FileInfo> files;
    EXPECT_EQ(platform_.List("*.txt", files), error::kOk);
    EXPECT_EQ(Names(files), std::vector<std::string>{file});
  }
}

TEST_F(Win32PlatformTest, ListReportsAttributesAndLastWriteTime) {
  struct Entry {
    const wchar_t* name;
    DWORD set;            // attributes given to the entry
    std::uint32_t shown;  // bits the listing must report
  };
  const Entry entries[] = {
      {L"hidden.exe", FILE_ATTRIBUTE_HIDDEN, attr::kHidden},
      {L"system.exe", FILE_ATTRIBUTE_SYSTEM, attr::kSystem},
      {L"readonly.exe", FILE_ATTRIBUTE_READONLY, attr::kReadOnly},
      {L"folder.exe", 0, attr::kDirectory},
      {L"plain.exe", 0, 0},
  };
  // 2001-02-03 04:05:06 UTC.
  const std::uint64_t stamp = 126255795060000000ULL;
  for (const Entry& e : entries) {
    const std::wstring path = temp_.Join(e.name);
    if (e.shown & attr::kDirectory) {
      MakeFolder(path);
      continue;
    }
    MakeFile(path);
    HANDLE file =
        CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME time{static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
    if (e.set != 0) {
      ASSERT_TRUE(SetFileAttributesW(path.c_str(), e.set));
    }
  }

  std::vector<FileInfo> listed;
  ASSERT_EQ(platform_.List(Base() + "\\*.exe", listed), error::kOk);
  ASSERT_EQ(listed.size(), std::size(entries));
  const std::uint32_t kinds = attr::kHidden | attr::kSystem | attr::kReadOnly | attr::kDirectory;
  for (const Entry& e : entries) {
    const FileInfo* info = Find(listed, test::Narrow(e.name));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->attributes & kinds, e.shown) << info->name;
    if (!(e.shown & attr::kDirectory)) {
      EXPECT_EQ(info->lastWriteTime, stamp) << info->name;
    }
  }
  const auto first = platform_.FindFirst(Base() + "\\hidden.e?e");
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->attributes & attr::kHidden);
}

TEST_F(Win32PlatformTest, MissingFoldersAndEmptyMatches) {
  MakeFolder(temp_.Join(L"sub"));
  MakeFile(temp_.Join(L"file.txt"));
  std::vector<FileInfo> out{FileInfo{"stale"}};

  // Nothing matches in a folder that can be searched: no error.
  EXPECT_EQ(platform_.List(Base() + "\\*.exe", out), error::kOk);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(platform_.FindFirst(Base() + "\\*.exe"), std::nullopt);
  // The folder listing includes what the file system reports for "." and "..".
  EXPECT_EQ(platform_.List(Base() + "\\*", out), error::kOk);
  EXPECT_EQ(Names(out), (std::vector<std::string>{".", "..", "file.txt", "sub"}));

  // The system's own codes (Wine answers as Windows does).
  EXPECT_EQ(platform_.List(Base() + "\\missing\\*", out), error::kPathNotFound);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(platform_.ChangeDirectory(Base() + "\\missing"), error::kFileNotFound);
  EXPECT_EQ(platform_.ChangeDirectory(Base() + "\\missing\\deeper"), error::kPathNotFound);
  EXPECT_EQ(platform_.ChangeDirectory(Base() + "\\file.txt"), ErrorCode{ERROR_DIRECTORY});
}

TEST_F(Win32PlatformTest, NamesWithoutCp932SpellingAreLeftOut) {
  MakeFile(temp_.Join(L"caf\u00E9.txt"));
  MakeFile(temp_.Join(L"\U0001F600.txt"));
  MakeFolder(temp_.Join(L"\u00E9t\u00E9"));
  MakeFile(temp_.Join(L"plain.txt"));

  std::vector<FileInfo> out;
  EXPECT_EQ(platform_.List(Base() + "\\*", out), error::kOk);
  EXPECT_EQ(Names(out), (std::vector<std::string>{".", "..", "plain.txt"}));
  // FindFirst passes over them even when they come first.
  const auto first = platform_.FindFirst(Base() + "\\*.txt");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->name, "plain.txt");
  EXPECT_EQ(platform_.FindFirst(Base() + "\\caf*"), std::nullopt);
  EXPECT_EQ(platform_.List(Base() + "\\caf*", out), error::kOk);
  EXPECT_TRUE(out.empty());

  // The current directory cannot be left out: it is given in its short
  // spelling, which leads back to the same folder.
  ASSERT_TRUE(SetCurrentDirectoryW(temp_.Join(L"\u00E9t\u00E9").c_str()));
  const std::string current = platform_.CurrentDirectory();
  ASSERT_FALSE(current.empty());
  ASSERT_EQ(platform_.ChangeDirectory(Base()), error::kOk);
  ASSERT_EQ(platform_.ChangeDirectory(current), error::kOk);
  wchar_t longPath[MAX_PATH];
  ASSERT_NE(GetLongPathNameW(test::Wide(current).c_str(), longPath, MAX_PATH), 0u);
  EXPECT_EQ(std::wstring(longPath), temp_.Join(L"\u00E9t\u00E9"));
}

// A catalogue's text, unlike a name, takes the forms other systems type
// for seven CP932 characters as those characters; a character CP932 lacks
// is named by its look-alike where Windows has one.
TEST_F(Win32PlatformTest, CatalogueTextReadsTheTypedFormsAsCp932s) {
  for (const Cp932TypedForm& form : kCp932TypedForms) {
    const auto windows = platform_.Cp932FromUtf16(std::u16string(1, form.windows));
    ASSERT_TRUE(windows.has_value()) << static_cast<int>(form.windows);
    EXPECT_EQ(windows->size(), 2u);
    EXPECT_EQ(platform_.Cp932FromUtf16(u"a" + std::u16string(1, form.typed)), "a" + *windows);
    EXPECT_EQ(WideToCp932(std::wstring(1, static_cast<wchar_t>(form.typed))), std::nullopt)
        << "a name keeps its own characters";
  }
  EXPECT_EQ(platform_.Cp932LookAlike(u"\u00E9"), "e");
  EXPECT_EQ(platform_.Cp932LookAlike(u"\U0001F600"), std::nullopt);
}

TEST_F(Win32PlatformTest, ArgumentsThatAreNotCp932AreInvalidNames) {
  // A lead byte without a valid trail byte (0x81 0x5C would be "＼").
  const std::string lone = Base() + "\\\x81\x7F";
  const std::string withNul = std::string("C:\\\0x", 5);
  for (const std::string& path : {lone, withNul}) {
    std::vector<FileInfo> out;
    std::string contents;
    EXPECT_EQ(platform_.ChangeDirectory(path), error::kInvalidName);
    EXPECT_EQ(platform_.List(path + "\\*", out), error::kInvalidName);
    EXPECT_EQ(platform_.ReadWholeFile(path, contents), error::kInvalidName);
    EXPECT_EQ(platform_.FindFirst(path), std::nullopt);
    EXPECT_EQ(platform_.FullPath(path), "");
    EXPECT_FALSE(platform_.StartProcess(path, path));
    EXPECT_EQ(platform_.VolumeLabel(path), std::nullopt);
  }
}

TEST_F(Win32PlatformTest, CompareNoCaseFollowsTheLocaleNotTheBytes) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"abc", "ABD", -1},          {"abc", "ABC", 0},
      {"ABD", "abc", 1},           {"Zebra", "apple", 1},  // bytes would put 'Z' (0x5A) first
      {"a10", "a9", -1},                                   // digits compare as characters
      {"ALGEBR12", "algebr12", 0}, {"ア", "イ", -1},
      {"abc", "ア", -1},           {"", "a", -1},
  };
  const auto sign = [](int result) { return (result > 0) - (result < 0); };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(platform_.CompareNoCase(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    // The collation keys, which a listing sorts by, order the names alike.
    EXPECT_EQ(sign(platform_.CollationKey(c.a).compare(platform_.CollationKey(c.b))), c.sign)
        << c.a << " / " << c.b;
  }
  // Only case is ignored, not the width of katakana.
  EXPECT_NE(platform_.CompareNoCase("ソフト", "ｿﾌﾄ"), 0);
  EXPECT_NE(platform_.CollationKey("ソフト"), platform_.CollationKey("ｿﾌﾄ"));
}

TEST_F(Win32PlatformTest, FullPathResolvesDotsAgainstTheCurrentDirectory) {
  ASSERT_EQ(platform_.ChangeDirectory(Base()), error::kOk);
  struct Case {
    std::string given;
    std::string full;
  };
  const Case cases[] = {
      {"x\\..\\y", Base() + "\\y"},
      {"表\\..\\能", Base() + "\\能"},  // 0x5C trail bytes are no separators
      {"ソ\\", Base() + "\\ソ\\"},
      {Base() + "\\a\\..\\..\\", Base().substr(0, Base().rfind('\\') + 1)},
      {"Q:\\LAUNCH\\..\\", "Q:\\"},
      {"C:\\..\\", "C:\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform_.FullPath(c.given), c.full) << c.given;
}

TEST_F(Win32PlatformTest, CurrentDirectoryOfAnyLength) {
  // 170 UTF-16 characters, but 340 bytes in CP932: longer than a 260-byte
  // buffer, still within the W API's usual limit.
  std::wstring wide = temp_.Path();
  std::string narrow = Base();
  while (narrow.size() < 340) {
    wide += L"\\表示能力予定";
    narrow += "\\表示能力予定";
    MakeFolder(wide);
  }
  ASSERT_EQ(platform_.ChangeDirectory(narrow), error::kOk);
  EXPECT_EQ(platform_.CurrentDirectory(), narrow);

  // Longer than MAX_PATH characters, where the system allows it.
  while (wide.size() < 300) {
    wide += L"\\abcdefghijklmnopqrstuvwxyz";
    narrow += "\\abcdefghijklmnopqrstuvwxyz";
    MakeFolder(wide);
  }
  const ErrorCode code = platform_.ChangeDirectory(narrow);
  if (code != error::kOk) GTEST_SKIP() << "the system refuses a long current directory: " << code;
  EXPECT_EQ(platform_.CurrentDirectory(), narrow);
}

TEST_F(Win32PlatformTest, ReadWholeFileReadsAllOrGivesTheSystemsCode) {
  std::string big(200 * 1024, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
  MakeFile(temp_.Join(L"big.bin"), big);
  MakeFile(temp_.Join(L"held.txt"), "held");
  MakeFolder(temp_.Join(L"folder"));

  std::string contents;
  ASSERT_EQ(platform_.ReadWholeFile(Base() + "\\big.bin", contents), error::kOk);
  EXPECT_EQ(contents, big);

  struct Case {
    std::string path;
    ErrorCode code;
  };
  const Case cases[] = {
      {Base() + "\\missing.txt", error::kFileNotFound},
      {Base() + "\\missing\\a.txt", error::kPathNotFound},
      {Base() + "\\folder", error::kAccessDenied},
  };
  for (const Case& c : cases) {
    contents = "stale";
    EXPECT_EQ(platform_.ReadWholeFile(c.path, contents), c.code) << c.path;
    EXPECT_EQ(contents, "") << c.path;
  }

  // Another reader is welcome; a writer that shares nothing is not.
  const std::wstring held = temp_.Join(L"held.txt");
  HANDLE reader =
      CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform_.ReadWholeFile(Base() + "\\held.txt", contents), error::kOk);
  EXPECT_EQ(contents, "held");
  CloseHandle(reader);
  HANDLE writer = CreateFileW(held.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(platform_.ReadWholeFile(Base() + "\\held.txt", contents), error::kSharingViolation);
  CloseHandle(writer);
}

TEST_F(Win32PlatformTest, StampOfAFolderChangesWithItsEntriesOnly) {
  struct Change {
    const char* what;
    std::function<void()> make;
    bool changed;
  };
  const Change changes[] = {
      {"nothing", [] {}, false},
      {"a file rewritten", [this] { MakeFile(temp_.Join(L"a.exe"), "longer contents"); }, false},
      {"a file added in a sub-folder", [this] { MakeFile(temp_.Join(L"sub\\b.exe")); }, false},
      {"a file added", [this] { MakeFile(temp_.Join(L"b.exe")); }, true},
      {"a file removed", [this] { DeleteFileW(temp_.Join(L"b.exe").c_str()); }, true},
      {"a folder renamed",
       [this] { MoveFileW(temp_.Join(L"sub").c_str(), temp_.Join(L"SUB2").c_str()); }, true},
      {"a folder hidden",
       [this] { SetFileAttributesW(temp_.Join(L"SUB2").c_str(), FILE_ATTRIBUTE_HIDDEN); }, true},
  };
  MakeFile(temp_.Join(L"a.exe"), "MZ");
  MakeFolder(temp_.Join(L"sub"));
  for (const Change& change : changes) {
    const auto before = platform_.StampOf(Base());
    ASSERT_TRUE(before.has_value()) << change.what;
    change.make();
    const auto after = platform_.StampOf(Base());
    ASSERT_TRUE(after.has_value()) << change.what;
    EXPECT_EQ(*after != *before, change.changed) << change.what;
  }
  EXPECT_TRUE(platform_.StampOf("C:\\").has_value());
  EXPECT_TRUE(platform_.StampOf(Base() + "\\").has_value());
  EXPECT_EQ(platform_.StampOf(Base() + "\\missing"), std::nullopt);
  EXPECT_EQ(platform_.StampOf(Base() + "\\a.exe"), std::nullopt);
  EXPECT_EQ(platform_.StampOf(Base() + "\\\x81"), std::nullopt);  // not CP932
}

TEST_F(Win32PlatformTest, ScanOfTheSameFolderSeesAProgramInstalledSinceTheLastOne) {
  MakeFile(temp_.Join(L"ALGEBR12\\algebra1.exe"), "MZ");
  sorvel::test::RecordingMessages messages;
  LauncherState state;
  LauncherContext context{platform_, messages, state, nullptr};
  sorvel::test::AddEntry(state, {"T1", "algebra1", "1.0", "k"});
  sorvel::test::AddEntry(state, {"T2", "geometry", "1.0", "k"});
  ScanFolder(context, Base(), false);
  EXPECT_EQ(sorvel::test::Found(state), (std::vector<std::string>{"1 ALGEBR12\\algebra1.exe"}));

  // Beside the program whose folder the file listing shows last.
  MakeFile(temp_.Join(L"ALGEBR12\\geometry.exe"), "MZ");
  ScanFolder(context, Base(), false);
  EXPECT_EQ(sorvel::test::Found(state),
            (std::vector<std::string>{"1 ALGEBR12\\algebra1.exe", "2 ALGEBR12\\geometry.exe"}));
  // In a new folder of the base folder.
  MakeFile(temp_.Join(L"GEOMET11\\geometry.exe"), "MZ");
  DeleteFileW(temp_.Join(L"ALGEBR12\\algebra1.exe").c_str());
  ScanFolder(context, Base(), false);
  EXPECT_EQ(sorvel::test::Found(state), (std::vector<std::string>{"2 GEOMET11\\geometry.exe"}));
}

}  // namespace
}  // namespace sorvel::win32
