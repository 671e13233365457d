#pragma once
// CCutPriceList: the watch list's rows, drawn wholly by the program. A press
// on a title or on the row's 查看 opens the item in a new tab of the main
// window; a press on 移除 ends the watch and deletes the row. Rows keep the
// address of their item: identifiers change whenever the list is read again.
#include <map>
#include <vector>

#include "afx/list_ctrl.h"
#include "cut_price_cells.h"
#include "cut_price_head_ctrl.h"
#include "shopping/reduce_price_item.h"
#include "watch_actions.h"

class CCutPriceList : public CListCtrl {
 public:
  explicit CCutPriceList(WatchActions& actions) : actions_(actions) {}

  // Where opened items go.
  void SetMainWindow(CWnd* mainWindow) { mainWindow_ = mainWindow; }
  // The rows, newest first, from the items as they are listed (oldest first).
  void Fill(const std::vector<ReducePriceItem>& items);
  CCutPriceHeadCtrl& Header() { return header_; }
  // The header rectangles by column, as last built (empty before).
  const std::map<int, CRect>& ColumnMap() const { return columns_; }

  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void BuildColumnMap();
  // The action under point; row gets the row it lies on (-1 for none).
  RowAction ActionAt(CPoint point, int* row) const;
  void ChooseCursor(CPoint point);
  const ReducePriceItem* RowItem(int row) const;

  WatchActions& actions_;
  CWnd* mainWindow_ = nullptr;
  CCutPriceHeadCtrl header_;
  std::map<int, CRect> columns_;
  // The listed items by the identifier each row carries as its data.
  std::map<DWORD, ReducePriceItem> rows_;
};
