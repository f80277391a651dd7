// Starting programs and the shell helpers, with a small echo program that
// reports its command line and current directory.
#include <gtest/gtest.h>

#include "platform/win32/Encoding.h"
#include "platform/win32/Shell.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/Win32TestSupport.h"

namespace sorvel::win32 {
namespace {

using test::TempFolder;

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A program folder and a program whose names hold 0x5C trail bytes.
    folder_ = temp_.Join(L"能力表");
    test::MakeFolder(folder_);
    const std::wstring echo = test::ExecutableFolder() + L"\\sorvel_echo_args.exe";
    ASSERT_TRUE(CopyFileW(echo.c_str(), (folder_ + L"\\予定表.exe").c_str(), FALSE))
        << "sorvel_echo_args.exe missing beside the tests";
    output_ = temp_.Join(L"echo.txt");
    SetEnvironmentVariableW(L"SORVEL_ECHO_OUT", output_.c_str());
  }
  void TearDown() override { SetEnvironmentVariableW(L"SORVEL_ECHO_OUT", nullptr); }

  // The echo program's command line and current directory.
  std::pair<std::wstring, std::wstring> Echo() {
    std::wstring text;
    EXPECT_TRUE(test::WaitForWideFile(output_, text)) << "the program did not run";
    const std::size_t end = text.find(L'\n');
    if (end == std::wstring::npos) return {};
    return {text.substr(0, end), text.substr(end + 1, text.find(L'\n', end + 1) - end - 1)};
  }

  TempFolder temp_;
  std::wstring folder_;
  std::wstring output_;
  Win32Platform platform_;
};

TEST_F(ProcessTest, ProgramSeesItsBareNameAndInheritsTheCurrentDirectory) {
  ASSERT_EQ(platform_.ChangeDirectory(test::Narrow(folder_)), error::kOk);
  // Given by its full path or by its bare name, resolved in the current
  // directory: either way its command line is the bare name.
  for (const std::string& application :
       {test::Narrow(folder_) + "\\予定表.exe", std::string("予定表.exe")}) {
    SCOPED_TRACE(application);
    DeleteFileW(output_.c_str());
    ASSERT_TRUE(platform_.StartProcess(application, "予定表.exe"));
    const auto [commandLine, directory] = Echo();
    EXPECT_EQ(commandLine, L"予定表.exe");
    EXPECT_EQ(directory, folder_);
    // The launcher's own current directory stays where it was put.
    EXPECT_EQ(platform_.CurrentDirectory(), test::Narrow(folder_));
  }
}

TEST_F(ProcessTest, ProgramThatIsNotThereDoesNotStart) {
  ASSERT_EQ(platform_.ChangeDirectory(temp_.Cp932()), error::kOk);
  EXPECT_FALSE(platform_.StartProcess("予定表.exe", "予定表.exe"));
  test::MakeFile(temp_.Join(L"text.exe"), "not a program");
  EXPECT_FALSE(platform_.StartProcess("text.exe", "text.exe"));
}

TEST_F(ProcessTest, ShellOpenRunsTheFileInTheGivenDirectory) {
  const std::string program = test::Narrow(folder_) + "\\予定表.exe";
  ASSERT_TRUE(ShellOpen(nullptr, program, temp_.Cp932(), SW_HIDE));
  const auto [commandLine, directory] = Echo();
  EXPECT_NE(commandLine.find(L"予定表.exe"), std::wstring::npos);
  EXPECT_EQ(directory, temp_.Path());
  EXPECT_FALSE(ShellOpen(nullptr, temp_.Cp932() + "\\index.htm", temp_.Cp932(), SW_HIDE));
}

TEST(ShellTest, WindowsDirectoryExists) {
  const std::string windows = WindowsDirectory();
  ASSERT_FALSE(windows.empty());
  const DWORD attributes = GetFileAttributesW(test::Wide(windows).c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ShellTest, FirstIconOfAnExecutable) {
  TempFolder temp;
  test::MakeFile(temp.Join(L"表.txt"), "text");
  const HINSTANCE instance = GetModuleHandleW(nullptr);

  const std::uintptr_t icon = ExtractFirstIcon(instance, WindowsDirectory() + "\\notepad.exe");
  EXPECT_GT(icon, 1u) << "notepad has an icon";
  if (icon > 1) DestroyIcon(reinterpret_cast<HICON>(icon));
  // The echo program has no icon; a text file is no executable (Windows
  // answers 1 for it, Wine 0: either is "no icon" to the caller).
  const std::string echo = test::Narrow(test::ExecutableFolder()) + "\\sorvel_echo_args.exe";
  EXPECT_EQ(ExtractFirstIcon(instance, echo), 0u);
  EXPECT_LE(ExtractFirstIcon(instance, temp.Cp932() + "\\表.txt"), 1u);
}

}  // namespace
}  // namespace sorvel::win32
