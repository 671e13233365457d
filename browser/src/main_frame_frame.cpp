// The borderless frame: hit zones, sizing cursors, sizing by the edges with
// an outline, the window menu spot, the region, the caption buttons and the
// restore request of a second browser.
#include "browser_ids.h"
#include "main_frame.h"
#include "main_frame_rows.h"
#include "win/menus.h"
#include "win/regions.h"
#include "win/system_metrics.h"

namespace {

constexpr UINT IDP_MAXIMISE_BUTTON = 341;
constexpr UINT IDP_RESTORE_BUTTON = 343;

}  // namespace

int CMainFrame::FrameHitTest(CPoint client) const {
  if (CWnd::GetCapture() == this) return m_drag.active() ? m_drag.code() : m_hitCode;
  CRect box;
  GetClientRect(&box);
  return FrameZoneAt(client, box.Width(), box.Height(), IsZoomed() != FALSE);
}

void CMainFrame::SetSizingCursor(int code) {
  if (LPCWSTR cursor = FrameZoneCursor(code)) ::SetCursor(::LoadCursorW(nullptr, cursor));
}

LRESULT CMainFrame::OnNcHitTest(CPoint screen) {
  CPoint client = screen;
  ScreenToClient(&client);
  return FrameHitTest(client) == kHitCaption ? HTCAPTION : HTCLIENT;
}

BOOL CMainFrame::OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
  if (window != this) return CWnd::OnSetCursor(window, hitTest, message);
  // The zone under the cursor now, not the one of the latest press: the
  // sizing cursor must not stay once the pointer has left an edge.
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  const int code = FrameHitTest(point);
  if (code < 1 || code > kHitBottomRight) return CWnd::OnSetCursor(window, hitTest, message);
  SetSizingCursor(code);
  return TRUE;
}

void CMainFrame::OnLButtonDown(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  if (IsSizingZone(m_hitCode)) m_drag.Begin(m_hWnd, m_hitCode);
  if (m_hitCode == kHitMenuSpot) ShowWindowMenu();
}

void CMainFrame::OnMouseMove(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  CPoint screen = point;
  ClientToScreen(&screen);
  m_drag.Track(screen);
}

void CMainFrame::OnLButtonUp(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  SetSizingCursor(m_hitCode);
  if (CWnd::GetCapture() == this) m_drag.Finish();
  // The search site's icon is drawn, not a window: a click on it opens the
  // site chooser as its button does.
  if (m_siteIcon && RowsPainter(m_images, Metrics()).SiteIconSquare(m_siteIcon->m_nFrameHeight).PtInRect(point))
    SendMessage(WM_COMMAND, ID_SHOW_SITE_CHOOSER, 0);
}

void CMainFrame::OnRButtonDown(UINT, CPoint point) {
  Default();
  m_hitCode = FrameHitTest(point);
  if (m_hitCode == kHitMenuSpot) ShowWindowMenu();
}

void CMainFrame::OnCaptureChanged(CWnd*) {
  Default();
  // A drag ends its own capture only after it has stopped, so a change
  // while it runs means a menu or a pop-up took the mouse away.
  m_drag.Abandon();
}

void CMainFrame::ShowWindowMenu() { SendMessage(WM_SYSCOMMAND, SC_KEYMENU, u' '); }

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
  RECT workArea{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  info->ptMaxSize.x = workArea.right - workArea.left;
  info->ptMaxSize.y = workArea.bottom - workArea.top;
  info->ptMinTrackSize.x = kMinFrameWidth;
  info->ptMinTrackSize.y = kMinFrameHeight;
  Default();
}

void CMainFrame::OnSize(UINT, int cx, int cy) {
  HRGN region = MakeFrameRegion(cx, cy, IsZoomed() != FALSE);
  // The window owns the region from here on.
  if (!SetWindowRgn(region, TRUE)) ::DeleteObject(region);
  Default();
  LayoutChildren();
}

void CMainFrame::OnSysCommand(UINT id, LPARAM) {
  Default();
  const UINT command = id & 0xFFF0;
  const bool zoomed = IsZoomed() != FALSE;
  if (command == SC_RESTORE && !zoomed) {
    m_captionButtons.SetButtonImage(ID_CAPTION_RESTORE, IDP_MAXIMISE_BUTTON, ID_CAPTION_MAXIMIZE);
  } else if (command == SC_MAXIMIZE || (command == SC_RESTORE && zoomed)) {
    m_captionButtons.SetButtonImage(ID_CAPTION_MAXIMIZE, IDP_RESTORE_BUTTON, ID_CAPTION_RESTORE);
  }
}

void CMainFrame::OnCaptionButton(UINT id) {
  switch (id) {
    case ID_CAPTION_MINIMIZE:
      PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case ID_CAPTION_RESTORE:
      PostMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
      break;
    case ID_CAPTION_MAXIMIZE:
      PostMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      break;
    case ID_CAPTION_CLOSE:
      ClosePath();
      break;
    default:
      break;
  }
}

LRESULT CMainFrame::OnRestoreWindow(WPARAM, LPARAM) {
  if (IsIconic()) PostMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  BringWindowToTop();
  return 1;
}
