#pragma once
// UTF-16 text helpers of the platform's string libraries. Case-blind
// comparisons fold letters of the Basic Multilingual Plane by their Unicode
// upper-case mapping, independent of any process locale.
#include "win/types.h"

WINAPI_EXPORT int lstrlenW(LPCWSTR s);
// Copies at most max-1 units and always terminates (when max > 0).
WINAPI_EXPORT LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int max);
WINAPI_EXPORT LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src);
WINAPI_EXPORT LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src);
WINAPI_EXPORT int lstrcmpW(LPCWSTR a, LPCWSTR b);
WINAPI_EXPORT int lstrcmpiW(LPCWSTR a, LPCWSTR b);
WINAPI_EXPORT int StrCmpW(LPCWSTR a, LPCWSTR b);
WINAPI_EXPORT int StrCmpIW(LPCWSTR a, LPCWSTR b);
WINAPI_EXPORT int StrCmpNW(LPCWSTR a, LPCWSTR b, int n);
WINAPI_EXPORT int StrCmpNIW(LPCWSTR a, LPCWSTR b, int n);
WINAPI_EXPORT LPWSTR StrChrW(LPCWSTR s, WCHAR c);
WINAPI_EXPORT LPWSTR StrRChrW(LPCWSTR s, LPCWSTR end, WCHAR c);
WINAPI_EXPORT LPWSTR StrStrW(LPCWSTR s, LPCWSTR find);
WINAPI_EXPORT LPWSTR StrStrIW(LPCWSTR s, LPCWSTR find);
// Upper/lower case of one UTF-16 unit (surrogates stay as they are).
WINAPI_EXPORT WCHAR QuorlaUpperUnit(WCHAR c);
WINAPI_EXPORT WCHAR QuorlaLowerUnit(WCHAR c);
WINAPI_EXPORT LPWSTR CharUpperW(LPWSTR s);
WINAPI_EXPORT LPWSTR CharLowerW(LPWSTR s);
