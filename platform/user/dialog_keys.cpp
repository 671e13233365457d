// A dialog's keys: Esc and Enter end or command it, Tab and the arrow keys
// move the focus between its items.
#include "dialog_navigation.h"
#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/edit.h"
#include "win/input.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

void SendCommandOf(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The dialog's item that holds hwnd (itself, or an ancestor of it).
HWND ItemHolding(HWND dialog, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != dialog) hwnd = GetParent(hwnd);
  return hwnd;
}

LRESULT DialogCodeOf(HWND hwnd, MSG* msg) {
  return SendMessageW(hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
}

// Enter's command: the focused push button's, else the default push
// button's, else IDOK.
int EnterCommand(HWND dialog, HWND focusItem) {
  if (focusItem && (SendMessageW(focusItem, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
    return GetDlgCtrlID(focusItem);
  for (HWND item : quorla::ChildrenInCreationOrder(dialog)) {
    if ((SendMessageW(item, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) && IsWindowEnabled(item))
      return GetDlgCtrlID(item);
  }
  return IDOK;
}

void FocusItem(HWND item, bool selectText) {
  if (!item) return;
  SetFocus(item);
  if (selectText && (SendMessageW(item, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) SendMessageW(item, EM_SETSEL, 0, -1);
}

bool HandleKey(HWND dialog, MSG* msg) {
  const auto key = static_cast<int>(msg->wParam);
  const LRESULT code = msg->hwnd != dialog ? DialogCodeOf(msg->hwnd, msg) : 0;
  if (code & DLGC_WANTMESSAGE) return false;
  HWND item = ItemHolding(dialog, msg->hwnd);
  switch (key) {
    case VK_ESCAPE:
      SendCommandOf(dialog, IDCANCEL);
      return true;
    case VK_RETURN:
      SendCommandOf(dialog, EnterCommand(dialog, item));
      return true;
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      FocusItem(GetNextDlgTabItem(dialog, item, (GetKeyState(VK_SHIFT) & 0x8000) != 0), true);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if (code & DLGC_WANTARROWS) return false;
      HWND next = GetNextDlgGroupItem(dialog, item, key == VK_LEFT || key == VK_UP);
      if (!next || next == item) return true;
      FocusItem(next, false);
      const auto kind = static_cast<DWORD>(GetWindowLongPtrW(next, GWL_STYLE)) & BS_TYPEMASK;
      if ((SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) && kind == BS_AUTORADIOBUTTON)
        SendMessageW(next, BM_CLICK, 0, 0);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

BOOL IsDialogMessageW(HWND dialog, LPMSG msg) {
  if (!dialog || !msg || !msg->hwnd || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN && HandleKey(dialog, msg)) return TRUE;
  TranslateMessage(msg);
  DispatchMessageW(msg);
  return TRUE;
}
