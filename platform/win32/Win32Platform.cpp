#include "platform/win32/Win32Platform.h"

#include <winnetwk.h>

#include <algorithm>
#include <utility>

#include "platform/win32/Encoding.h"
#include "platform/win32/SystemLibrary.h"

namespace sorvel::win32 {
namespace {

// A drive without a medium answers "not ready" instead of putting up the
// system's "insert a disk" box while the launcher looks at it.
class NoCriticalErrorBox {
 public:
  NoCriticalErrorBox() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
  ~NoCriticalErrorBox() { SetThreadErrorMode(previous_, nullptr); }
  NoCriticalErrorBox(const NoCriticalErrorBox&) = delete;
  NoCriticalErrorBox& operator=(const NoCriticalErrorBox&) = delete;

 private:
  DWORD previous_ = 0;
};

// One enumeration of the entries matching a pattern, owning its find handle:
//   for (FindFile find(pattern); find.Found(); find.Next()) use(find.Entry());
// then EndCode() tells whether every match was seen.
class FindFile {
 public:
  enum class Info { Full, NamesInBatches };

  explicit FindFile(const std::wstring& pattern, Info info = Info::Full)
      : handle_(info == Info::Full
                    ? FindFirstFileW(pattern.c_str(), &entry_)
                    : FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry_,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)) {
    if (!Opened()) endCode_ = GetLastError();
  }
  ~FindFile() {
    if (Opened()) FindClose(handle_);
  }
  FindFile(const FindFile&) = delete;
  FindFile& operator=(const FindFile&) = delete;

  // False when not even a first entry was found.
  bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Found() const { return endCode_ == ERROR_SUCCESS; }
  const WIN32_FIND_DATAW& Entry() const { return entry_; }
  void Next() {
    if (!FindNextFileW(handle_, &entry_)) endCode_ = GetLastError();
  }
  // Why the enumeration ended: ERROR_NO_MORE_FILES after the last entry;
  // when nothing was opened, ERROR_FILE_NOT_FOUND for no match at all.
  DWORD EndCode() const { return endCode_; }
  // Every match was seen, also none in a folder that could be searched.
  bool Complete() const {
    return endCode_ == ERROR_NO_MORE_FILES || (!Opened() && endCode_ == ERROR_FILE_NOT_FOUND);
  }

 private:
  WIN32_FIND_DATAW entry_{};
  HANDLE handle_;
  DWORD endCode_ = ERROR_SUCCESS;
};

std::uint64_t ToTicks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME ToFileTime(std::uint64_t ticks) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return time;
}

// The entry as the launcher sees it; nullopt for a name without a CP932
// spelling, which is skipped.
std::optional<FileInfo> ToFileInfo(const WIN32_FIND_DATAW& data) {
  auto name = WideToCp932(data.cFileName);
  if (!name) return std::nullopt;
  FileInfo info;
  info.name = std::move(*name);
  info.attributes = data.dwFileAttributes;
  info.lastWriteTime = ToTicks(data.ftLastWriteTime);
  return info;
}

// A path the system produced, in CP932: as it stands, else its short form.
std::string PathToCp932(const std::wstring& path) {
  if (auto bytes = WideToCp932(path)) return std::move(*bytes);
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::string();
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return std::string();
  shortPath.resize(length);
  return WideToCp932(shortPath).value_or(std::string());
}

// Calls `query(buffer, size)`, which answers the length it needs (including
// the terminator) when the buffer is too small, until the answer fits.
template <typename Query>
std::optional<std::wstring> GrowingQuery(Query query) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(length, L'\0');
  }
}

// Calls `visit` for every entry matching a pattern, in the file system's order.
template <typename Visit>
void ForEachEntry(const std::wstring& pattern, Visit visit) {
  for (FindFile find(pattern); find.Found(); find.Next()) visit(find.Entry());
}

