#pragma once
// The C runtime's formatting into wide text, as the system uses it: the
// conversions %s (wide text; %S and %hs narrow UTF-8 text), %c, %d, %i, %u,
// %x, %X, %o, %f, %e, %g, %p and %%, with the flags '-', '0', '+' and ' ',
// a width and a precision (either may be '*'), and the size prefixes h, l,
// ll, I64, I32 and z. Numbers are written in the "C" locale whatever locale
// the process has set. A null text argument prints "(null)".
#include <cstdarg>
#include <cstddef>

#include "win/hresult.h"
#include "win/types.h"

// The runtime's counted form: writes at most count units. Returns the number
// of units written without the terminator; when the text does not fit, the
// first count units are written without a terminator and -1 is returned.
WINAPI_EXPORT int _snwprintf(LPWSTR buffer, std::size_t count, LPCWSTR format, ...);
WINAPI_EXPORT int _vsnwprintf(LPWSTR buffer, std::size_t count, LPCWSTR format, va_list args);

// The safe form: the text is always terminated inside size units (cut when
// it does not fit). S_OK, STRSAFE_E_INSUFFICIENT_BUFFER when it was cut,
// STRSAFE_E_INVALID_PARAMETER for a null buffer or a size of 0.
constexpr HRESULT STRSAFE_E_INSUFFICIENT_BUFFER = static_cast<HRESULT>(0x8007007Au);
constexpr HRESULT STRSAFE_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80070057u);
WINAPI_EXPORT HRESULT StringCchPrintfW(LPWSTR buffer, std::size_t size, LPCWSTR format, ...);
WINAPI_EXPORT HRESULT StringCchVPrintfW(LPWSTR buffer, std::size_t size, LPCWSTR format, va_list args);
