// The launcher's operating-system services on Win32, through the W API.
//
// Names the launcher cannot spell: every string crossing this layer is
// CP932. A file or folder whose name has no exact CP932 spelling ("é", an
// emoji, ...) is left out of FindFirst and List, as if it were not there:
// handing out a '?'-substituted name would name a file that cannot be opened,
// or another file altogether. A path argument that is not valid CP932 is an
// invalid name (error 123; FindFirst and VolumeLabel answer nullopt,
// StartProcess false). The current directory and full paths, which cannot be
// left out, fall back to the file system's short (8.3) spelling, and are
// empty when even that has no CP932 spelling.
#pragma once

#include <windows.h>

#include "platform/Platform.h"

namespace sorvel::win32 {

class Win32Platform : public Platform {
 public:
  std::string CurrentDirectory() override;
  ErrorCode ChangeDirectory(const std::string& path) override;
  DriveType DriveTypeOf(const std::string& rootPath) override;
  std::optional<FileInfo> FindFirstAndList(const std::string& pattern,
                                           const std::function<bool(const FileInfo&)>& readOn,
                                           std::vector<FileInfo>& all) override;
  ErrorCode List(const std::string& pattern, std::vector<FileInfo>& out) override;
  std::optional<FolderStamp> StampOf(const std::string& folder) override;
  std::uint64_t FileTimeToLocal(std::uint64_t utcFileTime) override;
  std::string FullPath(const std::string& path) override;
  int CompareNoCase(const std::string& a, const std::string& b) override;
  std::string CollationKey(const std::string& name) override;
  ErrorCode ReadWholeFile(const std::string& path, std::string& contents) override;
  bool StartProcess(const std::string& application, const std::string& commandLine) override;
  std::uint32_t LogicalDrives() override;
  std::optional<std::string> VolumeLabel(const std::string& root) override;
  std::optional<std::uint32_t> VolumeSerial(const std::string& root) override;
  std::optional<std::string> NetworkRemoteName(const std::string& drive) override;
  std::optional<std::string> Cp932FromUtf16(const std::u16string& text) override;
  std::optional<std::string> Cp932LookAlike(const std::u16string& character) override;
  std::vector<ForeignEntry> ForeignEntries(const std::string& folder) override;
};

// True for a path that is exactly a root: "X:\" or "\\server\share\".
bool IsRootPath(const std::string& path);

}  // namespace sorvel::win32
