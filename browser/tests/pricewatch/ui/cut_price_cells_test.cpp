// The watch-list dialog's cells and what a press or the pointer does where.
#include <gtest/gtest.h>

#include <string>

#include "cut_price_cells.h"
#include "price_watch_test_support.h"
#include "win/time.h"

namespace {

FILETIME LocalDate(WORD year, WORD month, WORD day, WORD hour) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return file;
}

struct TextCase {
  const char* name;
  double current;
  double threshold;
  const char16_t* currentText;
  const char16_t* thresholdText;
};

const TextCase kTexts[] = {
    {"any_drop", 99.0, 99.0, u"99.00元", u"降价就通知"},
    {"equal_to_the_cent", 99.004, 99.0, u"99.00元", u"降价就通知"},
    {"wished_below", 99.0, 88.0, u"99.00元", u"88.00元"},
    {"a_cent_apart", 99.01, 99.0, u"99.01元", u"99.00元"},
};

TEST(CutPriceCells, ReadAsTheListShowsThem) {
  for (const TextCase& c : kTexts) {
    SCOPED_TRACE(c.name);
    ReducePriceItem item = price_watch_test::MakeItem(u"http://127.0.0.1/a", u"一双鞋", c.current);
    item.BasePrice = c.threshold;
    item.AddedTime = LocalDate(2012, 3, 5, 23);
    const auto texts = CutPriceCellTexts(item);
    EXPECT_EQ(std::u16string(texts[kTitleColumn]), u"一双鞋");
    EXPECT_EQ(std::u16string(texts[kSiteColumn]), u"测试商城");
    EXPECT_EQ(std::u16string(texts[kCurrentPriceColumn]), c.currentText);
    EXPECT_EQ(std::u16string(texts[kThresholdColumn]), c.thresholdText);
    EXPECT_EQ(std::u16string(texts[kAddedColumn]), u"2012-3-5");
    EXPECT_EQ(std::u16string(texts[kActionsColumn]), u"移除  查看");
  }
}

struct ActionCase {
  int column;
  int x;
  RowAction action;
};

// Title anywhere; the actions cell: remove at 4 to 28, nothing at 30 to 39,
// view at 40 to 64, both ends inclusive; other columns nothing.
const ActionCase kActions[] = {
    {kTitleColumn, 0, RowAction::kOpen}, {kTitleColumn, 279, RowAction::kOpen}, {kSiteColumn, 10, RowAction::kNone},
    {kCurrentPriceColumn, 10, RowAction::kNone}, {kThresholdColumn, 10, RowAction::kNone},
    {kAddedColumn, 10, RowAction::kNone}, {kActionsColumn, 3, RowAction::kNone},
    {kActionsColumn, 4, RowAction::kRemove}, {kActionsColumn, 16, RowAction::kRemove},
    {kActionsColumn, 28, RowAction::kRemove}, {kActionsColumn, 29, RowAction::kNone},
    {kActionsColumn, 30, RowAction::kNone}, {kActionsColumn, 35, RowAction::kNone},
    {kActionsColumn, 39, RowAction::kNone}, {kActionsColumn, 40, RowAction::kOpen},
    {kActionsColumn, 64, RowAction::kOpen}, {kActionsColumn, 65, RowAction::kNone}, {-1, 10, RowAction::kNone},
};

TEST(CutPriceCells, ActionByColumnAndOffset) {
  for (const ActionCase& c : kActions)
    EXPECT_EQ(RowActionAt(c.column, c.x), c.action) << c.column << " at " << c.x;
}

TEST(CutPriceColumns, AColumnHoldsBothItsEdges) {
  const std::map<int, CRect> columns = {{0, CRect(0, 0, 280, 23)}, {1, CRect(280, 0, 340, 23)}, {2, CRect(340, 0, 430, 23)}};
  const struct {
    int x;
    int column;
  } cases[] = {{-1, -1}, {0, 0}, {279, 0}, {280, 0}, {281, 1}, {340, 1}, {341, 2}, {430, 2}, {431, -1}};
  for (const auto& c : cases) EXPECT_EQ(ColumnAtX(columns, c.x), c.column) << c.x;
  EXPECT_EQ(ColumnAtX({}, 10), -1);
}

}  // namespace
