// CMyTabCtrl's painting: the whole strip drawn off screen, then copied.
#include "afx/window_dcs.h"
#include "buffered_paint.h"
#include "my_tab_ctrl.h"
#include "tab_geometry.h"

void CMyTabCtrl::OnPaint() {
  CPaintDC screen(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  // The views below the strip paint themselves.
  const int stripHeight = m_backImage.IsNull() ? tab_geometry::kStripHeight : m_backImage.GetHeight();
  if (GetItemCount() > 0) screen.ExcludeClipRect(0, stripHeight, client.right, client.bottom);

  PaintBuffered(screen, client, [&](CDC& memory) { DrawStrip(memory, client); });
}

void CMyTabCtrl::DrawStrip(CDC& dc, const CRect& client) {
  dc.SetBkMode(TRANSPARENT);
  dc.FillSolidRect(&client, RGB(255, 255, 255));
  if (!m_backImage.IsNull()) m_backImage.Draw(dc, 0, 0, client.Width(), m_backImage.GetHeight());
  CFont* previous = m_tabFont.GetSafeHandle() ? dc.SelectObject(&m_tabFont) : nullptr;
  for (int i = 0, count = GetItemCount(); i < count; ++i) DrawTab(dc, i);
  if (previous) dc.SelectObject(previous);
}

void CMyTabCtrl::DrawTab(CDC& dc, int index) {
  CRect rect;
  WCHAR text[256] = {};
  TCITEMW record{};
  record.mask = TCIF_TEXT | TCIF_STATE | TCIF_PARAM;
  record.dwStateMask = TABSTATE_DRAW_MASK;
  record.pszText = text;
  record.cchTextMax = 256;
  if (!GetItemRect(index, &rect) || !GetItem(index, &record)) return;
  const DWORD state = record.dwState;

  // Background: left edge, stretched middle, right edge.
  if (!m_tabImage.IsNull()) {
    const bool selected = (state & TCIS_BUTTONPRESSED) || index == GetCurSel();
    const int first = selected ? 6 : (state & TABSTATE_HOT) ? 3 : 0;
    const int slice = m_tabImage.m_nFrameWidth;
    const int height = m_tabImage.m_nFrameHeight;
    m_tabImage.DrawFrame(dc, first, rect.left, rect.top);
    const int middle = rect.right - 2 * slice - rect.left;
    if (middle > 0) m_tabImage.Draw(dc, rect.left + slice, rect.top, middle, height, (first + 1) * slice, 0, slice, height);
    m_tabImage.DrawFrame(dc, first + 2, rect.right - slice, rect.top);
  }

  if (state & TABSTATE_LOADING) {
    DrawLoadingFrame(dc, rect.left + 8, rect.bottom - 20);
  } else if (state & TABSTATE_ICON) {
    auto* item = reinterpret_cast<TabItem*>(record.lParam);
    if (item) item->icon.Draw(dc, rect.left + 8, rect.bottom - 21, 16, 16);
  }

  if (tab_geometry::ShowsText(rect)) {
    RECT box = tab_geometry::TextBox(rect);
    dc.DrawText(text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }

  if (tab_geometry::ShowsClose(rect) && !m_closeImage.IsNull()) {
    const POINT at = tab_geometry::ClosePlace(rect);
    m_closeImage.DrawFrame(dc, (state & TABSTATE_CLOSEHOT) ? 1 : 0, at.x, at.y);
  }
}

// Each loading tab drawn shows the next frame: the animation moves with
// the paints, which the timer asks for while a tab loads.
void CMyTabCtrl::DrawLoadingFrame(CDC& dc, int x, int y) {
  const int frameWidth = m_loadingImage.m_nFrameWidth;
  const int frames = frameWidth > 0 ? m_loadingImage.GetWidth() / frameWidth : 0;
  if (m_loadingImage.IsNull() || frames <= 0) return;
  if (m_animationFrame >= frames) m_animationFrame = 0;
  m_loadingImage.DrawFrame(dc, m_animationFrame, x, y);
  m_animationFrame = (m_animationFrame + 1) % frames;
}
