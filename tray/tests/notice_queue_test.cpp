// The queue of notices between the worker and the main window.
#include <gtest/gtest.h>

#include "engine_callback.h"
#include "notice_queue.h"
#include "shopping/reduce_price_item.h"

namespace {

ReducePriceItem* NewItem(DWORD id) {
  auto* item = new ReducePriceItem;
  InitReducePriceItem(item);
  item->Id = id;
  return item;
}

TEST(NoticeQueue, KeepsPriceDropsInOrderAndIgnoresAnythingElse) {
  NoticeQueue queue;
  ReducePriceItem other;
  EXPECT_FALSE(queue.Post(2, &other, 0, 0));
  EXPECT_FALSE(queue.Post(0, &other, 0, 0));
  EXPECT_FALSE(queue.Post(ENGINE_EVENT_PRICE_DROP, nullptr, 0, 0));
  EXPECT_EQ(queue.Size(), 0u);

  EXPECT_TRUE(queue.Post(ENGINE_EVENT_PRICE_DROP, NewItem(1), 7, -8));
  EXPECT_TRUE(queue.Post(ENGINE_EVENT_PRICE_DROP, NewItem(2), 0, 0));
  EXPECT_TRUE(queue.Post(ENGINE_EVENT_PRICE_DROP, NewItem(3), 0, 0));
  EXPECT_EQ(queue.Size(), 3u);

  Notice notice{};
  for (DWORD id = 1; id <= 3; ++id) {
    ASSERT_TRUE(queue.Take(notice));
    EXPECT_EQ(notice.kind, ENGINE_EVENT_PRICE_DROP);
    auto* item = static_cast<ReducePriceItem*>(notice.item);
    EXPECT_EQ(item->Id, id);
    if (id == 1) {
      EXPECT_EQ(notice.a, 7);
      EXPECT_EQ(notice.b, -8);
    }
    delete item;
  }
  EXPECT_FALSE(queue.Take(notice));
}

}  // namespace
