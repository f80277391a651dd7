#include "bench/wine/Footprint.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/wine/Figures.h"

namespace sorvel::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

std::vector<char> ReadFileBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size)) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
      bytes.clear();
    }
  }
  CloseHandle(file);
  return bytes;
}

// Reads an x86 (PE32) or x86-64 (PE32+) image's import and delay-import
// tables from the file.
class PeImage {
 public:
  explicit PeImage(std::vector<char> bytes) : bytes_(std::move(bytes)) {}

  bool ImportedDlls(std::vector<std::string>& dlls) const {
    const auto* dos = At<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto headers = static_cast<std::size_t>(dos->e_lfanew);
    nt_ = At<IMAGE_NT_HEADERS32>(headers);
    if (!nt_ || nt_->Signature != IMAGE_NT_SIGNATURE) return false;
    // The x86-64 build stands in for the x86 one where x86 code cannot run:
    // its optional header is PE32+, with the same tables further on.
    const IMAGE_DATA_DIRECTORY* directories = nullptr;
    if (nt_->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
      directories = nt_->OptionalHeader.DataDirectory;
    } else if (const auto* nt64 = At<IMAGE_NT_HEADERS64>(headers);
               nt64 && nt64->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
      directories = nt64->OptionalHeader.DataDirectory;
    } else {
      return false;
    }
    for (DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress; rva != 0;
         rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto* import = AtRva<IMAGE_IMPORT_DESCRIPTOR>(rva);
      if (!import) return false;
      if (import->Name == 0) break;
      if (!AppendName(import->Name, dlls)) return false;
    }
    for (DWORD rva = directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].VirtualAddress; rva != 0;
         rva += sizeof(IMAGE_DELAYLOAD_DESCRIPTOR)) {
      const auto* import = AtRva<IMAGE_DELAYLOAD_DESCRIPTOR>(rva);
      if (!import) return false;
      if (import->DllNameRVA == 0) break;
      if (!AppendName(import->DllNameRVA, dlls)) return false;
    }
    return true;
  }

 private:
  template <typename T>
  const T* At(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return nullptr;
    return reinterpret_cast<const T*>(bytes_.data() + offset);
  }
  // The file offset of a relative virtual address, through the sections.
  std::size_t Offset(DWORD rva) const {
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt_);
    for (WORD index = 0; index < nt_->FileHeader.NumberOfSections; ++index, ++section) {
      if (reinterpret_cast<const char*>(section + 1) > bytes_.data() + bytes_.size()) break;
      const DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
        return rva - section->VirtualAddress + section->PointerToRawData;
      }
    }
    return bytes_.size();
  }
  template <typename T>
  const T* AtRva(DWORD rva) const {
    return At<T>(Offset(rva));
  }
  bool AppendName(DWORD rva, std::vector<std::string>& dlls) const {
    const std::size_t offset = Offset(rva);
    std::string name;
    for (std::size_t pos = offset; pos < bytes_.size() && bytes_[pos]; ++pos) name += bytes_[pos];
    if (name.empty()) return false;
    dlls.push_back(name);
    return true;
  }

  std::vector<char> bytes_;
  mutable const IMAGE_NT_HEADERS32* nt_ = nullptr;
};

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// A system DLL lies in the system folder and not beside the program.
bool IsSystemDll(const std::string& dll, const std::wstring& programFolder) {
  const std::wstring name(dll.begin(), dll.end());
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  return FileExists(std::wstring(system) + L"\\" + name) &&
         !FileExists(programFolder + L"\\" + name);
}

}  // namespace

int ReportFootprint(const std::wstring& exe) {
  std::vector<char> bytes = ReadFileBytes(exe);
  if (bytes.empty()) {
    std::fprintf(stderr, "cannot read %ls\n", exe.c_str());
    return 1;
  }
  const double size = static_cast<double>(bytes.size());
  std::vector<std::string> dlls;
  if (!PeImage(std::move(bytes)).ImportedDlls(dlls)) {
    std::fprintf(stderr, "cannot read the imports of %ls\n", exe.c_str());
    return 1;
  }
  int foreign = 0;
  std::printf("Imports of SorvelL.exe:");
  for (const std::string& dll : dlls) {
    const bool system = IsSystemDll(dll, FolderOf(exe));
    foreign += system ? 0 : 1;
    std::printf(" %s%s", dll.c_str(), system ? "" : " (NOT A SYSTEM DLL)");
  }
  std::printf("\n");
  Figure("SorvelL.exe size", size / kMiB, "MiB", 1.0);
  Figure("DLLs imported beyond the system's", foreign, "", 0.0);
  return 0;
}

}  // namespace sorvel::bench
