#pragma once
// The C runtime's readers of numbers in wide text. They read plain decimal as
// the "C" locale writes it, whatever locale the process has set: leading
// blanks are skipped, then an optional sign and the longest run that forms a
// number is taken. No "nan", "inf" or hexadecimal forms are accepted. A text
// without a number gives 0 and, where asked, an end pointer at the start.
#include "win/types.h"

// Integers: overflow gives the type's largest (or smallest) value.
WINAPI_EXPORT int _wtoi(LPCWSTR text);
WINAPI_EXPORT LONG _wtol(LPCWSTR text);
WINAPI_EXPORT LONGLONG _wtoi64(LPCWSTR text);
// Decimal fractions with an optional exponent; overflow gives +-HUGE_VAL,
// underflow 0.
WINAPI_EXPORT double _wtof(LPCWSTR text);
WINAPI_EXPORT double _wcstod(LPCWSTR text, LPWSTR* end);
// Integers in a base from 2 to 36 (0 means 10: no prefixes are read). A
// negative number read by an unsigned reader is negated in the unsigned type,
// as the C runtime does; overflow gives the largest value.
WINAPI_EXPORT LONG _wcstol(LPCWSTR text, LPWSTR* end, int base);
WINAPI_EXPORT ULONG _wcstoul(LPCWSTR text, LPWSTR* end, int base);
WINAPI_EXPORT LONGLONG _wcstoi64(LPCWSTR text, LPWSTR* end, int base);
WINAPI_EXPORT ULONGLONG _wcstoui64(LPCWSTR text, LPWSTR* end, int base);
// The blanks these readers skip: space, tab, line ends and the Unicode spaces
// (no-break and ideographic space included).
WINAPI_EXPORT BOOL QuorlaIsSpaceUnit(WCHAR c);
