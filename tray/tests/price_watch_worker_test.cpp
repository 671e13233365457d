// The check worker with a scripted clock against the deployed watch list and
// shop pages on the local server: when it checks, what it writes, what it
// hands over, and the browser's two messages.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "http_test_server.h"
#include "price_watch_worker.h"
#include "tray_test_support.h"
#include "win/handles.h"

namespace {

using namespace tray_test;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;

constexpr LONGLONG kStart = 1700000000;

class PriceWatchWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = SharedManager();
    ASSERT_NE(manager, nullptr);
    manager->Load();
    ASSERT_EQ(manager->GetCount(), 0u);
  }
  void TearDown() override { StopWorker(clock, context); }

  // A page of the fixture shop whose price the test may change.
  void ServePrice(const std::string& path, const std::string& price) {
    server.ServeBody(path, ShopPage(price));
  }
  std::u16string ShopUrl(const std::string& path) const {
    return Wide("http://rules.localhost:" + std::to_string(server.Port()) + path);
  }
  DWORD Watch(const std::string& path, double base) {
    ReducePriceItem item = MakeItem(ShopUrl(path), base, base, base);
    return manager->AddItem(&item);
  }
  std::size_t Requests() { return server.Requests().size(); }

  void StartWorker(bool withCallBack = true) {
    if (withCallBack) SetEngineCallBack(context, &callback);
    ASSERT_TRUE(StartPriceWatch(context));
  }

  TempConfigHome home;
  HttpTestServer server;
  ScriptedClock clock{kStart};
  PriceWatchContext context{clock};
  QueueingCallBack callback{context};
  IReducePriceMgr* manager = nullptr;
};

TEST_F(PriceWatchWorkerTest, FirstWakeWithoutALastCheckChecksAndHandsOverEachDrop) {
  ServePrice("/a", "80.00");
  ServePrice("/b", "120.00");
  ServePrice("/c", "50.00");
  ASSERT_TRUE(server.Start());
  const DWORD a = Watch("/a", 100.0);
  Watch("/b", 100.0);  // dearer: no drop
  const DWORD c = Watch("/c", 60.0);
  home.SetSetting(u"CheckTimeLong", u"30");

  StartWorker();
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 3u);
  std::vector<ReducePriceItem> notices = TakeAll(context);
  std::sort(notices.begin(), notices.end(), [](const auto& x, const auto& y) { return x.Id < y.Id; });
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(callback.calls, 2);
  EXPECT_EQ(notices[0].Id, a);
  EXPECT_EQ(notices[1].Id, c);
  // The copy: the new price, the old threshold; the live record: the
  // threshold moved down to the new price, the previous price kept.
  EXPECT_DOUBLE_EQ(notices[0].CurrentPrice, 80.0);
  EXPECT_DOUBLE_EQ(notices[0].BasePrice, 100.0);
  EXPECT_DOUBLE_EQ(notices[0].PreviousPrice, 100.0);
  EXPECT_EQ(std::u16string(notices[1].Url), ShopUrl("/c"));
  const ReducePriceItem live = Listed(manager, a);
  EXPECT_DOUBLE_EQ(live.BasePrice, 80.0);
  EXPECT_DOUBLE_EQ(live.CurrentPrice, 80.0);
  EXPECT_DOUBLE_EQ(live.PreviousPrice, 100.0);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kStart));

  // Every wait is a minute on the worker's own thread handle.
  for (const ScriptedClock::WaitCall& wait : clock.Waits()) {
    EXPECT_EQ(wait.thread, context.thread);
    EXPECT_EQ(wait.milliseconds, 60000u);
  }

  // The next wake comes too early for another check.
  clock.Set(kStart + 1800);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 3u);
  // Once due, the same prices are no drop any more.
  clock.Set(kStart + 1801);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 6u);
  EXPECT_EQ(context.notices.Size(), 0u);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kStart + 1801));
}

TEST_F(PriceWatchWorkerTest, LastCheckTimeIsWrittenAfterTheCheckWhateverItsResult) {
  // The page takes "500 seconds": the time written is the time after it.
  server.Route("/a", [&](const HttpRequest&, HttpResponder& out) {
    clock.Set(clock.Now() + 500);
    out.Respond(200, ShopPage("120.00"));  // no drop: the check fails
  });
  ASSERT_TRUE(server.Start());
  Watch("/a", 100.0);
  home.SetSetting(u"CheckTimeLong", u"30");
  home.SetSetting(u"LastCheckTime", Decimal(kStart - 1801));

  StartWorker();
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 1u);
  EXPECT_EQ(context.notices.Size(), 0u);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kStart + 500));

  // Past 2106 only the low 32 bits are kept.
  clock.Set(0x100000000LL + 77);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 2u);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(77 + 500));
}

TEST_F(PriceWatchWorkerTest, WithoutTheMainWindowNoCheckRunsButTheTimeIsWritten) {
  ServePrice("/a", "80.00");
  ASSERT_TRUE(server.Start());
  Watch("/a", 100.0);
  StartWorker(/*withCallBack=*/false);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 0u);
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kStart));
}

