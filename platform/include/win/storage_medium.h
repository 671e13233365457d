#pragma once
// Data handed between objects with the medium it lives in (global memory, a
// stream), and who releases it.
#include "win/global_memory.h"
#include "win/stream.h"
#include "win/types.h"

constexpr DWORD TYMED_NULL = 0;
constexpr DWORD TYMED_HGLOBAL = 1;
constexpr DWORD TYMED_FILE = 2;
constexpr DWORD TYMED_ISTREAM = 4;

struct DVTARGETDEVICE;

struct FORMATETC {
  WORD cfFormat;
  DVTARGETDEVICE* ptd;
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;
};

struct STGMEDIUM {
  DWORD tymed;
  union {
    HGLOBAL hGlobal;
    LPWSTR lpszFileName;
    IStream* pstm;
  };
  // When set, releasing the medium releases this object instead of the data.
  IUnknown* pUnkForRelease;
};

// Releases pUnkForRelease if set; otherwise frees the data by its medium
// (GlobalFree, CoTaskMemFree of the name, IStream::Release). Leaves the
// medium TYMED_NULL.
WINAPI_EXPORT void ReleaseStgMedium(STGMEDIUM* medium);