// FNV-1a of an entry's name and kind; summed over a folder's entries, so
// that the digest does not depend on the order of the enumeration.
std::uint64_t EntryDigest(const WIN32_FIND_DATAW& entry) {
  std::uint64_t digest = 14'695'981'039'346'656'037ULL;
  const auto add = [&digest](std::uint32_t value) {
    digest = (digest ^ value) * 1'099'511'628'211ULL;
  };
  for (const wchar_t* c = entry.cFileName; *c != L'\0'; ++c) add(*c);
  add(entry.dwFileAttributes &
      (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  return digest;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsRootPath(const std::string& path) {
  if (path.size() == 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
  // "\\server\share\": two non-empty components, each ended by a backslash.
  // Looked at in UTF-16, so the 0x5C trail byte of ソ or 表 is no separator.
  if (path.size() < 6 || path[0] != '\\' || path[1] != '\\' || path.back() != '\\') return false;
  const auto wide = Cp932ToWide(path);
  if (!wide) return false;
  const std::size_t serverEnd = wide->find(L'\\', 2);
  if (serverEnd == std::wstring::npos || serverEnd == 2) return false;
  const std::size_t shareEnd = wide->find(L'\\', serverEnd + 1);
  return shareEnd == wide->size() - 1 && shareEnd > serverEnd + 1;
}

std::string Win32Platform::CurrentDirectory() {
  const auto path =
      GrowingQuery([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
  return path ? PathToCp932(*path) : std::string();
}

ErrorCode Win32Platform::ChangeDirectory(const std::string& path) {
  const auto wide = PathToWide(path);
  if (!wide) return error::kInvalidName;
  NoCriticalErrorBox guard;
  if (SetCurrentDirectoryW(wide->c_str())) return error::kOk;
  return GetLastError();
}

DriveType Win32Platform::DriveTypeOf(const std::string& rootPath) {
  // Windows answers "no root" for a folder below a root, but Wine answers the
  // drive's type for any path on it; only a root is asked about.
  if (!IsRootPath(rootPath)) return DriveType::NoRootDir;
  const auto wide = PathToWide(rootPath);
  if (!wide) return DriveType::NoRootDir;
  return static_cast<DriveType>(GetDriveTypeW(wide->c_str()));
}

namespace {

// One search of `pattern`: its first entry with a CP932 spelling in `first`,
// and every such entry in `all` while `readOn` accepts the first. Gives the
// code of a search that failed before its end, with `all` emptied; 0 when
// it ended or was stopped.
ErrorCode Search(const std::wstring& pattern, const std::function<bool(const FileInfo&)>& readOn,
                 std::optional<FileInfo>& first, std::vector<FileInfo>& all) {
  all.clear();
  NoCriticalErrorBox guard;
  FindFile find(pattern);
  for (; find.Found(); find.Next()) {
    auto info = ToFileInfo(find.Entry());
    if (!info) continue;
    if (!first) {
      first = *info;
      if (!readOn(*first)) return error::kOk;
    }
    all.push_back(std::move(*info));
  }
  if (find.Complete()) return error::kOk;
  all.clear();
  return find.EndCode();
}

}  // namespace

std::optional<FileInfo> Win32Platform::FindFirstAndList(
    const std::string& pattern, const std::function<bool(const FileInfo&)>& readOn,
    std::vector<FileInfo>& all) {
  all.clear();
  std::optional<FileInfo> first;
  if (const auto wide = PathToWide(pattern)) Search(*wide, readOn, first, all);
  return first;
}

ErrorCode Win32Platform::List(const std::string& pattern, std::vector<FileInfo>& out) {
  out.clear();
  const auto wide = PathToWide(pattern);
  if (!wide) return error::kInvalidName;
  std::optional<FileInfo> first;
  return Search(
      *wide, [](const FileInfo&) { return true; }, first, out);
}

// NTFS and the file systems under Wine move a folder's last-write time when
// an entry is added, removed or renamed; FAT keeps a folder's time (and its
// root has none), so the entries are also counted and their names digested,
// in one quick pass that converts and sorts nothing. CD-ROMs (ISO 9660, UDF)
// never change; the core does not ask there.
std::optional<FolderStamp> Win32Platform::StampOf(const std::string& folder) {
  const auto wide = PathToWide(folder);
  if (!wide || wide->empty()) return std::nullopt;
  NoCriticalErrorBox guard;
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &attributes) ||
      (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::nullopt;
  }
  FolderStamp stamp;
  stamp.lastWriteTime = ToTicks(attributes.ftLastWriteTime);
  const std::wstring pattern = *wide + (wide->back() == L'\\' ? L"*" : L"\\*");
  // An empty root has not even "." and "..".
  FindFile find(pattern, FindFile::Info::NamesInBatches);
  for (; find.Found(); find.Next()) {
    ++stamp.entryCount;
    stamp.entriesDigest += EntryDigest(find.Entry());
  }
  return find.Complete() ? std::optional(stamp) : std::nullopt;
}

std::uint64_t Win32Platform::FileTimeToLocal(std::uint64_t utcFileTime) {
  const FILETIME utc = ToFileTime(utcFileTime);
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) return utcFileTime;
  return ToTicks(local);
}

std::string Win32Platform::FullPath(const std::string& path) {
  const auto wide = PathToWide(path);
  if (!wide || wide->empty()) return std::string();
  const auto full = GrowingQuery([&wide](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(wide->c_str(), size, buffer, nullptr);
  });
  return full ? PathToCp932(*full) : std::string();
}

int Win32Platform::CompareNoCase(const std::string& a, const std::string& b) {
  // Lenient: any two byte strings get an order, and the same order every
  // time, which sorting relies on.
  const std::wstring wideA = Cp932ToWideLenient(a);
  const std::wstring wideB = Cp932ToWideLenient(b);
  const int result =
      CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                     static_cast<int>(wideA.size()), wideB.data(), static_cast<int>(wideB.size()));
  if (result == 0) return a.compare(b);  // the call itself failed
  return result - CSTR_EQUAL;
}

// The sort key of the same comparison (LCMAP_SORTKEY): its bytes compare as
// CompareStringW compares the names.
std::string Win32Platform::CollationKey(const std::string& name) {
  const std::wstring wide = Cp932ToWideLenient(name);
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int length = static_cast<int>(wide.size());
  const int bytes = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.data(), length, nullptr, 0);
  std::string key(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
  if (bytes <= 0 || !LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.data(), length,
                                  reinterpret_cast<LPWSTR>(key.data()), bytes)) {
    return name;  // the call itself failed: an order of the bytes
  }
  return key;
}

ErrorCode Win32Platform::ReadWholeFile(const std::string& path, std::string& contents) {
  contents.clear();
  const auto wide = PathToWide(path);
  if (!wide) return error::kInvalidName;
  NoCriticalErrorBox guard;
  HANDLE file = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  ErrorCode result = error::kOk;
  std::string data;
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
      result = GetLastError();
      break;
    }
    if (read == 0) break;
    data.append(buffer, read);
  }
  CloseHandle(file);
  if (result == error::kOk) contents = std::move(data);
  return result;
}

