#include "tests/monkey/MovingFolder.h"

namespace sorvel::test {
namespace {

std::wstring ParentOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

bool SetFolderTimes(const std::wstring& path, const FILETIME& created, const FILETIME& written) {
  HANDLE folder = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return false;
  const bool done = SetFileTime(folder, &created, nullptr, &written) != FALSE;
  CloseHandle(folder);
  return done;
}

}  // namespace

MovingFolder::~MovingFolder() { BringBack(); }

bool MovingFolder::TakeAway() {
  if (away_) return true;
  WIN32_FILE_ATTRIBUTE_DATA parent;
  if (!GetFileAttributesExW(ParentOf(path_).c_str(), GetFileExInfoStandard, &parent) ||
      !MoveFileW(path_.c_str(), holding_.c_str()))
    return false;
  parentCreated_ = parent.ftCreationTime;
  parentWritten_ = parent.ftLastWriteTime;
  away_ = true;
  return true;
}

bool MovingFolder::BringBack() {
  if (!away_) return true;
  if (!MoveFileW(holding_.c_str(), path_.c_str())) return false;
  away_ = false;
  return SetFolderTimes(ParentOf(path_), parentCreated_, parentWritten_);
}

}  // namespace sorvel::test
