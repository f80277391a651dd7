// Helpers of the Win32 layer's tests: real folders under the temp path.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/win32/TestFiles.h"
#include "tests/support/win32/TestText.h"

namespace sorvel::win32::test {

using sorvel::test::ExecutableFolder;
using sorvel::test::RemoveTree;
using sorvel::test::UnixPathOnZ;

// CP932 -> UTF-16 for test data that is known to be valid.
std::wstring Wide(const std::string& cp932);
// UTF-16 -> CP932 for test data that is known to be representable.
std::string Narrow(const std::wstring& wide);

// A fresh folder under the temp path, removed with everything in it; the
// current directory is put back where it was.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, without trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::string Cp932() const { return Narrow(path_); }
  // Path() + "\" + relative.
  std::wstring Join(const std::wstring& relative) const { return path_ + L"\\" + relative; }

 private:
  std::wstring path_;
  std::wstring previousDirectory_;
};

// Creates a folder / a file with contents; fail the test on error.
void MakeFolder(const std::wstring& path);
void MakeFile(const std::wstring& path, const std::string& contents = std::string());

// Waits up to `milliseconds` for a file to appear; its contents as UTF-16.
bool WaitForWideFile(const std::wstring& path, std::wstring& contents, int milliseconds = 15000);

}  // namespace sorvel::win32::test
