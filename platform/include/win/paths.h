#pragma once
// Path helpers. Paths are host paths; both '/' and '\' count as separators,
// so texts the system writes with backslashes ("..\config\x.xml") work.
#include "win/types.h"

// Position of the file-name part (after the last separator).
WINAPI_EXPORT LPWSTR PathFindFileNameW(LPCWSTR path);
// Cuts the path at its last separator; returns TRUE when something was removed.
WINAPI_EXPORT BOOL PathRemoveFileSpecW(LPWSTR path);
// Appends more to path (MAX_PATH units) with one separator between them and
// folds "." and ".." segments. Returns FALSE when the result does not fit.
WINAPI_EXPORT BOOL PathAppendW(LPWSTR path, LPCWSTR more);
// dst = dir joined with file, folded as PathAppendW does; null on failure.
WINAPI_EXPORT LPWSTR PathCombineW(LPWSTR dst, LPCWSTR dir, LPCWSTR file);
WINAPI_EXPORT BOOL PathFileExistsW(LPCWSTR path);
WINAPI_EXPORT BOOL PathIsDirectoryW(LPCWSTR path);
