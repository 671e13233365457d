#pragma once
// Resources built into a module, found by type and name (numeric ids made
// with MAKEINTRESOURCEW, or texts). A program declares its resources in its
// CMakeLists.txt with quorla_resources() (cmake/QuorlaResources.cmake): PNG
// files under the type "PNG", icon files (.ico, whole) under RT_GROUP_ICON.
// The generated code registers them with RegisterResourceW at the first
// FindResourceW, which may come from a static initialiser. The bytes of a
// registered resource must stay valid for the life of the process.
#include "win/global_memory.h"
#include "win/modules.h"

QUORLA_DECLARE_HANDLE(HRSRC);

inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

// The layer's own registration call; module null means the program itself.
// FALSE when the arguments are bad.
WINAPI_EXPORT BOOL RegisterResourceW(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, DWORD size);
// The layer's registration of a module's string table, from UTF-8 lines
// "<id>=<text>" (id 0 to 65535; in the text \n, \t and \\ stand for a line
// break, a tab and a backslash; empty lines and lines starting with '#' are
// skipped; a later line for an id replaces an earlier one). The strings are
// kept as the platform keeps them, in RT_STRING blocks of sixteen: block
// id / 16 + 1 holds, for each of its ids in turn, a 16-bit length and that
// many UTF-16 units. Call it once per module. FALSE (nothing registered) for
// a malformed line or text that is not UTF-8.
WINAPI_EXPORT BOOL RegisterStringTableW(HMODULE module, const char* lines, DWORD size);

WINAPI_EXPORT HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
WINAPI_EXPORT DWORD SizeofResource(HMODULE module, HRSRC resource);
WINAPI_EXPORT HGLOBAL LoadResource(HMODULE module, HRSRC resource);
WINAPI_EXPORT LPVOID LockResource(HGLOBAL loaded);
WINAPI_EXPORT BOOL FreeResource(HGLOBAL loaded);

// Copies string `id` of the module's string table into buffer (at most
// maxCount - 1 units and a terminating zero) and returns the units copied.
// With maxCount 0, buffer receives a read-only pointer to the string inside
// the resource, which is not zero-terminated, and the string's length comes
// back. A missing string gives an empty text and 0
// (ERROR_RESOURCE_NAME_NOT_FOUND).
WINAPI_EXPORT int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int maxCount);
