#include "win/com.h"
#include "win/storage_medium.h"
#include "win/urlmon.h"

void ReleaseStgMedium(STGMEDIUM* medium) {
  if (!medium) return;
  if (medium->pUnkForRelease) {
    medium->pUnkForRelease->Release();
  } else {
    switch (medium->tymed) {
      case TYMED_HGLOBAL:
        GlobalFree(medium->hGlobal);
        break;
      case TYMED_FILE:
        CoTaskMemFree(medium->lpszFileName);
        break;
      case TYMED_ISTREAM:
        if (medium->pstm) medium->pstm->Release();
        break;
      default:
        break;
    }
  }
  medium->tymed = TYMED_NULL;
  medium->hGlobal = nullptr;
  medium->pUnkForRelease = nullptr;
}

void ReleaseBindInfo(BINDINFO* info) {
  if (!info) return;
  ULONG size = info->cbSize;
  ReleaseStgMedium(&info->stgmedData);
  CoTaskMemFree(info->szExtraInfo);
  CoTaskMemFree(info->szCustomVerb);
  if (info->pUnk) info->pUnk->Release();
  *info = BINDINFO{};
  info->cbSize = size;
}
