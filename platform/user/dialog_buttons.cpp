// Checking a dialog's buttons by identifier.
#include "win/buttons.h"
#include "win/last_error.h"
#include "win/window_objects.h"

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (first > last) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (int id = first; id <= last; ++id) {
    if (HWND item = GetDlgItem(dialog, id))
      SendMessageW(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  return item ? static_cast<UINT>(SendMessageW(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND item = GetDlgItem(dialog, id);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, check, 0);
  return TRUE;
}
