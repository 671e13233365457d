#pragma once
// Special folders of the user and directory creation of the shell. The
// application-data folder is $XDG_CONFIG_HOME, else ~/.config.
#include "win/types.h"

constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr DWORD SHGFP_TYPE_CURRENT = 0;

// path: at least MAX_PATH units. create makes the folder when it is missing.
WINAPI_EXPORT BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int csidl, BOOL create);
WINAPI_EXPORT HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);
// Creates the folder and every missing folder above it. Returns ERROR_SUCCESS,
// ERROR_ALREADY_EXISTS for a folder that is there, ERROR_FILE_EXISTS when a
// file stands in the way, ERROR_BAD_PATHNAME for a relative path, or another
// error code.
WINAPI_EXPORT int SHCreateDirectory(HWND owner, LPCWSTR path);
WINAPI_EXPORT int SHCreateDirectoryExW(HWND owner, LPCWSTR path, const void* security);
