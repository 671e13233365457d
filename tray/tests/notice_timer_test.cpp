// The notice timer: one notice per tick, none while a pop-up is open, and
// stale or implausible notices discarded.
#include <limits>

#include "tray_test_support.h"

namespace {

using namespace tray_test;

class NoticeTimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = SharedManager();
    ASSERT_NE(manager, nullptr);
    manager->Load();  // this test's empty folder
    ASSERT_EQ(manager->GetCount(), 0u);
  }

  // Watches an item and queues a drop notice for it as the worker would:
  // a copy of the listed record with the given prices.
  DWORD Watch(double current, double previous, const std::u16string& url = u"http://rules.localhost/p") {
    ReducePriceItem item = MakeItem(url, current, current, previous);
    return manager->AddItem(&item);
  }
  void QueueNotice(DWORD id, double current, double previous) {
    auto* copy = new ReducePriceItem(Listed(manager, id));
    copy->Id = id;
    copy->CurrentPrice = current;
    copy->PreviousPrice = previous;
    ASSERT_TRUE(context.notices.Post(ENGINE_EVENT_PRICE_DROP, copy, 0, 0));
  }

  TempConfigHome home;
  IReducePriceMgr* manager = nullptr;
  PriceWatchContext context;
  RecordingPopup popup;
  NoticeTimer timer{context, popup};
};

TEST_F(NoticeTimerTest, DiscardsStaleAndImplausibleNotices) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    double current;
    double previous;
    bool itemListed;
    bool withManager;
    bool shown;
  };
  const Case cases[] = {
      {"a drop", 80.0, 100.0, true, true, true},
      {"equal prices", 100.0, 100.0, true, true, true},
      {"a free item", 0.0, 100.0, true, true, true},
      {"current above previous", 12.5, 10.0, true, true, false},
      {"negative current price", -1.0, 100.0, true, true, false},
      {"negative previous price", 5.0, -0.01, true, true, false},
      {"current price NaN", nan, 100.0, true, true, false},
      {"previous price NaN", 80.0, nan, true, true, false},
      {"both NaN", nan, nan, true, true, false},
      {"item no longer listed", 80.0, 100.0, false, true, false},
      {"no manager", 80.0, 100.0, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DWORD id = Watch(c.current, c.previous);
    QueueNotice(id, c.current, c.previous);
    if (!c.itemListed) manager->RemoveItem(id);
    popup.shown.clear();
    timer.OnTick(c.withManager ? manager : nullptr);
    EXPECT_EQ(context.notices.Size(), 0u) << "the notice is taken either way";
    ASSERT_EQ(popup.shown.size(), c.shown ? 1u : 0u);
    ReducePriceItem* listed = nullptr;
    if (c.shown) {
      EXPECT_EQ(popup.shown[0].Id, id);
      EXPECT_EQ(manager->GetItem(id, &listed), E_FAIL) << "a shown item leaves the list";
    } else if (c.itemListed) {
      EXPECT_EQ(manager->GetItem(id, &listed), S_OK) << "a discarded notice leaves its item listed";
    }
    EXPECT_FALSE(timer.Showing());
  }
}

TEST_F(NoticeTimerTest, ThreeDropsAreShownAtThreeTicksOneAtATime) {
  const DWORD ids[] = {Watch(10.0, 20.0, u"http://a/"), Watch(30.0, 40.0, u"http://b/"), Watch(50.0, 60.0, u"http://c/")};
  for (DWORD id : ids) QueueNotice(id, Listed(manager, id).CurrentPrice, Listed(manager, id).PreviousPrice);
  manager->Save();
  const std::string saved = ReadBytes(home.watchList());

  // The timer keeps firing while a pop-up is open: such ticks take nothing.
  std::vector<std::size_t> queuedDuringShow;
  popup.during = [&](const ReducePriceItem&) {
    EXPECT_TRUE(timer.Showing());
    timer.OnTick(manager);
    timer.OnTick(manager);
    queuedDuringShow.push_back(context.notices.Size());
  };
  for (int tick = 0; tick < 3; ++tick) {
    timer.OnTick(manager);
    ASSERT_EQ(popup.shown.size(), static_cast<std::size_t>(tick + 1));
    EXPECT_EQ(popup.shown.back().Id, ids[tick]);
    EXPECT_EQ(manager->GetCount(), static_cast<DWORD>(2 - tick));
  }
  EXPECT_EQ(queuedDuringShow, (std::vector<std::size_t>{2, 1, 0}));
  EXPECT_EQ(std::u16string(popup.shown[1].Url), u"http://b/");
  timer.OnTick(manager);
  EXPECT_EQ(popup.shown.size(), 3u);
  // Removing does not save: the file keeps the items until the program ends.
  EXPECT_EQ(ReadBytes(home.watchList()), saved);
}

TEST_F(NoticeTimerTest, ANoticeFromBeforeAReloadIsDropped) {
  const DWORD id = Watch(80.0, 100.0);
  manager->Save();
  QueueNotice(id, 80.0, 100.0);
  manager->Load();  // renumbers: the same item has a new identifier now
  ASSERT_EQ(manager->GetCount(), 1u);
  ASSERT_NE(Ids(manager)[0], id);
  timer.OnTick(manager);
  EXPECT_TRUE(popup.shown.empty());
  EXPECT_EQ(manager->GetCount(), 1u);
}

}  // namespace
