#include "cut_price_cells.h"

#include "vxshared/watch_date.h"

const CutPriceColumnSpec kCutPriceColumns[kColumnCount] = {
    {u"商品名称", 280}, {u"来源网站", 60}, {u"当时价格", 90},
    {u"通知价格", 90},  {u"设置时间", 80}, {u"操作", 80},
};

std::array<CString, kColumnCount> CutPriceCellTexts(const ReducePriceItem& item) {
  std::array<CString, kColumnCount> texts;
  texts[kTitleColumn] = item.Title;
  texts[kSiteColumn] = item.SiteName;
  texts[kCurrentPriceColumn].Format(u"%.02f元", item.CurrentPrice);
  texts[kThresholdColumn].Format(u"%.02f元", item.BasePrice);
  if (texts[kThresholdColumn] == texts[kCurrentPriceColumn]) texts[kThresholdColumn] = u"降价就通知";
  WCHAR date[80] = {};
  FormatWatchDate(date, item.AddedTime);
  texts[kAddedColumn] = date;
  texts[kActionsColumn] = u"移除  查看";
  return texts;
}

RowAction RowActionAt(int column, int xInCell) {
  if (column == kTitleColumn) return RowAction::kOpen;
  if (column != kActionsColumn) return RowAction::kNone;
  if (xInCell >= 4 && xInCell <= 28) return RowAction::kRemove;
  if (xInCell >= 40 && xInCell <= 64) return RowAction::kOpen;
  return RowAction::kNone;
}

int ColumnAtX(const std::map<int, CRect>& columns, int x) {
  for (const auto& [column, rect] : columns)
    if (x >= rect.left && x <= rect.right) return column;
  return -1;
}
