#include <gtest/gtest.h>

#include "platform/win32/Encoding.h"

namespace sorvel::win32 {
namespace {

struct Spelling {
  const char* cp932;
  const wchar_t* wide;
};

// Names whose second byte is 0x5C, half-width katakana, ASCII with a
// backslash, and the empty string.
const Spelling kSpellings[] = {
    {"\x83\x5C\x95\x5C\x94\x5C\x97\x5C", L"ソ表能予"},
    {"ソフト表示", L"ソフト表示"},
    {"\xB7\xAC\xDD\xBE\xD9", L"ｷｬﾝｾﾙ"},
    {"C:\\SERIES\\能力\\", L"C:\\SERIES\\能力\\"},
    {"", L""},
};

TEST(EncodingTest, Cp932AndUtf16SpellTheSameNames) {
  for (const Spelling& s : kSpellings) {
    EXPECT_EQ(Cp932ToWide(s.cp932), std::wstring(s.wide)) << s.cp932;
    EXPECT_EQ(WideToCp932(s.wide), std::string(s.cp932)) << s.cp932;
  }
}

TEST(EncodingTest, NamesWithoutCp932SpellingAreRefused) {
  // No '?', no default character and no look-alike: the yen sign and the em
  // dash have best-fit bytes (0x5C, 0x81 0x5C) that would name other files.
  for (const wchar_t* name : {L"caf\u00E9.txt", L"\U0001F600", L"\u00A5", L"a\u2014b", L"\u00E9"}) {
    EXPECT_EQ(WideToCp932(name), std::nullopt);
  }
}

TEST(EncodingTest, BytesThatAreNotCp932AreRefused) {
  for (const std::string& bytes : {std::string("\x81"), std::string("abc\x95"),
                                   std::string("\x81\x7F"), std::string("\x83\x20")}) {
    EXPECT_EQ(Cp932ToWide(bytes), std::nullopt);
    EXPECT_FALSE(Cp932ToWideLenient(bytes).empty()) << "shown text keeps a placeholder";
  }
}

TEST(EncodingTest, PathWithNulIsInvalid) {
  EXPECT_EQ(PathToWide(std::string("a.txt\0.exe", 10)), std::nullopt);
  EXPECT_EQ(PathToWide("能力\\a.txt"), std::wstring(L"能力\\a.txt"));
}

}  // namespace
}  // namespace sorvel::win32
