#pragma once
// Loaded modules: the program file and the shared objects loaded at run time.
//
// An HMODULE is the address at which a module's file is mapped, as on the
// platform, so the module that holds any code address can be found with
// VirtualQuery. Component libraries keep their platform file names
// ("Gravik.dll"); a file name that does not exist as written is looked up in
// its directory without regard to letter case. A bare name is searched in the
// program's directory first, then in the layer's own directory; a name with a
// path loads that file only. Libraries are loaded with local symbol binding,
// so each keeps its own copy of what it carries.
#include "win/types.h"

using FARPROC = void (*)();

WINAPI_EXPORT HMODULE LoadLibraryW(LPCWSTR fileName);
WINAPI_EXPORT BOOL FreeLibrary(HMODULE module);
WINAPI_EXPORT FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// Null gives the program's own module.
WINAPI_EXPORT HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The absolute path of the module's file; null gives the program file. Returns
// the length copied; when the buffer is too small the text is cut, terminated,
// the buffer size is returned and the last error is ERROR_INSUFFICIENT_BUFFER.
WINAPI_EXPORT DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

struct MEMORY_BASIC_INFORMATION {
  PVOID BaseAddress;
  PVOID AllocationBase;  // the HMODULE of the module holding the address
  DWORD AllocationProtect;
  SIZE_T RegionSize;
  DWORD State;
  DWORD Protect;
  DWORD Type;
};
constexpr DWORD MEM_COMMIT = 0x1000;
constexpr DWORD MEM_FREE = 0x10000;
constexpr DWORD MEM_IMAGE = 0x1000000;

// Fills AllocationBase with the module that holds address (null when no
// loaded module holds it). Returns the size written, 0 on failure.
WINAPI_EXPORT SIZE_T VirtualQuery(LPCVOID address, MEMORY_BASIC_INFORMATION* info, SIZE_T length);
