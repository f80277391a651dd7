// Real files and folders for the tests that run under Wine: one copy of each
// helper, whatever the test (Win32 layer, windows, whole sessions).
#pragma once

#include <optional>
#include <string>

namespace sorvel::test {

// The folder of the running test executable.
std::wstring ExecutableFolder();

// A fresh empty folder <temp>\sorvel-<hint>-<process>-<n>; `hint` may hold
// characters that CP932 cannot spell. The caller removes it.
std::wstring MakeTempFolder(const std::wstring& hint);

// Removes a file, or a folder with everything in it, also one deeper than
// MAX_PATH and whatever the attributes.
void RemoveTree(const std::wstring& path);

// Creates one folder, whatever the length of its path; false when it could
// not be created (it exists already, its parent is missing, ...).
bool CreateFolder(const std::wstring& path);

// Writes bytes to a file, creating the folders on the way; false when the
// file could not be written whole.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// A file's bytes, read while others may keep it open; nullopt when it
// cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

}  // namespace sorvel::test
