// Which window a message of the loop goes to before it is dispatched: the
// wheel to the window under the pointer, not to the one with the focus.
#include "main_frame.h"
#include "win/input.h"

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  if (msg->message == WM_MOUSEWHEEL) {
    const POINT screen{GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
    if (const HWND under = ::WindowFromPoint(screen)) ::SendMessageW(under, WM_MOUSEWHEEL, msg->wParam, msg->lParam);
    return TRUE;
  }
  return CWnd::PreTranslateMessage(msg);
}
