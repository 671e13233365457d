#pragma once
// What the watch-list dialog's rows say and what a click or the pointer
// does where: the six cell texts of a watched item, and the actions by
// column and by the x offset inside the cell.
#include <array>
#include <map>

#include "afx/geometry.h"
#include "afx/string.h"
#include "shopping/reduce_price_item.h"

enum CutPriceColumn : int {
  kTitleColumn = 0,
  kSiteColumn = 1,
  kCurrentPriceColumn = 2,
  kThresholdColumn = 3,
  kAddedColumn = 4,
  kActionsColumn = 5,
  kColumnCount = 6
};

struct CutPriceColumnSpec {
  LPCWSTR heading;
  int width;
};
extern const CutPriceColumnSpec kCutPriceColumns[kColumnCount];

// Title, site, current price and threshold ("%.02f元"; the threshold reads
// "降价就通知" when its text is the current price's), the date added and the
// two actions.
std::array<CString, kColumnCount> CutPriceCellTexts(const ReducePriceItem& item);

enum class RowAction { kNone, kOpen, kRemove };
// What a press at x pixels into the cell of column does: the title opens
// the item, the actions cell removes it at 4 to 28 and opens it at 40 to 64.
RowAction RowActionAt(int column, int xInCell);

// The column whose header rectangle holds x, its left and right both
// inclusive (the first from the left); -1 when none does.
int ColumnAtX(const std::map<int, CRect>& columns, int x);
