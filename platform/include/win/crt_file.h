#pragma once
// The C runtime's file opening with wide names: the same FILE streams as the
// host's stdio, opened from a system (UTF-16) path.
#include <cstdio>

#include "win/types.h"

// mode as the C runtime takes it ("rb", "wb", "r+b" ...); 't' and 'b' are
// accepted and mean the same on this host. Null on failure, errno set.
WINAPI_EXPORT FILE* _wfopen(LPCWSTR path, LPCWSTR mode);
WINAPI_EXPORT int _wremove(LPCWSTR path);
WINAPI_EXPORT int _wrename(LPCWSTR from, LPCWSTR to);
