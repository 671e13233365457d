#include "afx/tab_ctrl.h"

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_TABCONTROLW, nullptr, style, rect, parent, id);
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }

BOOL CTabCtrl::GetItem(int item, TCITEMW* record) const {
  return static_cast<BOOL>(SendMessage(TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

BOOL CTabCtrl::SetItem(int item, TCITEMW* record) {
  return static_cast<BOOL>(SendMessage(TCM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

int CTabCtrl::InsertItem(int item, TCITEMW* record) {
  return static_cast<int>(SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

int CTabCtrl::InsertItem(int item, LPCWSTR text) { return InsertItem(TCIF_TEXT, item, text, 0, 0); }

int CTabCtrl::InsertItem(UINT mask, int item, LPCWSTR text, int image, LPARAM lParam) {
  TCITEMW record{};
  record.mask = mask;
  record.pszText = const_cast<LPWSTR>(text);
  record.iImage = image;
  record.lParam = lParam;
  return InsertItem(item, &record);
}

BOOL CTabCtrl::DeleteItem(int item) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item))); }

BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }

DWORD CTabCtrl::GetItemState(int item, DWORD mask) const {
  TCITEMW record{};
  record.mask = TCIF_STATE;
  record.dwStateMask = mask;
  return GetItem(item, &record) ? record.dwState : 0;
}

BOOL CTabCtrl::SetItemState(int item, DWORD mask, DWORD state) {
  TCITEMW record{};
  record.mask = TCIF_STATE;
  record.dwState = state;
  record.dwStateMask = mask;
  return SetItem(item, &record);
}

BOOL CTabCtrl::GetItemRect(int item, LPRECT rect) const {
  return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }

int CTabCtrl::SetCurSel(int item) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item))); }

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
  return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

CSize CTabCtrl::SetItemSize(CSize size) {
  const auto previous = static_cast<ULONG_PTR>(SendMessage(
      TCM_SETITEMSIZE, 0, MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy))));
  return CSize(LOWORD(previous), HIWORD(previous));
}

int CTabCtrl::GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }

void CTabCtrl::SetToolTips(CToolTipCtrl* tooltips) {
  SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltips ? tooltips->m_hWnd : nullptr));
}

CToolTipCtrl* CTabCtrl::GetToolTips() const {
  return dynamic_cast<CToolTipCtrl*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS))));
}
