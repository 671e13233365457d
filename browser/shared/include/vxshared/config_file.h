#pragma once
// The settings file "config.ini" (section "Price") that both programs share,
// and the Run value "Quorla" that starts a program at log-on.
//
// A CConfigFile owns the path of the file, built once by InitConfigPath; it is
// the path object both programs keep (the browser one for the process, the
// tray program one in its check worker). Nothing is cached: every read goes to
// the file, so what the other program wrote is seen at the next read. No
// operation reports failure: a missing file, section or key reads as the
// default, and a write that cannot be done is lost. Reads and writes may come
// from any thread once InitConfigPath has returned; InitConfigPath itself runs
// once, before other threads use the object.
#include "win/types.h"

class CConfigFile {
 public:
  // Start-up modes: 0 the tray program starts at log-on, 1 the browser does,
  // 2 nothing starts.
  enum RunModes { kAllModes, kTrayModeOnly };

  explicit CConfigFile(RunModes modes = kAllModes);
  virtual ~CConfigFile() = default;

  // Builds the path (the user's application-data folder, then
  // "vxbrowser\config.ini") and, when "RunTray" is missing or -1, applies
  // start-up mode 0 (the first-start rule). Returns the path; it stays empty
  // when the application-data folder cannot be had.
  LPCWSTR InitConfigPath();
  LPCWSTR Path() const { return m_path; }

  // Minutes between two price checks; 30 when absent.
  DWORD ReadCheckTimeLong() const;
  void WriteCheckTimeLong(DWORD minutes) const;
  // Seconds since 1970 of the last price check; 0 when absent.
  ULONGLONG ReadLastCheckTime() const;
  void WriteLastCheckTime(ULONGLONG seconds) const;
  // Changes the Run value for the mode, then records the mode in "RunTray";
  // when the Run value cannot be changed, or the mode is not one this object
  // may set, nothing is recorded.
  void SetRunMode(int mode) const;

 private:
  bool SetRunValue(int mode) const;
  // A key's value read as an unsigned decimal number (fallback when absent).
  template <typename T>
  T ReadNumber(LPCWSTR key, LPCWSTR fallback) const;
  // Writes a key as decimal text ("%u", "%llu").
  void WriteNumber(LPCWSTR key, ULONGLONG value) const;
  // Writes one key of section "Price", making the "vxbrowser" folder first.
  void WriteValue(LPCWSTR key, LPCWSTR value) const;

  WCHAR m_path[MAX_PATH];
  RunModes m_modes;
};
