#pragma once
// The tray program's settings object: the same settings code as the
// browser's, kept by its check worker, knowing only start-up mode 0 (the tray
// program itself) and never writing the check interval.
#include "vxshared/config_file.h"

class CTrayConfig : private CConfigFile {
 public:
  CTrayConfig() : CConfigFile(kTrayModeOnly) {}

  using CConfigFile::InitConfigPath;
  using CConfigFile::Path;
  using CConfigFile::ReadCheckTimeLong;
  using CConfigFile::ReadLastCheckTime;
  using CConfigFile::SetRunMode;
  using CConfigFile::WriteLastCheckTime;
};
