#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "shopping/reduce_price_item.h"

namespace {

TEST(ReducePriceItem, InitZeroesEveryFieldButTheGapAndTheDateLiesLowHalfFirst) {
  ReducePriceItem item;
  std::memset(&item, 0xAB, sizeof item);
  EXPECT_EQ(InitReducePriceItem(&item), &item);
  EXPECT_EQ(item.Id, 0u);
  EXPECT_EQ(item.Reserved0, 0);
  EXPECT_EQ(item.Title[0], 0);
  EXPECT_EQ(item.Url[0], 0);
  EXPECT_EQ(item.SiteName[0], 0);
  EXPECT_EQ(item.CurrentPrice, 0.0);
  EXPECT_FALSE(std::signbit(item.BasePrice));
  EXPECT_EQ(item.AddedTime.dwLowDateTime, 0u);
  EXPECT_EQ(item.AddedTime.dwHighDateTime, 0u);
  // Every byte outside the gap is zero; the gap keeps what it held.
  const auto* bytes = reinterpret_cast<const unsigned char*>(&item);
  for (std::size_t i = 0; i < sizeof item; ++i) {
    bool gap = i >= 5364 && i < 5368;
    EXPECT_EQ(bytes[i], gap ? 0xAB : 0) << "byte " << i;
  }
  EXPECT_EQ(InitReducePriceItem(nullptr), nullptr);
  // The watch date's halves lie low first, after the gap.
  item.AddedTime = {0x11223344u, 0x55667788u};
  EXPECT_EQ(bytes[5368], 0x44);
  EXPECT_EQ(bytes[5372], 0x88);
  EXPECT_EQ(bytes[5375], 0x55);
}

}  // namespace
