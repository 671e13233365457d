#include "afx/header_ctrl.h"

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_HEADERW, nullptr, style, rect, parent, id);
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

BOOL CHeaderCtrl::GetItem(int item, HDITEMW* record) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

BOOL CHeaderCtrl::SetItem(int item, HDITEMW* record) {
  return static_cast<BOOL>(SendMessage(HDM_SETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

int CHeaderCtrl::InsertItem(int item, HDITEMW* record) {
  return static_cast<int>(SendMessage(HDM_INSERTITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(record)));
}

BOOL CHeaderCtrl::DeleteItem(int item) {
  return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CHeaderCtrl::GetItemRect(int item, LPRECT rect) const {
  return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* layout) {
  return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout)));
}

int CHeaderCtrl::HitTest(HDHITTESTINFO* info) const {
  return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}
