#include "tests/monkey/HandleCounts.h"

#include <winternl.h>

#include <vector>

namespace sorvel::test {
namespace {

// One entry of the GDI handle table (GDI_HANDLE_ENTRY, 64-bit layout): a
// live object has a type, a free slot type 0.
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiTableSlots = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0xF8;  // offset in the 64-bit PEB

using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

long CountGdiTableEntries(HANDLE process) {
  auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
    return -1;
  UINT64 table = 0;
  SIZE_T read = 0;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  if (!ReadProcessMemory(process, peb + kPebGdiSharedHandleTable, &table, sizeof table, &read) ||
      table == 0)
    return -1;
  std::vector<GdiHandleEntry> entries(kGdiTableSlots);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                         entries.size() * sizeof(GdiHandleEntry), &read))
    return -1;
  long live = 0;
  for (const GdiHandleEntry& entry : entries) live += entry.type != 0;
  return live;
}

struct WindowTally {
  DWORD processId;
  long count = 0;
};

BOOL CALLBACK TallyChild(HWND, LPARAM param) {
  ++reinterpret_cast<WindowTally*>(param)->count;
  return TRUE;
}

BOOL CALLBACK TallyTopLevel(HWND hwnd, LPARAM param) {
  auto* tally = reinterpret_cast<WindowTally*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != tally->processId) return TRUE;
  ++tally->count;
  EnumChildWindows(hwnd, TallyChild, param);  // every depth
  return TRUE;
}

long CountWindows(DWORD processId) {
  WindowTally tally{processId};
  EnumWindows(TallyTopLevel, reinterpret_cast<LPARAM>(&tally));
  return tally.count;
}

}  // namespace

GuiObjectCounts CountGuiObjects(HANDLE process, DWORD processId) {
  GuiObjectCounts counts;
  counts.gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
  counts.user = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
  if (counts.gdi > 0 || counts.user > 0) return counts;
  counts.gdi = CountGdiTableEntries(process);
  counts.user = CountWindows(processId);
  counts.fromHandleTable = true;
  return counts;
}

int FreshUserSlot() {
  HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (!probe) return -1;
  const int slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
  DestroyWindow(probe);
  return slot;
}

}  // namespace sorvel::test
