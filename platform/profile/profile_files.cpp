// Private-profile files over whole-file reads and atomic replacement.
#include <errno.h>

#include <string>

#include "host_errors.h"
#include "host_paths.h"
#include "profile_text.h"
#include "utf.h"
#include "whole_files.h"
#include "win/last_error.h"
#include "win/profile.h"
#include "win/strings.h"

namespace {

// The value of the key, or nothing when the file, section or key is missing.
std::optional<std::u16string> ReadValue(LPCWSTR section, LPCWSTR key, LPCWSTR fileName) {
  if (!fileName || !*fileName) return std::nullopt;
  std::string contents;
  if (quorla::ReadWholeFile(quorla::HostFilePath(fileName), &contents) != 0) return std::nullopt;
  return quorla::ProfileText(std::move(contents)).Find(section, key);
}

bool Contains(LPCWSTR text, std::u16string_view units) {
  for (LPCWSTR p = text; *p; ++p) {
    if (units.find(*p) != std::u16string_view::npos) return true;
  }
  return false;
}

}  // namespace

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName) {
  if (!section || !key) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return static_cast<UINT>(defaultValue);
  }
  std::optional<std::u16string> value = ReadValue(section, key, fileName);
  if (!value || value->empty()) return static_cast<UINT>(defaultValue);
  size_t at = 0;
  bool negative = false;
  if ((*value)[0] == u'-' || (*value)[0] == u'+') {
    negative = (*value)[0] == u'-';
    ++at;
  }
  UINT result = 0;
  for (; at < value->size() && (*value)[at] >= u'0' && (*value)[at] <= u'9'; ++at) {
    result = result * 10u + static_cast<UINT>((*value)[at] - u'0');  // wraps at 32 bits
  }
  return negative ? 0u - result : result;
}

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer, DWORD size,
                               LPCWSTR fileName) {
  if (!buffer || size == 0) return 0;
  if (!section || !key) {
    buffer[0] = 0;
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::u16string> value = ReadValue(section, key, fileName);
  if (!value) {
    value = defaultValue ? std::u16string(defaultValue) : std::u16string();
    while (!value->empty() && (value->back() == u' ' || value->back() == u'\t')) value->pop_back();
  }
  lstrcpynW(buffer, value->c_str(), static_cast<int>(size > 0x7FFFFFFFu ? 0x7FFFFFFFu : size));
  return static_cast<DWORD>(lstrlenW(buffer));
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName) {
  if (!section || !key || !value || !fileName || !*fileName || !*section || !*key ||
      Contains(section, u"\r\n]") || Contains(key, u"\r\n=") || Contains(value, u"\r\n")) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::string path = quorla::HostFilePath(fileName);
  quorla::FileLock lock(path);
  if (lock.Error() != 0) {
    SetLastError(lock.Error() == ENOENT ? ERROR_PATH_NOT_FOUND : quorla::ErrorFromErrno(lock.Error()));
    return FALSE;
  }
  std::string contents;
  int readError = quorla::ReadWholeFile(path, &contents);
  if (readError != 0 && readError != ENOENT) {
    SetLastError(quorla::ErrorFromErrno(readError));
    return FALSE;
  }
  quorla::ProfileText text(std::move(contents));
  text.Set(section, key, value);
  int writeError = quorla::ReplaceLockedWholeFile(path, text.Bytes());
  if (writeError != 0) {
    SetLastError(writeError == ENOENT ? ERROR_PATH_NOT_FOUND : quorla::ErrorFromErrno(writeError));
    return FALSE;
  }
  return TRUE;
}
