#pragma once
// The list view's columns and items, apart from its window: what the
// LVM_* messages about items and texts read and change. Column i shows
// sub-item i.
#include <string>
#include <vector>

#include "win/list_view.h"

namespace quorla {

class ListViewItems {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  int ColumnCount() const { return columns_; }

  // A column is a place for sub-items; the header keeps its text and width.
  // The new column's index (appended when past the end), or -1. Sub-item
  // texts of the columns after it move along with their columns.
  int InsertColumn(int index);

  // The new item's index (appended when index is past the end), or -1 for
  // a negative index or a sub-item other than 0.
  int Insert(const LVITEMW& item);
  // What item.mask names, for item.iItem and item.iSubItem (the lParam and
  // state of sub-item 0 only); false when the item does not exist.
  bool Set(const LVITEMW& item);
  bool Get(LVITEMW& item) const;
  bool SetText(int index, int subItem, LPCWSTR text);
  // Copies into buffer (at most size units with the terminator); the
  // copied length.
  int CopyText(int index, int subItem, LPWSTR buffer, int size) const;
  const std::u16string& Text(int index, int subItem) const;
  LPARAM Param(int index) const { return Has(index) ? rows_[static_cast<size_t>(index)].param : 0; }
  UINT State(int index) const { return Has(index) ? rows_[static_cast<size_t>(index)].state : 0; }
  // Sets the state bits under mask on one item (-1: every item).
  void SetState(int index, UINT mask, UINT state);
  bool Delete(int index);
  void Clear() { rows_.clear(); }

 private:
  struct Row {
    std::vector<std::u16string> texts;  // by sub-item; missing ones are empty
    LPARAM param = 0;
    UINT state = 0;
  };
  static void Apply(Row& to, const LVITEMW& from);

  std::vector<Row> rows_;
  int columns_ = 0;
};

}  // namespace quorla