TEST_F(PriceWatchWorkerTest, TheIntervalIsReadAgainOnlyWhenTheBrowserSaysSo) {
  ServePrice("/a", "120.00");
  ASSERT_TRUE(server.Start());
  Watch("/a", 100.0);
  home.SetSetting(u"CheckTimeLong", u"30");
  home.SetSetting(u"LastCheckTime", Decimal(kStart));
  StartWorker();
  ASSERT_TRUE(clock.AwaitWaitsAfter(0)) << "the worker has read its settings";
  clock.Set(kStart + 60);
  home.SetSetting(u"CheckTimeLong", u"0");
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 0u) << "still 30 minutes";
  RequestIntervalReload(context);
  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(Requests(), 1u);
  EXPECT_EQ(context.reloadInterval, 0);
}

TEST_F(PriceWatchWorkerTest, AListChangeAnnouncedDuringACheckIsReloadedAtTheNextWake) {
  // While the check downloads, the browser saves a longer list and says so.
  std::vector<ReducePriceItem> browsersList;
  server.Route("/a", [&](const HttpRequest&, HttpResponder& out) {
    SaveListAsAnotherProgram(home.watchList(), browsersList);
    RequestListReload(context);
    out.Respond(200, ShopPage("80.00"));
  });
  ServePrice("/b", "90.00");
  ASSERT_TRUE(server.Start());
  const DWORD a = Watch("/a", 100.0);
  for (const char* path : {"/a", "/b", "/c"}) browsersList.push_back(MakeItem(ShopUrl(path), 100.0, 100.0, 100.0));

  StartWorker();
  ASSERT_TRUE(clock.Wake());
  ASSERT_EQ(context.notices.Size(), 1u);
  EXPECT_EQ(manager->GetCount(), 1u) << "no reload in the middle of a wake";
  EXPECT_EQ(context.reloadList, 1) << "the message is kept for the next wake";

  ASSERT_TRUE(clock.Wake());
  EXPECT_EQ(context.reloadList, 0);
  const std::vector<DWORD> ids = Ids(manager);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_GT(ids[0], a) << "the reload numbers the items anew";
  EXPECT_EQ(std::u16string(Listed(manager, ids[2]).Url), ShopUrl("/c"));

  // The notice refers to the item by its number from before the reload.
  RecordingPopup popup;
  NoticeTimer timer(context, popup);
  timer.OnTick(manager);
  EXPECT_TRUE(popup.shown.empty());
  EXPECT_EQ(context.notices.Size(), 0u);
  EXPECT_EQ(manager->GetCount(), 3u);
}

TEST_F(PriceWatchWorkerTest, WithoutItsThreadHandleOrTheMainWindowNothingRuns) {
  EXPECT_EQ(PriceWatchLoop(&context), 0u);
  EXPECT_TRUE(clock.Waits().empty());
  EXPECT_EQ(clock.Readings(), 0);
  EXPECT_EQ(RunPriceCheck(&context), 0);
  EXPECT_EQ(context.manager, nullptr) << "nothing was even created";
}

// The end of the program while the worker is in the middle of a check: the
// main window releases the context (no notice reaches it any more, the list
// is saved) and goes away; the process's end, which would kill the worker, is
// left out here, so the worker finishes its check against what is left.
TEST_F(PriceWatchWorkerTest, TheEndDuringACheckLeavesTheWorkerNothingThatIsGone) {
  std::mutex lock;
  std::condition_variable changed;
  bool pageRequested = false;
  bool pageReleased = false;
  server.Route("/a", [&](const HttpRequest&, HttpResponder& out) {
    std::unique_lock<std::mutex> held(lock);
    pageRequested = true;
    changed.notify_all();
    changed.wait(held, [&] { return pageReleased; });
    out.Respond(200, ShopPage("80.00"));
  });
  ASSERT_TRUE(server.Start());
  const DWORD a = Watch("/a", 100.0);
  const DWORD b = Watch("/b", 100.0);
  manager->Save();

  // The main window, on the heap as the program has it; the calls it got are
  // counted outside it, so they can be read after it has gone.
  auto calls = std::make_shared<std::atomic<int>>(0);
  struct Window final : IEngineCallBack {
    explicit Window(std::shared_ptr<std::atomic<int>> calls) : calls(std::move(calls)) {}
    void OnEngineEvent(std::int32_t, void* item, std::int32_t, std::int32_t) override {
      ++*calls;
      delete static_cast<ReducePriceItem*>(item);
    }
    std::shared_ptr<std::atomic<int>> calls;
  };
  auto* window = new Window(calls);
  SetEngineCallBack(context, window);
  StartWorker(/*withCallBack=*/false);
  const std::size_t waits = clock.Release();
  {
    std::unique_lock<std::mutex> held(lock);
    ASSERT_TRUE(changed.wait_for(held, std::chrono::seconds(30), [&] { return pageRequested; }));
  }

  // The window goes: a pop-up had closed on b, then the end.
  RemoveWatchedItem(context, manager, b);
  ReleasePriceWatchContext(context);
  delete window;
  EXPECT_EQ(UrlsInFile(home.watchList()), std::vector<std::u16string>{ShopUrl("/a")});

  {
    std::lock_guard<std::mutex> held(lock);
    pageReleased = true;
    changed.notify_all();
  }
  ASSERT_TRUE(clock.AwaitWaitsAfter(waits)) << "the worker finished its wake";
  EXPECT_EQ(calls->load(), 0);
  EXPECT_EQ(context.notices.Size(), 0u);
  EXPECT_DOUBLE_EQ(Listed(manager, a).BasePrice, 80.0) << "the drop was handled, its copy freed";
  EXPECT_EQ(home.Setting(u"LastCheckTime"), Decimal(kStart));
}

}  // namespace
