// CMyTabCtrl and the mouse: tabs and close glyphs lit under the pointer,
// a press on a lit close glyph, double clicks.
#include "my_tab_ctrl.h"
#include "start_page.h"
#include "tab_geometry.h"
#include "win/mouse_tracking.h"

void CMyTabCtrl::OnMouseMove(UINT, CPoint point) {
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
  TrackMouseEvent(&track);
  const int count = GetItemCount();
  CRect first;
  if (count == 0 || !GetItemRect(0, &first)) {
    m_pointerTab = -1;
    Default();
    return;
  }
  const int width = first.Width() > 0 ? first.Width() : 1;
  const int index = (point.x - 2) / width;
  if (index < 0 || index >= count) {
    Default();
    return;
  }
  const CRect box(tab_geometry::CloseBox(index, width, first.top, first.bottom));
  const DWORD close = box.PtInRect(point) ? TABSTATE_CLOSEHOT : 0;
  bool changed = false;
  if (index == m_pointerTab) {
    changed = ChangeState(index, TABSTATE_CLOSEHOT, close);
  } else {
    changed = ChangeState(m_pointerTab, TABSTATE_HOT | TABSTATE_CLOSEHOT, 0);
    changed |= ChangeState(index, TABSTATE_CLOSEHOT, close);
    if (index != GetCurSel()) changed |= ChangeState(index, TABSTATE_HOT, TABSTATE_HOT);
    m_pointerTab = index;
  }
  if (changed) Invalidate(FALSE);
  Default();
}

void CMyTabCtrl::OnMouseLeave() {
  if (m_pointerTab < 0) return;
  ChangeState(m_pointerTab, TABSTATE_HOT | TABSTATE_CLOSEHOT, 0);
  Invalidate(FALSE);
  m_pointerTab = -1;
}

void CMyTabCtrl::OnLButtonDown(UINT, CPoint) {
  // A press on a lit close glyph closes its tab and selects nothing.
  if (m_pointerTab >= 0 && (GetItemState(m_pointerTab, TABSTATE_CLOSEHOT) & TABSTATE_CLOSEHOT)) {
    RemoveTab(m_pointerTab);
    return;
  }
  Default();
}

void CMyTabCtrl::OnLButtonDblClk(UINT, CPoint point) {
  TCHITTESTINFO hit{};
  hit.pt = point;
  const int index = HitTest(&hit);
  if (index >= 0) RemoveTab(index);
  else m_owner.OpenUrlInNewTab(kStartPageAddress);
}
