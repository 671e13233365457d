// The check worker in simulated time (each of its one-second passes moves
// the scripted clock by a second), against the deployed watch list and the
// fixture shop on the local server: when it checks, how it paces the drops
// it found, what the tray program's mutex does to it, and how it ends.
#include <set>

#include "browser_ids.h"
#include "engine_test_support.h"
#include "shopping/reduce_price_mgr.h"
#include "vxshared/tray_program.h"
#include "wait_until.h"
#include "win/handles.h"
#include "win/mutexes.h"
#include "win/window_state.h"

namespace engine_test {
namespace {

class CheckWorker : public EngineTest {
 protected:
  // Pages of the rule shop showing a price below their items' threshold
  // (routes come before the server starts), then the items in the file
  // (their addresses need the server's port): they drop at every check.
  void ServeDropping(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) server.ServeBody(path, RuleShopPage("80.00"));
    ASSERT_TRUE(server.Start());
    std::vector<ReducePriceItem> items;
    for (const std::string& path : paths) items.push_back(MakeItem(Wide(RuleAddress(path)), 100.0, 100.0));
    WatchInFile(items);
  }
  std::string RuleAddress(const std::string& path) { return ShopUrl(server, "rules.localhost", path); }
  size_t ShopRequests() {
    size_t n = 0;
    for (const auto& request : server.Requests()) n += request.path.rfind("/item", 0) == 0;
    return n;
  }
  // Runs passes one by one, writing down when each drop was handed over.
  struct Handed {
    LONGLONG at;
    DWORD id;
  };
  std::vector<Handed> RunAndCollect(int passes) {
    std::vector<Handed> handed;
    for (int i = 0; i < passes; ++i) {
      EXPECT_TRUE(clock.RunPass());
      for (const auto& message : mainWindow->Take(WM_PRICE_DROP)) {
        EXPECT_EQ(message.lParam, 0);
        handed.push_back({clock.Now(), static_cast<DWORD>(message.wParam)});
      }
    }
    return handed;
  }
  std::set<DWORD> Listed() {
    std::set<DWORD> ids;
    std::vector<DWORD> all(Manager()->GetCount());
    DWORD got = 0;
    if (!all.empty()) Manager()->GetIds(all.data(), static_cast<DWORD>(all.size()), &got);
    ids.insert(all.begin(), all.begin() + got);
    return ids;
  }
};

TEST_F(CheckWorker, TwoDropsAreHandedOverElevenSecondsApartSmallestFirst) {
  ServeDropping({"/item/a", "/item/b"});
  StartEngine();
  ASSERT_TRUE(clock.RunPass());  // the first pass checks: no check was ever made
  EXPECT_EQ(ShopRequests(), 2u);
  ASSERT_EQ(settings.Writes(), std::vector<ULONGLONG>{kStart + 1});
  const std::set<DWORD> dropped = Listed();

  const std::vector<Handed> handed = RunAndCollect(40);
  ASSERT_EQ(handed.size(), 2u);
  EXPECT_LT(handed[0].id, handed[1].id);
  EXPECT_TRUE(dropped.count(handed[0].id) && dropped.count(handed[1].id));
  EXPECT_EQ(handed[0].at, kStart + 2);
  EXPECT_EQ(handed[1].at - handed[0].at, 11);
  ReducePriceItem* item = nullptr;
  ASSERT_EQ(Manager()->GetItem(handed[0].id, &item), S_OK);
  EXPECT_EQ(item->CurrentPrice, 80.0) << "the check's price";
  // Handed out for the pop-up: the checked price, with its identifier after
  // the list was read again.
  ReducePriceItem copy;
  ASSERT_TRUE(engine->CopyWatchItem(handed[0].id, &copy));
  EXPECT_EQ(copy.CurrentPrice, 80.0) << "the price the check found, not the file's";
  EXPECT_EQ(copy.BasePrice, 100.0);
  EXPECT_EQ(Narrow(copy.Url), RuleAddress("/item/a"));
  EXPECT_GT(copy.Id, handed[0].id) << "the list was read again";
  EXPECT_EQ(Manager()->GetItem(copy.Id, &item), S_OK);
}

TEST_F(CheckWorker, NoDropIsHandedOverWhileThePopUpShowsNorWithinElevenSecondsOfIt) {
  ServeDropping({"/item/a", "/item/b"});
  StartEngine();
  ShowWindow(popup->hwnd(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsWindowVisible(popup->hwnd()));
  ASSERT_TRUE(clock.RunPass());
  EXPECT_TRUE(RunAndCollect(30).empty());
  ShowWindow(popup->hwnd(), SW_HIDE);
  const LONGLONG lastSeen = clock.Now();
  const std::vector<Handed> handed = RunAndCollect(30);
  ASSERT_EQ(handed.size(), 2u);
  EXPECT_EQ(handed[0].at - lastSeen, 11);
  EXPECT_EQ(handed[1].at - handed[0].at, 11);
}

TEST_F(CheckWorker, WhileTheTrayProgramRunsNothingIsCheckedAndPendingDropsAreForgotten) {
  ServeDropping({"/item/a", "/item/b"});
  settings.SetCheckTimeLong(1);
  StartEngine();
  ShowWindow(popup->hwnd(), SW_SHOWNOACTIVATE);  // holds the drops back
  ASSERT_TRUE(clock.RunPass());
  ASSERT_EQ(ShopRequests(), 2u);

  HANDLE trayMutex = CreateMutexW(nullptr, FALSE, kTrayMutexName);
  ASSERT_NE(trayMutex, nullptr);
  ShowWindow(popup->hwnd(), SW_HIDE);
  EXPECT_TRUE(RunAndCollect(150).empty()) << "no hand-over while the tray program runs";
  EXPECT_EQ(ShopRequests(), 2u) << "and no check, though the interval passed twice";
  EXPECT_EQ(settings.Writes().size(), 1u);
  CloseHandle(trayMutex);

  // The drops found before are gone; the browser checks again at once, its
  // last check being long ago.
  const std::vector<Handed> handed = RunAndCollect(2);
  EXPECT_EQ(ShopRequests(), 4u);
  ASSERT_EQ(handed.size(), 1u) << "the new check's first drop";
  EXPECT_TRUE(Listed().count(handed[0].id));
}

TEST_F(CheckWorker, TheIntervalIsAtLeastAMinuteFormedIn64BitsFromNoLaterThanNow) {
  struct Case {
    const char* name;
    DWORD minutes;
    ULONGLONG lastCheck;
    std::vector<ULONGLONG> checks;  // after kStart, within 130 passes
  };
  const Case cases[] = {
      {"0 minutes", 0, 0, {1, 61, 121}},
      // In 32 bits the interval would wrap to 44 seconds.
      {"71582789 minutes", 71582789, kStart - 10, {}},
      {"a last check in the future", 1, kStart + 100000, {61, 121}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedClock caseClock(kStart);
    ScriptedSettings caseSettings;
    caseSettings.SetCheckTimeLong(c.minutes);
    caseSettings.SetLastCheckTime(c.lastCheck);
    PriceWatchEngine::Options options;
    options.clock = &caseClock;
    options.settings = &caseSettings;
    auto caseEngine = PriceWatchEngine::Create(options);
    RecordingWindow window;
    caseEngine->SetWindows(window.hwnd(), nullptr);
    ASSERT_TRUE(caseClock.RunPasses(130));
    std::vector<ULONGLONG> checks;
    for (ULONGLONG at : caseSettings.Writes()) checks.push_back(at - kStart);
    EXPECT_EQ(checks, c.checks);
    caseClock.FreeRun();
    EXPECT_TRUE(caseEngine->StopWorkers());
  }
}

TEST_F(CheckWorker, WithoutTheMainWindowNothingIsCheckedOrWritten) {
  ServeDropping({"/item/a"});
  StartEngine(false);
  ASSERT_TRUE(clock.RunPasses(5));
  EXPECT_EQ(ShopRequests(), 0u);
  EXPECT_TRUE(settings.Writes().empty());
}

TEST_F(CheckWorker, AnAddDuringACheckIsKeptAndTheDropsComeWithTheNextCheck) {
  const std::vector<std::string> paths = {"/item/slow1", "/item/slow2"};
  for (const std::string& path : paths) server.ServeSlow(path, RuleShopPage("80.00"), 64, 1000);
  ASSERT_TRUE(server.Start());
  WatchInFile({MakeItem(Wide(RuleAddress(paths[0])), 100.0, 100.0), MakeItem(Wide(RuleAddress(paths[1])), 100.0, 100.0)});
  StartEngine();
  clock.ReleasePass();
  ASSERT_TRUE(quorla_desktop::WaitUntil([&] { return ShopRequests() == 2; }, 20s, 1ms));
  // The user watches items while the pages download (each piece of them
  // comes after a second).
  for (int i = 0; i < 20; ++i) {
    ReducePriceItem record = MakeItem(u"http://rules.localhost/new" + Wide(std::to_string(i)), 10.0);
    EXPECT_TRUE(engine->AddWatch(9.0, &record));
  }
  ASSERT_TRUE(clock.AwaitSleep());
  EXPECT_EQ(UrlsInFile(home.watchList()).size(), 22u);
  // The drops of a check whose list was read again meanwhile come back with
  // the next check; no identifier of the new list is handed over for them.
  const std::vector<Handed> handed = RunAndCollect(30);
  EXPECT_TRUE(handed.empty());
  settings.SetCheckTimeLong(1);
  const std::vector<Handed> next = RunAndCollect(80);
  ASSERT_EQ(next.size(), 2u);
  for (const Handed& each : next) {
    ReducePriceItem* item = nullptr;
    ASSERT_EQ(Manager()->GetItem(each.id, &item), S_OK);
    EXPECT_EQ(item->CurrentPrice, 80.0);
  }
}

TEST_F(CheckWorker, AnItemAnotherProgramRemovedIsNotPoppedUpAfterwards) {
  ServeDropping({"/item/gone", "/item/kept"});
  StartEngine();
  ShowWindow(popup->hwnd(), SW_SHOWNOACTIVATE);  // a notice is up: drops wait
  ASSERT_TRUE(clock.RunPass());
  // The tray program reported and removed the first item meanwhile.
  std::vector<ReducePriceItem> items = ItemsInFile(home.watchList());
  ASSERT_EQ(items.size(), 2u);
  WriteListAsAnotherProgram(home.watchList(), {items[1]});
  ShowWindow(popup->hwnd(), SW_HIDE);

  const std::vector<Handed> handed = RunAndCollect(12);
  ASSERT_FALSE(handed.empty());
  ReducePriceItem copy = MakeItem(u"untouched", 1.0);
  EXPECT_FALSE(engine->CopyWatchItem(handed[0].id, &copy)) << "no pop-up for the removed item";
  EXPECT_EQ(copy.Url, std::u16string(u"untouched"));
}

TEST_F(CheckWorker, StoppingReturnsThoughBothWorkersAreStuckInADownload) {
  server.ServeStalled("/item/stalled");
  server.ServeStalled("/promo/stalled");
  ASSERT_TRUE(server.Start());
  WatchInFile({MakeItem(Wide(RuleAddress("/item/stalled")), 100.0, 100.0)});
  StartEngine();
  clock.ReleasePass();
  ASSERT_TRUE(quorla_desktop::WaitUntil([&] { return ShopRequests() == 1; }, 20s));
  struct TestView {
    std::atomic<uint8_t> captured{0};
  } view;
  auto document = shopping_test::LoadDocument(TbShopText("10.00", server.Url("/promo/stalled")));
  engine->QueueParse({&view, &view.captured}, u"http://tb.localhost/stuck", document.Get());
  ASSERT_TRUE(quorla_desktop::WaitUntil([&] { return server.Requests().size() == 2; }, 20s));
  engine->ForgetView(&view);  // the view may go before the parse ends

  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(engine->StopWorkers()) << "neither worker could end";
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  // The workers keep the engine until their downloads end with the server.
  engine.reset();
  EXPECT_FALSE(watched.expired());
  server.Stop();
  EXPECT_TRUE(EndEngine()) << "the workers ended with their downloads";
}

}  // namespace
}  // namespace engine_test
