#include "ui/main/ShellServices.h"

#include "platform/win32/Shell.h"

namespace sorvel::ui {

ShellServices SystemShellServices() {
  ShellServices services;
  services.open = win32::ShellOpen;
  services.windowsDirectory = win32::WindowsDirectory;
  services.helpContents = win32::OpenHelpContents;
  services.htmlHelpContents = win32::OpenHtmlHelpContents;
  services.firstIcon = [](const std::string& exeFile) {
    return win32::ExtractFirstIcon(GetModuleHandleW(nullptr), exeFile);
  };
  return services;
}

}  // namespace sorvel::ui
