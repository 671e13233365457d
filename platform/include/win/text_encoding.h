#pragma once
// Code-page conversions between multi-byte text and UTF-16. The layer knows
// UTF-8 and code page 936 (the Simplified Chinese GBK code page). The ANSI
// code page of the process (CP_ACP) and of every thread (CP_THREAD_ACP) is
// 936, the code page of the system's Chinese target, whatever the thread
// locale says. Any thread may call; each thread keeps its own locale.
#include "win/types.h"

using LCID = DWORD;
using LPBOOL = BOOL*;

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_GBK = 936;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x1;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

// Chinese (PRC); 0x20804 is the same language with the stroke sort order.
constexpr LCID LOCALE_ZH_CN = 0x0804;

// Decodes count bytes (-1: up to and including the terminating zero) into
// out (size units; 0 asks for the size needed). Invalid bytes become U+FFFD
// unless MB_ERR_INVALID_CHARS asks for failure (ERROR_NO_UNICODE_TRANSLATION).
// Returns the units written (or needed), 0 on failure with the last error
// set: ERROR_INVALID_PARAMETER (unknown code page, null or empty input),
// ERROR_INSUFFICIENT_BUFFER.
WINAPI_EXPORT int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int count, LPWSTR out, int size);
// Encodes count units (-1: up to and including the terminating zero). A unit
// code page 936 cannot hold becomes defaultChar (null: '?') and sets
// *usedDefaultChar; for UTF-8 both must be null and a lone surrogate becomes
// U+FFFD. Results and errors as above.
WINAPI_EXPORT int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR text, int count, LPSTR out, int size,
                                      LPCSTR defaultChar, LPBOOL usedDefaultChar);
WINAPI_EXPORT UINT GetACP();
WINAPI_EXPORT LCID GetThreadLocale();
// Any locale is accepted and kept for the calling thread only.
WINAPI_EXPORT BOOL SetThreadLocale(LCID locale);
