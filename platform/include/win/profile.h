#pragma once
// Private-profile (INI) files: "[Section]" headers and "key=value" lines.
//
// Section and key names match without regard to case; values are trimmed of
// blanks and of one pair of enclosing quotes; a missing file, section or key
// gives the default. Lines may end in CR LF, LF or CR alone. Text is UTF-8.
//
// A write reads the file, changes or adds exactly one line (and the section
// header when the section is new), keeps every other byte as it was, and
// replaces the file atomically (a new file beside it, flushed, renamed over
// it). The read-modify-write holds an exclusive flock on "<file>.lock" beside
// the file, so writers in several threads or processes lose no value. Reads
// take no lock: they always see a whole file.
//
// Any thread may call these. The enumerating forms of the platform (a null
// section or key name) are not offered: they fail with
// ERROR_INVALID_PARAMETER, as does a write whose names or value would break
// the line structure (a line break, '=' in a key, ']' in a section name).
#include "win/types.h"

// The value read as a signed decimal number (optional sign, digits up to the
// first non-digit, no digits give 0, wrapping at 32 bits); the default when
// the key is missing or its value is empty.
WINAPI_EXPORT UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);

// Copies the value, or the default (trailing blanks removed; null counts as
// empty), into buffer, cut to size-1 units and always terminated. Returns the
// number of units copied without the terminator.
WINAPI_EXPORT DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer,
                                             DWORD size, LPCWSTR fileName);

// Sets key=value in the section, creating the file and the section when they
// are missing. FALSE with the last error set when the file cannot be written
// (its folder missing, no rights, disk full); the old file is then untouched.
WINAPI_EXPORT BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);
