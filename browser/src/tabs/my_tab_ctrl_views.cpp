// CMyTabCtrl's views: found by tab, shown and hidden with the selection,
// kept below the tab row.
#include "my_tab_ctrl.h"

int CMyTabCtrl::FindTabByView(CWnd* view) const {
  for (int i = 0, count = GetItemCount(); i < count; ++i) {
    const TabItem* item = GetTabItem(i);
    if (item && item->view == view) return i;
  }
  return -1;
}

void CMyTabCtrl::ShowTabView(int index, int command) {
  TabItem* item = GetTabItem(index);
  if (!item) return;
  m_lastShownTab = GetCurSel();
  if (item->view && item->view->m_hWnd) item->view->ShowWindow(command);
}

TabItem* CMyTabCtrl::GetTabItem(int index) const {
  TCITEMW record{};
  record.mask = TCIF_PARAM;
  return GetItem(index, &record) ? reinterpret_cast<TabItem*>(record.lParam) : nullptr;
}

CWnd* CMyTabCtrl::GetTabView(int index) const {
  const TabItem* item = GetTabItem(index);
  return item ? item->view : nullptr;
}

void CMyTabCtrl::PlaceViews() {
  for (int i = 0, count = GetItemCount(); i < count; ++i) PlaceView(i);
}

void CMyTabCtrl::PlaceView(int index) {
  CWnd* view = GetTabView(index);
  CRect first;
  if (!view || !view->m_hWnd || !GetItemRect(0, &first)) return;
  CRect area;
  GetClientRect(&area);
  area.top = first.bottom + 1;
  view->MoveWindow(&area, TRUE);
}
