#pragma once
// The tab control's items, selection and geometry, apart from its window:
// what TCM_* messages read and change.
#include <string>
#include <vector>

#include "win/tab_control.h"

namespace quorla {

class TabItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  int Selected() const { return selected_; }

  // The new item's index (appended when index is past the end), or -1.
  int Insert(int index, const TCITEMW& item);
  bool Set(int index, const TCITEMW& item);
  // Fills what item.mask asks; for an index without an item, fills state 0,
  // lParam 0 and an empty text and returns false.
  bool Get(int index, TCITEMW& item) const;
  bool Delete(int index);
  void Clear();
  // The previous selection; -1 and no change for an index without an item.
  int Select(int index);

  // Returns the previous size.
  SIZE SetItemSize(SIZE size);
  bool Rect(int index, RECT& rect) const;
  // The tab under a client point, or -1.
  int HitTest(POINT point) const;

 private:
  struct Item {
    std::u16string text;
    DWORD state = 0;  // never TCIS_BUTTONPRESSED: that is the selection's
    int image = -1;
    LPARAM param = 0;
  };
  static void Apply(Item& to, const TCITEMW& from);

  std::vector<Item> items_;
  int selected_ = -1;
  SIZE size_{96, 20};
};

}  // namespace quorla
