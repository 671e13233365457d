#include "afx/list_ctrl.h"

#include "temporary_objects.h"

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  auto header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  if (!header) return nullptr;
  if (CWnd* bound = FromHandlePermanent(header)) return dynamic_cast<CHeaderCtrl*>(bound);
  return quorla::afx::TemporaryFor<CHeaderCtrl>(header, [](CHeaderCtrl& object, HWND handle) { object.m_hWnd = handle; });
}

HIMAGELIST CListCtrl::SetImageList(CImageList* images, int kind) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                                  reinterpret_cast<LPARAM>(images ? images->m_hImageList : nullptr)));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem) {
  LVCOLUMNW record{};
  record.mask = LVCF_FMT | LVCF_TEXT;
  record.fmt = format;
  record.pszText = const_cast<LPWSTR>(heading);
  if (width >= 0) {
    record.mask |= LVCF_WIDTH;
    record.cx = width;
  }
  if (subItem >= 0) {
    record.mask |= LVCF_SUBITEM;
    record.iSubItem = subItem;
  }
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record)));
}

int CListCtrl::GetColumnWidth(int column) const {
  return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

int CListCtrl::InsertItem(const LVITEMW* item) {
  return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}

int CListCtrl::InsertItem(int item, LPCWSTR text) {
  LVITEMW record{};
  record.mask = LVIF_TEXT;
  record.iItem = item;
  record.pszText = const_cast<LPWSTR>(text);
  return InsertItem(&record);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text) {
  LVITEMW record{};
  record.iSubItem = subItem;
  record.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  // Grows the buffer until the text fits with room to spare.
  for (int size = 256;; size *= 4) {
    std::u16string buffer(static_cast<size_t>(size), u'\0');
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = buffer.data();
    record.cchTextMax = size;
    const auto length = static_cast<int>(
        SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record)));
    if (length < size - 1) return CString(buffer.c_str(), length);
  }
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEMW record{};
  record.mask = LVIF_PARAM;
  record.iItem = item;
  record.lParam = static_cast<LPARAM>(data);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&record)));
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEMW record{};
  record.mask = LVIF_PARAM;
  record.iItem = item;
  return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record)) ? static_cast<DWORD_PTR>(record.lParam) : 0;
}

BOOL CListCtrl::DeleteItem(int item) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
  if (!rect) return FALSE;
  rect->left = static_cast<LONG>(code);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int code, CRect& rect) const {
  RECT record{code, subItem, 0, 0};
  if (!SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record))) return FALSE;
  rect = record;
  return TRUE;
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const {
  return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info{};
  info.pt = point;
  const int item = HitTest(&info);
  if (flags) *flags = info.flags;
  return item;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) {
  return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::Scroll(CSize size) {
  return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), static_cast<LPARAM>(size.cy)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
