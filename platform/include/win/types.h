#pragma once
// Fixed-width types of the platform, with the widths the system's file formats
// and interfaces rely on: DWORD, UINT, LONG and BOOL are 32-bit on every host.
#include <cstddef>
#include <cstdint>

#include "win/api.h"

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using BOOL = std::int32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD64 = std::uint64_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using SSIZE_T = std::ptrdiff_t;
using CHAR = char;
using WCHAR = char16_t;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using LPCVOID = const void*;
using PVOID = void*;
using HRESULT = std::int32_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#define MAX_PATH 260

// Handles are opaque pointers; every kind is a distinct type as on the platform.
#define QUORLA_DECLARE_HANDLE(name) \
  struct name##__;                  \
  using name = name##__*
using HANDLE = void*;
QUORLA_DECLARE_HANDLE(HINSTANCE);
using HMODULE = HINSTANCE;
QUORLA_DECLARE_HANDLE(HWND);
QUORLA_DECLARE_HANDLE(HKEY);
QUORLA_DECLARE_HANDLE(HMENU);
QUORLA_DECLARE_HANDLE(HICON);
using HCURSOR = HICON;
QUORLA_DECLARE_HANDLE(HBRUSH);

using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using ATOM = WORD;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
