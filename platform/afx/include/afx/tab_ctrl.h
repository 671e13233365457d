#pragma once
// CTabCtrl: the layer's tab control (win/tab_control.h) as a window object.
// Its TCN_SELCHANGING and TCN_SELCHANGE come back to the control's own
// reflection entries (ON_NOTIFY_REFLECT) before the parent's map sees them.
#include "afx/geometry.h"
#include "afx/tooltip_ctrl.h"
#include "afx/wnd.h"
#include "win/common_controls.h"

class CTabCtrl : public CWnd {
 public:
  // A child tab control with the identifier id.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetItemCount() const;
  // FALSE for an index without an item (state 0, lParam 0, empty text).
  BOOL GetItem(int item, TCITEMW* record) const;
  BOOL SetItem(int item, TCITEMW* record);
  // The new item's index, or -1.
  int InsertItem(int item, TCITEMW* record);
  int InsertItem(int item, LPCWSTR text);
  int InsertItem(UINT mask, int item, LPCWSTR text, int image, LPARAM lParam);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  // The item's state bits under mask (TCIS_BUTTONPRESSED for the selected
  // one); 0 for an index without an item.
  DWORD GetItemState(int item, DWORD mask) const;
  // Writes the state bits under mask; FALSE for an index without an item.
  BOOL SetItemState(int item, DWORD mask, DWORD state);
  BOOL GetItemRect(int item, LPRECT rect) const;
  int GetCurSel() const;
  // Selects without notifying; the previous selection or -1.
  int SetCurSel(int item);
  int HitTest(TCHITTESTINFO* info) const;
  // Every tab's size; returns the previous one.
  CSize SetItemSize(CSize size);
  int GetRowCount() const;

  // The tooltip control whose tools' text requests the control passes on
  // to its parent; null for none.
  void SetToolTips(CToolTipCtrl* tooltips);
  // That control's object; null when none is set or its window has no
  // CToolTipCtrl object of this thread.
  CToolTipCtrl* GetToolTips() const;
};
