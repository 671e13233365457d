// Items of dialogs and dialog units.
#include "dialog_state.h"
#include "window_table.h"
#include "win/last_error.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

HWND GetDlgItem(HWND dialog, int id) {
  struct Query {
    HWND dialog;
    LONG_PTR id;
  } query{dialog, id};
  auto found = quorla::WindowsWhere(
      [](const quorla::WindowRecord& record, const void* context) {
        auto& q = *static_cast<const Query*>(context);
        return record.parent == q.dialog && (record.style & WS_CHILD) && record.id == q.id;
      },
      &query);
  if (found.empty()) {
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
  }
  // The first made of several with the same identifier.
  HWND first = found.front()->handle;
  for (auto& record : found)
    if (reinterpret_cast<ULONG_PTR>(record->handle) < reinterpret_cast<ULONG_PTR>(first)) first = record->handle;
  return first;
}

int GetDlgCtrlID(HWND hwnd) {
  if (!IsWindow(hwnd)) return 0;
  if (!(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & WS_CHILD)) return 0;
  return static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_ID));
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  auto state = quorla::DialogStateOf(dialog);
  if (!state || !rect) {
    SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = quorla::DialogUnitsToPixels(*rect, state->units);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  quorla::BaseUnits units = quorla::SystemBaseUnits();
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(units.x), static_cast<WORD>(units.y)));
}
