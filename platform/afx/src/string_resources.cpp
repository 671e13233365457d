#include "afx/string.h"
#include "afx/win_app.h"
#include "win/resources.h"

BOOL CStringW::LoadString(UINT id) {
  // Read in place: a buffer of a guessed size would cut long strings.
  const WCHAR* inside = nullptr;
  const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&inside), 0);
  if (!inside || length <= 0) {
    Empty();
    return FALSE;
  }
  text_.assign(inside, static_cast<size_t>(length));
  return TRUE;
}
