// Painting the main window: its frame, rows and boxes and the status bar,
// into one off-screen bitmap copied to the window in one go. The tab strip
// paints itself and the pages below it, so it is kept out.
#include "afx/bitmap.h"
#include "afx/window_dcs.h"
#include "frame_painter.h"
#include "main_frame.h"
#include "main_frame_rows.h"

BOOL CMainFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CMainFrame::OnPaint() {
  CPaintDC dc(this);
  // The strip draws itself and holds the pages.
  if (m_tabs.m_hWnd) {
    CRect strip;
    m_tabs.GetWindowRect(&strip);
    ScreenToClient(&strip);
    dc.ExcludeClipRect(&strip);
  }
  for (CTextLink* link : {&m_settingsLink, &m_feedbackLink})
    if (link->m_hWnd) link->Invalidate();
  const RowMetrics m = Metrics();
  CString title;
  GetWindowText(title);

  CDC canvas;
  CBitmap bitmap;
  if (!canvas.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, m.width, m.height)) return;
  CBitmap* previous = canvas.SelectObject(&bitmap);
  canvas.FillSolidRect(0, 0, m.width, m.height, RGB(255, 255, 255));
  canvas.SetBkMode(TRANSPARENT);
  const FramePainter frame(m_images, m.width, m.height);
  const RowsPainter rows(m_images, m);
  frame.DrawCaption(canvas, title);
  for (CTextLink* link : {&m_settingsLink, &m_feedbackLink}) {
    if (!link->m_hWnd) continue;
    CRect place;
    link->GetWindowRect(&place);
    ScreenToClient(&place);
    link->DrawLink(&canvas, place);
  }
  frame.DrawRows(canvas);
  rows.DrawBoxes(canvas, m_siteIcon, [this](CDC& target, CPoint place) { DrawPageIcon(target, place); });
  frame.DrawStatusBar(canvas);
  rows.DrawStatusText(canvas, m_statusText);
  frame.DrawBorders(canvas);
  dc.BitBlt(0, 0, m.width, m.height, &canvas, 0, 0, SRCCOPY);
  canvas.SelectObject(previous);
}

// The current tab's icon in the address box, as its tab shows it.
void CMainFrame::DrawPageIcon(CDC& dc, CPoint place) {
  if (!m_tabs.m_hWnd) return;
  TabItem* item = m_tabs.GetTabItem(m_tabs.GetCurSel());
  if (item && item->icon.IsValid()) item->icon.Draw(dc.GetSafeHdc(), place.x, place.y, 16, 16);
}

void CMainFrame::SetStatusText(const CString& text) {
  if (text == m_statusText) return;
  m_statusText = text;
  RedrawStatus();
}

// The status bar and the caption are drawn again by the next paint, which
// the loop gives as soon as the messages already queued are handled: pages
// that change their status or title many times a second then cost one paint,
// not one each.
void CMainFrame::RedrawStatus() {
  const RowMetrics m = Metrics();
  CRect bar(0, m.height - m.statusHeight - m.bottomHeight, m.width, m.height);
  InvalidateRect(&bar, FALSE);
}

void CMainFrame::RedrawCaption() {
  CRect caption(0, 0, Metrics().width, m_images.CaptionHeight());
  InvalidateRect(&caption, FALSE);
}
