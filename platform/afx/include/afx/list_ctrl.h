#pragma once
// CListCtrl: the layer's list view (win/list_view.h) as a window object.
// An owner-drawn list (LVS_OWNERDRAWFIXED) draws itself: the WM_DRAWITEM
// its parent gets for each row comes back to the list object's DrawItem
// (reflection), whatever the parent's own map says. Notifications of the
// list's header reach the list's own map first (the header's parent is the
// list), then, unhandled, the list's parent.
#include "afx/geometry.h"
#include "afx/header_ctrl.h"
#include "afx/image_list.h"
#include "afx/string.h"
#include "afx/wnd.h"
#include "win/list_view.h"

class CListCtrl : public CWnd {
 public:
  // A child list view with the identifier id.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // The list's header: the object bound to it, else a temporary one.
  CHeaderCtrl* GetHeaderCtrl() const;
  // Sets the list of kind LVSIL_SMALL or LVSIL_NORMAL; the previous one's
  // handle, as a temporary object of this call's making is not kept.
  HIMAGELIST SetImageList(CImageList* images, int kind);
  DWORD GetExtendedStyle() const;
  // The previous extended style.
  DWORD SetExtendedStyle(DWORD style);

  // The new column's index, or -1.
  int InsertColumn(int column, LPCWSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  int GetColumnWidth(int column) const;
  BOOL SetColumnWidth(int column, int width);

  int GetItemCount() const;
  // The new item's index, or -1.
  int InsertItem(const LVITEMW* item);
  int InsertItem(int item, LPCWSTR text);
  BOOL SetItemText(int item, int subItem, LPCWSTR text);
  CString GetItemText(int item, int subItem) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  // 0 for an item that does not exist.
  DWORD_PTR GetItemData(int item) const;
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();

  BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
  BOOL GetSubItemRect(int item, int subItem, int code, CRect& rect) const;
  int HitTest(LVHITTESTINFO* info) const;
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int SubItemHitTest(LVHITTESTINFO* info);
  int GetTopIndex() const;
  int GetCountPerPage() const;
  // Scrolls by size.cy pixels, in whole rows.
  BOOL Scroll(CSize size);

  // Draws one row of an owner-drawn list; nothing here.
  virtual void DrawItem(LPDRAWITEMSTRUCT item);

  DECLARE_MESSAGE_MAP()
};
