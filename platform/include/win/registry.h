#pragma once
// The registry, as far as the system uses it: the values of the Run key
// (HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run), which
// start programs at log-on.
//
// On this host the Run key is the desktop's log-on autostart: the value
// "<name>" is the desktop entry $XDG_CONFIG_HOME/autostart/<name>.desktop
// (~/.config/autostart without XDG_CONFIG_HOME), whose Exec starts the program
// file that the value's text names (a "<program>.exe" name meaning the built
// program file "<program>" in that folder). Opening the key with any write
// access creates the autostart folder; when it cannot be created or written,
// the open fails with ERROR_ACCESS_DENIED, as a key without rights does.
// Every other key fails to open with ERROR_FILE_NOT_FOUND. Only REG_SZ
// values are offered. Any thread may call these; results are the platform's
// error codes (ERROR_SUCCESS on success).
#include "win/last_error.h"
#include "win/types.h"

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LSTATUS = LONG;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000000))))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000001))))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000002))))

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM READ_CONTROL = 0x00020000;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

WINAPI_EXPORT LSTATUS RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
// data holds size bytes of UTF-16 text; the text ends at the first zero unit
// or after size/2 units, whichever comes first (no terminator is needed).
// ERROR_ACCESS_DENIED when the key was opened without KEY_SET_VALUE.
WINAPI_EXPORT LSTATUS RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                                     DWORD size);
// ERROR_FILE_NOT_FOUND when the value does not exist.
WINAPI_EXPORT LSTATUS RegDeleteValueW(HKEY key, LPCWSTR valueName);
WINAPI_EXPORT LSTATUS RegCloseKey(HKEY key);
