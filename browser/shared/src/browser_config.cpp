#include "vxshared/browser_config.h"

#include "vxshared/config_file.h"

namespace {

CConfigFile& BrowserConfig() {
  static CConfigFile config(CConfigFile::kAllModes);
  return config;
}

}  // namespace

LPCWSTR InitConfigPath() { return BrowserConfig().InitConfigPath(); }
LPCWSTR GetConfigPath() { return BrowserConfig().Path(); }
DWORD ReadCheckTimeLong() { return BrowserConfig().ReadCheckTimeLong(); }
void WriteCheckTimeLong(DWORD minutes) { BrowserConfig().WriteCheckTimeLong(minutes); }
ULONGLONG ReadLastCheckTime() { return BrowserConfig().ReadLastCheckTime(); }
void WriteLastCheckTime(ULONGLONG seconds) { BrowserConfig().WriteLastCheckTime(seconds); }
void SetRunMode(int mode) { BrowserConfig().SetRunMode(mode); }
