#pragma once
// Global memory blocks: fixed blocks (the handle is the memory) and movable
// blocks (the handle names the block; GlobalLock gives its memory). Handles
// are checked, so a bad or freed handle fails instead of touching memory.
// Any thread may use a block; locking counts are the caller's business.
#include "win/types.h"

using HGLOBAL = HANDLE;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

// Null on failure (ERROR_NOT_ENOUGH_MEMORY). A zero-byte movable block is
// valid; GlobalLock gives null for it.
WINAPI_EXPORT HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Resizes, keeping the contents (new bytes zeroed with GMEM_ZEROINIT). A
// movable block keeps its handle; a fixed one may move. Null on failure, the
// old block kept.
WINAPI_EXPORT HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags);
WINAPI_EXPORT LPVOID GlobalLock(HGLOBAL memory);
// FALSE once the lock count is back to 0 (last error ERROR_SUCCESS) or for a
// bad handle.
WINAPI_EXPORT BOOL GlobalUnlock(HGLOBAL memory);
// Null on success, the handle itself on failure.
WINAPI_EXPORT HGLOBAL GlobalFree(HGLOBAL memory);
// 0 for a bad handle.
WINAPI_EXPORT SIZE_T GlobalSize(HGLOBAL memory);
// The handle of a fixed block from its memory, or of a movable one from its
// locked memory.
WINAPI_EXPORT HGLOBAL GlobalHandle(LPCVOID memory);
