#include "vxshared/config_file.h"

#include <cstdio>

#include "win/modules.h"
#include "win/paths.h"
#include "win/profile.h"
#include "win/registry.h"
#include "win/shell_folders.h"
#include "win/strings.h"

namespace {

constexpr WCHAR kSection[] = u"Price";
constexpr WCHAR kRunKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr WCHAR kRunValue[] = u"Quorla";

// The settings' text length: values are read into 100 units.
constexpr DWORD kValueUnits = 100;

// Decimal text of an unsigned number, as the "%u" and "%llu" formats give it.
void FormatUnsigned(ULONGLONG value, WCHAR (&out)[24]) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(value));
  int i = 0;
  for (; digits[i]; ++i) out[i] = static_cast<WCHAR>(digits[i]);
  out[i] = 0;
}

// Leading blanks skipped, digits up to the first other character, no digits
// give 0; a number past the type's range gives its largest value.
template <typename T>
T ParseUnsigned(LPCWSTR text) {
  while (*text == u' ' || *text == u'\t' || *text == u'\n' || *text == u'\r' || *text == u'\v' || *text == u'\f') {
    ++text;
  }
  T value = 0;
  for (; *text >= u'0' && *text <= u'9'; ++text) {
    T digit = static_cast<T>(*text - u'0');
    if (value > (static_cast<T>(-1) - digit) / 10) return static_cast<T>(-1);
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

CConfigFile::CConfigFile(RunModes modes) : m_path{}, m_modes(modes) {}

LPCWSTR CConfigFile::InitConfigPath() {
  WCHAR folder[MAX_PATH] = {};
  m_path[0] = 0;
  if (SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE) && folder[0] &&
      PathAppendW(folder, u"vxbrowser\\config.ini")) {
    lstrcpynW(m_path, folder, MAX_PATH);
  }
  if (static_cast<INT>(GetPrivateProfileIntW(kSection, u"RunTray", -1, m_path)) == -1) SetRunMode(0);
  return m_path;
}

DWORD CConfigFile::ReadCheckTimeLong() const { return ReadNumber<DWORD>(u"CheckTimeLong", u"30"); }

void CConfigFile::WriteCheckTimeLong(DWORD minutes) const { WriteNumber(u"CheckTimeLong", minutes); }

ULONGLONG CConfigFile::ReadLastCheckTime() const { return ReadNumber<ULONGLONG>(u"LastCheckTime", u"0"); }

void CConfigFile::WriteLastCheckTime(ULONGLONG seconds) const { WriteNumber(u"LastCheckTime", seconds); }

template <typename T>
T CConfigFile::ReadNumber(LPCWSTR key, LPCWSTR fallback) const {
  WCHAR text[kValueUnits];
  GetPrivateProfileStringW(kSection, key, fallback, text, kValueUnits, m_path);
  return ParseUnsigned<T>(text);
}

void CConfigFile::WriteNumber(LPCWSTR key, ULONGLONG value) const {
  WCHAR text[24];
  FormatUnsigned(value, text);
  WriteValue(key, text);
}

void CConfigFile::SetRunMode(int mode) const {
  if (m_modes == kTrayModeOnly && mode != 0) return;
  if (!SetRunValue(mode)) return;  // the Run value first: "RunTray" follows only a change that succeeded
  WriteNumber(u"RunTray", static_cast<UINT>(mode));
}

bool CConfigFile::SetRunValue(int mode) const {
  HKEY key = nullptr;
  if (mode == 0 || mode == 1) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    WCHAR program[MAX_PATH] = {};
    bool named = GetModuleFileNameW(nullptr, program, MAX_PATH) != 0 &&
                 (mode == 1 || PathAppendW(program, u"..\\VXTray.exe"));
    LSTATUS result = named ? RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(program),
                                            static_cast<DWORD>(lstrlenW(program)) * sizeof(WCHAR))
                           : ERROR_INVALID_PARAMETER;
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
  }
  if (mode == 2) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    LSTATUS result = RegDeleteValueW(key, kRunValue);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
  }
  return false;
}

void CConfigFile::WriteValue(LPCWSTR key, LPCWSTR value) const {
  if (!m_path[0]) return;
  WCHAR folder[MAX_PATH];
  lstrcpynW(folder, m_path, MAX_PATH);
  // The folder may not exist yet at the very first start; without it the
  // first-start rule's write would be lost.
  if (PathRemoveFileSpecW(folder)) SHCreateDirectory(nullptr, folder);
  WritePrivateProfileStringW(kSection, key, value, m_path);
}