bool Win32Platform::StartProcess(const std::string& application, const std::string& commandLine) {
  const auto wideApplication = PathToWide(application);
  const auto wideCommandLine = PathToWide(commandLine);
  if (!wideApplication || !wideCommandLine) return false;
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring line = *wideCommandLine;
  line.push_back(L'\0');
  STARTUPINFOW startup;
  GetStartupInfoW(&startup);
  PROCESS_INFORMATION process;
  const BOOL started =
      CreateProcessW(wideApplication->empty() ? nullptr : wideApplication->c_str(), line.data(),
                     nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  if (!started) return false;
  // The launcher neither waits for the program nor watches it.
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::uint32_t Win32Platform::LogicalDrives() { return GetLogicalDrives(); }

std::optional<std::string> Win32Platform::VolumeLabel(const std::string& root) {
  const auto wide = PathToWide(root);
  if (!wide) return std::nullopt;
  NoCriticalErrorBox guard;
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(wide->c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return std::nullopt;
  }
  return WideToCp932(label);
}

std::optional<std::uint32_t> Win32Platform::VolumeSerial(const std::string& root) {
  const auto wide = PathToWide(root);
  if (!wide) return std::nullopt;
  NoCriticalErrorBox guard;
  DWORD serial = 0;
  if (!GetVolumeInformationW(wide->c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
    return std::nullopt;
  }
  return serial;
}

std::optional<std::string> Win32Platform::NetworkRemoteName(const std::string& drive) {
  // The network provider router is loaded when a network drive is first
  // named.
  static const auto getConnection =
      SystemProcedureOf<decltype(WNetGetConnectionW)>(L"mpr.dll", "WNetGetConnectionW");
  const auto wide = PathToWide(drive);
  if (!wide || !getConnection) return std::nullopt;
  std::wstring remote(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(remote.size());
    const DWORD code = getConnection(wide->c_str(), remote.data(), &size);
    if (code == ERROR_MORE_DATA && size > remote.size()) {
      remote.assign(size, L'\0');
      continue;
    }
    if (code != NO_ERROR) return std::nullopt;
    remote.resize(wcslen(remote.c_str()));
    return WideToCp932(remote);
  }
}

std::optional<std::string> Win32Platform::Cp932FromUtf16(const std::u16string& text) {
  // wchar_t is UTF-16 on Windows. The typed forms have no CP932 bytes of
  // their own in Windows' table: they are CP932's characters all the same.
  std::wstring wide(text.size(), L'\0');
  std::transform(text.begin(), text.end(), wide.begin(),
                 [](char16_t unit) { return static_cast<wchar_t>(WindowsForm(unit)); });
  return WideToCp932(wide);
}

std::optional<std::string> Win32Platform::Cp932LookAlike(const std::u16string& character) {
  return WideToCp932LookAlike(std::wstring(character.begin(), character.end()));
}

std::vector<ForeignEntry> Win32Platform::ForeignEntries(const std::string& folder) {
  std::vector<ForeignEntry> entries;
  auto wide = PathToWide(folder);
  if (!wide || wide->empty()) return entries;
  if (wide->back() != L'\\') wide->push_back(L'\\');
  NoCriticalErrorBox guard;
  ForEachEntry(*wide + L"*", [&](const WIN32_FIND_DATAW& data) {
    if (WideToCp932(data.cFileName)) return;
    ForeignEntry entry{WideToCp932Lenient(data.cFileName), data.dwFileAttributes, {}};
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      // Its files, as far as the launcher is concerned: it never enters it.
      ForEachEntry(*wide + data.cFileName + L"\\*", [&entry](const WIN32_FIND_DATAW& inner) {
        if ((inner.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
          entry.files.push_back(WideToCp932Lenient(inner.cFileName));
        }
      });
    }
    entries.push_back(std::move(entry));
  });
  return entries;
}

}  // namespace sorvel::win32
