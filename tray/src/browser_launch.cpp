#include "browser_launch.h"

#include "win/modules.h"
#include "win/paths.h"
#include "win/shell_execute.h"
#include "win/window_styles.h"

std::u16string BrowserProgramPath() {
  WCHAR path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  // Appending "..\" to the program's own path leaves its directory.
  if (!PathAppendW(path, u"..\\vxbrowser.exe")) return {};
  return path;
}

void StartBrowser(LPCWSTR parameters) {
  const std::u16string browser = BrowserProgramPath();
  if (browser.empty()) return;
  ShellExecuteW(nullptr, nullptr, browser.c_str(), parameters, nullptr, SW_SHOWNORMAL);
}

void LaunchBrowser() { StartBrowser(u"/tray"); }
