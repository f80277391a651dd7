#include "platform/win32/Shell.h"

#include <htmlhelp.h>
#include <shellapi.h>

#include "platform/win32/Encoding.h"
#include "platform/win32/SystemLibrary.h"

namespace sorvel::win32 {

bool ShellOpen(HWND owner, const std::string& file, const std::string& directory, int show) {
  const auto wideFile = PathToWide(file);
  const auto wideDirectory = PathToWide(directory);
  if (!wideFile || !wideDirectory) return false;
  static const auto shellExecute =
      SystemProcedureOf<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) return false;
  const HINSTANCE result =
      shellExecute(owner, L"open", wideFile->c_str(), nullptr,
                   wideDirectory->empty() ? nullptr : wideDirectory->c_str(), show);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string WindowsDirectory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return std::string();
  return WideToCp932(std::wstring(buffer, length)).value_or(std::string());
}

bool OpenHelpContents(HWND owner, const std::string& helpFile) {
  const auto wideFile = PathToWide(helpFile);
  if (!wideFile) return false;
  return WinHelpW(owner, wideFile->c_str(), HELP_CONTENTS, 100) != FALSE;
}

namespace {

// HTML Help's entry, looked up on the first help command only: hhctrl.ocx
// is a large DLL that most sessions never need.
decltype(HtmlHelpW)* HtmlHelpEntry() {
  static const auto htmlHelp = SystemProcedureOf<decltype(HtmlHelpW)>(L"hhctrl.ocx", "HtmlHelpW");
  return htmlHelp;
}

bool htmlHelpUsed = false;

}  // namespace

bool OpenHtmlHelpContents(HWND owner, const std::string& chmFile) {
  const auto wideFile = PathToWide(chmFile);
  if (!wideFile) return false;
  const auto htmlHelp = HtmlHelpEntry();
  if (!htmlHelp) return false;
  htmlHelpUsed = true;
  return htmlHelp(owner, wideFile->c_str(), HH_DISPLAY_TOC, 0) != nullptr;
}

void CloseHtmlHelpWindows() {
  if (htmlHelpUsed) HtmlHelpEntry()(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

std::uintptr_t ExtractFirstIcon(HINSTANCE instance, const std::string& exePath) {
  const auto widePath = PathToWide(exePath);
  if (!widePath) return 0;
  static const auto extractIcon =
      SystemProcedureOf<decltype(ExtractIconW)>(L"shell32.dll", "ExtractIconW");
  if (!extractIcon) return 0;
  return reinterpret_cast<std::uintptr_t>(extractIcon(instance, widePath->c_str(), 0));
}

}  // namespace sorvel::win32
