#pragma once
// CHeaderCtrl: the layer's header control (win/header_control.h) as a
// window object. A list view makes its own header; a program draws it by
// subclassing that window with an object of a class derived from this one.
#include "afx/wnd.h"
#include "win/header_control.h"

class CHeaderCtrl : public CWnd {
 public:
  // A child header with the identifier id.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetItemCount() const;
  // FALSE for an index without an item.
  BOOL GetItem(int item, HDITEMW* record) const;
  BOOL SetItem(int item, HDITEMW* record);
  // The new item's index, or -1.
  int InsertItem(int item, HDITEMW* record);
  BOOL DeleteItem(int item);
  BOOL GetItemRect(int item, LPRECT rect) const;
  // HDM_LAYOUT, through whatever procedure the control has.
  BOOL Layout(HDLAYOUT* layout);
  int HitTest(HDHITTESTINFO* info) const;
};
