#include "platform/win32/Console.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/Encoding.h"

namespace sorvel::win32 {

namespace {

bool WriteWhole(HANDLE handle, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

bool WriteConsoleWhole(HANDLE handle, const std::wstring& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 8192));
    if (!WriteConsoleW(handle, text.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

bool WriteText(StandardStream stream, const std::string& cp932Text) {
  const HANDLE handle =
      GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  const std::wstring wide = Cp932ToWideLenient(cp932Text);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) return WriteConsoleWhole(handle, wide);
  return WriteWhole(handle, WideToUtf8(wide));
}

ConsoleUse QueryConsoleUse() {
  ConsoleUse use;
  DWORD mode = 0;
  use.outputIsConsole = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
  use.inputIsConsole = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != FALSE;
  // Room for two is enough to tell one from more.
  DWORD processes[2];
  use.processes = GetConsoleProcessList(processes, 2);
  return use;
}

void WaitForKey(const std::string& cp932Prompt) {
  WriteText(StandardStream::Output, cp932Prompt);
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  // Keys typed while the check ran do not count: the report is to be read.
  FlushConsoleInputBuffer(input);
  INPUT_RECORD record;
  DWORD read = 0;
  while (ReadConsoleInputW(input, &record, 1, &read) && read == 1) {
    if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
  }
}

std::string EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[256];
  const DWORD length = GetEnvironmentVariableW(name, buffer, 256);
  if (length == 0 || length >= 256) return std::string();
  return WideToUtf8(std::wstring(buffer, length));
}

bool DisplayLanguageIsJapanese() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

ErrorCode EnterFolder(const std::wstring& folder) {
  if (folder.empty() || folder.find(L'\0') != std::wstring::npos) return error::kInvalidName;
  // A drive without a medium answers "not ready" instead of asking for a disk.
  DWORD previous = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous);
  const ErrorCode code = SetCurrentDirectoryW(folder.c_str()) ? error::kOk : GetLastError();
  SetThreadErrorMode(previous, nullptr);
  return code;
}

}  // namespace sorvel::win32
