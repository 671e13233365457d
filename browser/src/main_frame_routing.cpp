// Which window a message of the loop goes to before it is dispatched: the
// wheel to the window under the pointer rather than the one with the focus;
// while the site chooser is open, every mouse message to the chooser, which
// closes on a click anywhere; a mouse message over the tab row to the tab
// strip; Enter in the search box or the address box to the search or the
// navigation.
#include "main_frame.h"
#include "win/input.h"

namespace {

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= 525; }

CPoint MessagePoint(const MSG& msg) { return CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)); }

LPARAM PointParam(CPoint point) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(point.x)), static_cast<WORD>(static_cast<SHORT>(point.y)));
}

}  // namespace

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(msg);
  const UINT message = msg->message;
  if (message == WM_MOUSEWHEEL) {
    if (const HWND under = ::WindowFromPoint(MessagePoint(*msg))) ::SendMessageW(under, WM_MOUSEWHEEL, msg->wParam, msg->lParam);
    return TRUE;
  }
  if (IsMouseMessage(message)) {
    if (m_chooser.m_hWnd && m_chooser.IsWindowVisible()) {
      // Its own messages keep their point; any other's point means nothing
      // to it and is no entry.
      ::SendMessageW(m_chooser.m_hWnd, message, msg->wParam, msg->hwnd == m_chooser.m_hWnd ? msg->lParam : 0);
      return TRUE;
    }
    CPoint stripPoint;
    if (IsForTabRow(*msg, &stripPoint)) {
      ::SendMessageW(m_tabs.m_hWnd, message, msg->wParam, PointParam(stripPoint));
      return TRUE;
    }
  }
  if (message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
    // Only the two boxes take Enter; anywhere else (a page's form, a
    // dialog) it goes on as usual.
    const HWND focus = ::GetFocus();
    if (focus && focus == m_searchBox.m_hWnd) {
      Search();
      return TRUE;
    }
    if (focus && focus == m_addressBox.m_hWnd) {
      GoToAddress();
      return TRUE;
    }
  }
  return CWnd::PreTranslateMessage(msg);
}

// A mouse message goes to the tab strip when its point lies in the strip's
// row of tabs (the strip's width by its tab image's height) and not on the
// home button. Only while no window holds the capture: the window that took
// it (a pressed button, the frame's sizing drag) must see the button come
// up wherever the pointer is. And only for this window's own windows: a
// dialog or a pop-up lying over the row keeps its clicks.
bool CMainFrame::IsForTabRow(const MSG& msg, CPoint* stripPoint) const {
  if (!m_tabs.m_hWnd || msg.hwnd == m_tabs.m_hWnd || ::GetCapture()) return false;
  if (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)) return false;
  CPoint screen = MessagePoint(msg);
  ::ClientToScreen(msg.hwnd, &screen);
  if (m_homeButton.m_hWnd && ::WindowFromPoint(screen) == m_homeButton.m_hWnd) return false;
  CRect row;
  m_tabs.GetClientRect(&row);
  row.bottom = row.top + m_tabs.m_tabImage.m_nFrameHeight;
  CPoint point = screen;
  m_tabs.ScreenToClient(&point);
  if (!row.PtInRect(point)) return false;
  *stripPoint = point;
  return true;
}
