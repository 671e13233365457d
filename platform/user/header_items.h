#pragma once
// The header control's items and their geometry, apart from its window:
// what HDM_* messages read and change.
#include <string>
#include <vector>

#include "win/header_control.h"

namespace quorla {

class HeaderItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }

  // The new item's index (appended when index is past the end), or -1.
  int Insert(int index, const HDITEMW& item);
  bool Set(int index, const HDITEMW& item);
  // Fills what item.mask asks; false for an index without an item.
  bool Get(int index, HDITEMW& item) const;
  bool Delete(int index);

  int Width(int index) const { return Has(index) ? items_[static_cast<size_t>(index)].width : 0; }
  const std::u16string& Text(int index) const { return items_[static_cast<size_t>(index)].text; }
  int Format(int index) const { return items_[static_cast<size_t>(index)].format; }
  // The item's left edge: the sum of the widths before it.
  int Left(int index) const;
  // The item whose divider (its right edge) lies within the grip of x, or
  // -1; of several, the last, so that an item dragged to width 0 can be
  // opened again from the right.
  int DividerAt(int x) const;
  // The item under x, or -1.
  int ItemAt(int x) const;

  // How far from a divider a press still grips it.
  static constexpr int kGrip = 4;

 private:
  struct Item {
    std::u16string text;
    int width = 0;
    int format = HDF_LEFT | HDF_STRING;
    LPARAM param = 0;
  };
  static void Apply(Item& to, const HDITEMW& from);

  std::vector<Item> items_;
};

}  // namespace quorla
