#pragma once
// Starting programs the way the shell does.
#include "win/types.h"

// ShellExecuteW's results of 32 and less.
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_BADFORMAT = 11;
constexpr int SE_ERR_NOASSOC = 31;

constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
constexpr DWORD ERROR_NO_ASSOCIATION = 1155;

// Starts the program file `file` with the verb null or "open" (any other verb
// fails with SE_ERR_NOASSOC). `file` takes '/' and '\' as separators and is
// taken from the current folder when relative; a name ending in ".exe" that
// does not exist names the program without that ending in the same folder,
// letter case aside ("vxbrowser.exe" starts VXBrowser). The program starts
// detached from the caller (its own session, never the caller's child, never
// through a shell) in `directory`, or in the caller's current folder when that
// is null or empty. Its GetCommandLineW() is `"<program path>" <parameters>`
// with the parameters verbatim, and its argv is that line split by the
// platform's rules. `hwnd` and `show` are not used: the program shows its
// windows itself.
//
// Returns a value greater than 32 once the program runs. Else 32 or less and
// the last error: SE_ERR_FNF with ERROR_FILE_NOT_FOUND for a missing file,
// SE_ERR_PNF with ERROR_PATH_NOT_FOUND for a missing directory, SE_ERR_NOASSOC
// with ERROR_NO_ASSOCIATION for a file that is not executable,
// SE_ERR_ACCESSDENIED, SE_ERR_BADFORMAT (ERROR_BAD_EXE_FORMAT) or SE_ERR_OOM.
WINAPI_EXPORT HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                      INT show);
