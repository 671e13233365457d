// The worker's copy and BasePrice write through live records, against the
// main thread removing those records and saving the list, at full speed:
// the program lock keeps every copy whole and every saved record consistent.
// Meant for ThreadSanitizer as much as for the plain build.
#include <atomic>
#include <map>
#include <thread>

#include "price_watch_worker.h"
#include "tray_test_support.h"
#include "win/com.h"

namespace {

using namespace tray_test;

TEST(SharedListRace, WorkerHandOversAgainstRemovalsAndSaves) {
  TempConfigHome home;
  constexpr int kItems = 150;
  std::vector<ReducePriceItem> items;
  for (int i = 0; i < kItems; ++i)
    items.push_back(MakeItem(Wide("http://rules.localhost/" + std::to_string(i)), 80.0, 100.0, 100.0));
  SaveListAsAnotherProgram(home.watchList(), items);

  PriceWatchContext context;
  QueueingCallBack window(context);
  SetEngineCallBack(context, &window);
  IReducePriceMgr* manager = nullptr;
  ASSERT_TRUE(CreateWatchListManager(context, &manager));
  manager->Load();
  manager->Release();
  std::map<DWORD, std::u16string> urls;
  for (DWORD id : Ids(manager)) urls[id] = Listed(manager, id).Url;
  ASSERT_EQ(urls.size(), static_cast<std::size_t>(kItems));

  IReducePriceMgr* own = EnsureWorkerManager(context);
  ASSERT_NE(own, nullptr);
  std::atomic<bool> done{false};
  std::atomic<int> handedOver{0};
  std::atomic<int> passes{0};
  std::thread worker([&] {
    while (!done) {
      for (const auto& [id, url] : urls) handedOver += HandOverPriceDrop(context, own, id);
      ++passes;
      // A check's worth of notices at a time, as the main window takes them.
      while (!done && context.notices.Size() > 0) std::this_thread::yield();
    }
  });

  // The main thread: pop-ups closing one after another, with saves between.
  std::size_t delivered = 0;
  auto check = [&](const std::vector<ReducePriceItem>& copies) {
    for (const ReducePriceItem& copy : copies) {
      ASSERT_EQ(urls.count(copy.Id), 1u);
      EXPECT_EQ(std::u16string(copy.Url), urls[copy.Id]);
      EXPECT_DOUBLE_EQ(copy.CurrentPrice, 80.0);
      EXPECT_TRUE(copy.BasePrice == 100.0 || copy.BasePrice == 80.0) << copy.BasePrice;
      EXPECT_DOUBLE_EQ(copy.PreviousPrice, 100.0);
    }
    delivered += copies.size();
  };
  int saves = 0;
  for (const auto& [id, url] : urls) {
    // Each removal lands in the middle of some pass of the worker's.
    for (const int pass = passes; passes == pass;) {
      check(TakeAll(context));
      std::this_thread::yield();
    }
    RemoveWatchedItem(context, manager, id);
    if (id % 10 == 0) saves += SaveWatchList(context);
  }
  done = true;
  worker.join();
  check(TakeAll(context));
  EXPECT_TRUE(SaveWatchList(context));

  EXPECT_EQ(saves, kItems / 10);
  EXPECT_EQ(manager->GetCount(), 0u);
  EXPECT_FALSE(fs::exists(home.watchList())) << "the emptied list deletes the file";
  EXPECT_EQ(static_cast<std::size_t>(handedOver.load()), delivered);
  EXPECT_GT(delivered, static_cast<std::size_t>(kItems));
}

}  // namespace
