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
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

// The layer's own registration call; module null means the program itself.
// FALSE when the arguments are bad.
WINAPI_EXPORT BOOL RegisterResourceW(HMODULE module, LPCWSTR type, LPCWSTR name, const void* data, DWORD size);

WINAPI_EXPORT HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
WINAPI_EXPORT DWORD SizeofResource(HMODULE module, HRSRC resource);
WINAPI_EXPORT HGLOBAL LoadResource(HMODULE module, HRSRC resource);
WINAPI_EXPORT LPVOID LockResource(HGLOBAL loaded);
WINAPI_EXPORT BOOL FreeResource(HGLOBAL loaded);
