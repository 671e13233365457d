#pragma once
// Parts of a URL, as the shell's URL helpers give them.
#include "win/hresult.h"
#include "win/types.h"

constexpr DWORD URL_PART_NONE = 0;
constexpr DWORD URL_PART_SCHEME = 1;
constexpr DWORD URL_PART_HOSTNAME = 2;

// Copies one part of url into out. *size holds the size of out in units; on
// success it receives the length of the part (without the terminator) and
// the result is S_OK. When out is too small, *size receives the size needed
// (terminator included) and the result is E_POINTER. A text that is not a URL
// with a scheme, or one without the part (an empty host name), gives E_FAIL;
// null arguments E_INVALIDARG. Only URL_PART_SCHEME and URL_PART_HOSTNAME are
// offered (others: E_NOTIMPL); flags are not used.
//
// The host name is what follows "scheme://" and an optional "user@", up to
// the port, path, query or fragment; '\' ends it too, as on the platform.
// Its letter case is kept.
WINAPI_EXPORT HRESULT UrlGetPartW(LPCWSTR url, LPWSTR out, DWORD* size, DWORD part, DWORD flags);
