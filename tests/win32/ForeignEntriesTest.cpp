// Names the launcher cannot spell, as the series checker asks for them.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/Encoding.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

using test::MakeFile;
using test::MakeFolder;
using test::TempFolder;

bool StartsAndEnds(const std::string& text, const std::string& start, const std::string& end) {
  return text.size() >= start.size() + end.size() && text.rfind(start, 0) == 0 &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(ForeignEntriesTest, OnlyNamesWithoutCp932SpellingWithTheFilesOfTheirFolders) {
  TempFolder temp;
  MakeFile(temp.Join(L"caf\u00E9.exe"));
  MakeFolder(temp.Join(L"\u00C5LGEBR12"));
  MakeFile(temp.Join(L"\u00C5LGEBR12\\algebra1.exe"));
  MakeFile(temp.Join(L"\u00C5LGEBR12\\\U0001F600.txt"));
  MakeFolder(temp.Join(L"\u00C5LGEBR12\\sub"));
  MakeFolder(temp.Join(L"ソフト"));
  MakeFile(temp.Join(L"plain.exe"));

  Win32Platform platform;
  std::vector<ForeignEntry> entries = platform.ForeignEntries(temp.Cp932());
  ASSERT_EQ(entries.size(), 2u);
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return (a.attributes & FILE_ATTRIBUTE_DIRECTORY) < (b.attributes & FILE_ATTRIBUTE_DIRECTORY);
  });
  // Spelled with a look-alike or "?" for the letter CP932 lacks.
  EXPECT_TRUE(StartsAndEnds(entries[0].spelling, "caf", ".exe")) << entries[0].spelling;
  EXPECT_EQ(entries[0].attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_TRUE(entries[0].files.empty());
  EXPECT_TRUE(StartsAndEnds(entries[1].spelling, "", "LGEBR12")) << entries[1].spelling;
  EXPECT_NE(entries[1].attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  std::vector<std::string> files = entries[1].files;
  std::sort(files.begin(), files.end());
  ASSERT_EQ(files.size(), 2u);  // files only, the sub-folder left out
  EXPECT_TRUE(StartsAndEnds(files[0], "", ".txt")) << files[0];
  EXPECT_EQ(files[1], "algebra1.exe");
  // The other queries still leave them out.
  std::vector<FileInfo> listed;
  ASSERT_EQ(platform.List(temp.Cp932() + "\\*", listed), error::kOk);
  EXPECT_EQ(listed.size(), 4u);  // ".", "..", "ソフト", "plain.exe"
}

TEST(ForeignEntriesTest, NoneWhereThereIsNothingToRead) {
  TempFolder temp;
  MakeFile(temp.Join(L"plain.exe"));
  Win32Platform platform;
  EXPECT_TRUE(platform.ForeignEntries(temp.Cp932()).empty());
  EXPECT_TRUE(platform.ForeignEntries(temp.Cp932() + "\\missing").empty());
  EXPECT_TRUE(platform.ForeignEntries(temp.Cp932() + "\\").empty());
  EXPECT_TRUE(platform.ForeignEntries("").empty());
  EXPECT_TRUE(platform.ForeignEntries("R:\\").empty());  // not ready
}

}  // namespace
}  // namespace sorvel::win32
