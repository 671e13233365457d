// Pages of browser views through the parse worker, against the deployed
// page parser and the fixture shops on the local server: what is queued,
// what is stored, marked and announced, and what a view that navigated or
// closed during a slow parse gets of it (nothing).
#include <atomic>
#include <mutex>

#include "browser_ids.h"
#include "engine_test_support.h"
#include "shopping/reduce_price_mgr.h"

namespace engine_test {
namespace {

using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;

// A browser view as the engine sees it: an object with its flag.
struct TestView {
  std::atomic<uint8_t> captured{0};
  PriceWatchView Handle() { return {this, &captured}; }
};

class EngineViews : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // A promotion document that comes only when the test lets it.
    server.Route("/promo/held", [this](const HttpRequest&, HttpResponder& out) {
      while (!released.load()) {
        if (!out.Pause(20)) return;
      }
      out.Respond(200, PromotionReply("77.00"), "text/javascript");
    });
    server.ServeStalled("/promo/stalled");
  }

  std::u16string TbPage(const std::string& promotionPath) {
    return TbShopText("120.00", server.Url(promotionPath));
  }
  std::string TbAddress(const std::string& path) { return ShopUrl(server, "tb.localhost", path); }
  std::string RuleAddress(const std::string& path) { return ShopUrl(server, "rules.localhost", path); }

  void Queue(TestView& view, const std::string& url, const std::u16string& html) {
    auto document = shopping_test::LoadDocument(html);
    engine->QueueParse(view.Handle(), Wide(url).c_str(), document.Get());
  }
  size_t PromotionRequests(const std::string& path) {
    size_t n = 0;
    for (const HttpRequest& request : server.Requests()) n += request.path == path;
    return n;
  }
  // Queues a page of the taobao shop whose promotion lookup asks for
  // promotionPath and waits until the parse worker is inside its parse.
  bool QueueAndAwaitLookup(TestView& view, const std::string& url, const std::string& promotionPath) {
    const size_t before = PromotionRequests(promotionPath);
    Queue(view, url, TbPage(promotionPath));
    for (int i = 0; i < 2000 && PromotionRequests(promotionPath) == before; ++i) std::this_thread::sleep_for(10ms);
    return PromotionRequests(promotionPath) > before && engine->WaitingRequests() == 0;
  }
  // Queues a page that parses at once and waits for its announcement: every
  // page queued before it has been handled by then.
  bool Drain() {
    TestView marker;
    Queue(marker, RuleAddress("/marker"), RuleShopText("1.00"));
    auto parsed = mainWindow->AwaitOne(WM_PRICE_PARSED, 20s);
    const bool seen = parsed.size() == 1 && parsed[0].lParam == reinterpret_cast<LPARAM>(&marker);
    engine->ForgetView(&marker);
    return seen;
  }

  // The views the tests queue; like the main window, the test forgets each
  // one before it goes.
  void TearDown() override {
    for (TestView& view : views) engine->ForgetView(&view);
    EngineTest::TearDown();
  }

  std::atomic<bool> released{false};
  TestView views[3];
};

TEST_F(EngineViews, AHundredTicksOfAViewWhileTheParserIsStuckLeaveOneWaitingPage) {
  StartEngine();
  TestView& stuck = views[0];
  TestView& first = views[1];
  TestView& second = views[2];
  ASSERT_TRUE(QueueAndAwaitLookup(stuck, TbAddress("/stuck"), "/promo/stalled"));
  for (int tick = 0; tick < 100; ++tick) Queue(first, RuleAddress("/first"), RuleShopText(std::to_string(tick)));
  EXPECT_EQ(engine->WaitingRequests(), 1u);
  Queue(second, RuleAddress("/second"), RuleShopText("2"));
  EXPECT_EQ(engine->WaitingRequests(), 2u) << "one page per view";
  engine->ForgetView(&first);
  EXPECT_EQ(engine->WaitingRequests(), 1u);
}

TEST_F(EngineViews, AWatchedAddressInAnyLetterCaseIsNeverQueued) {
  StartEngine();
  WatchInFile({MakeItem(Wide(RuleAddress("/phone")), 99.0, 99.0)});
  ReadFileIntoList();
  // The worker is kept inside a parse, so what is queued stays there.
  TestView& stuck = views[0];
  ASSERT_TRUE(QueueAndAwaitLookup(stuck, TbAddress("/stuck"), "/promo/stalled"));

  struct Case {
    const char* name;
    std::string url;
    size_t waiting;
  };
  const Case cases[] = {
      {"the watched address", RuleAddress("/phone"), 0},
      {"in capitals", "HTTP://RULES.LOCALHOST:" + std::to_string(server.Port()) + "/PHONE", 0},
      {"another page of the shop", RuleAddress("/phone2"), 1},
  };
  for (const Case& c : cases) {
    TestView view;
    Queue(view, c.url, RuleShopText("99.00"));
    EXPECT_EQ(engine->WaitingRequests(), c.waiting) << c.name;
    engine->ForgetView(&view);
    EXPECT_EQ(engine->WaitingRequests(), 0u) << c.name;
  }
}

TEST_F(EngineViews, ThreeTicksDuringAParseGiveOneRecordAndOneMessage) {
  StartEngine();
  TestView& view = views[0];
  const std::string url = TbAddress("/item");
  ASSERT_TRUE(QueueAndAwaitLookup(view, url, "/promo/held"));
  for (int tick = 1; tick < 3; ++tick) Queue(view, url, TbPage("/promo/held"));
  EXPECT_EQ(engine->WaitingRequests(), 1u) << "the later tick replaced the earlier";
  released = true;

  auto parsed = mainWindow->AwaitOne(WM_PRICE_PARSED, 20s);
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].lParam, reinterpret_cast<LPARAM>(&view));
  ASSERT_TRUE(Drain());
  EXPECT_TRUE(mainWindow->Take(WM_PRICE_PARSED).empty());
  EXPECT_EQ(PromotionRequests("/promo/held"), 1u) << "the waiting page was dropped unparsed";
  EXPECT_EQ(view.captured.load(), 1);

  ReducePriceItem record;
  InitReducePriceItem(&record);
  ASSERT_TRUE(engine->GetParsedRecord(&view, &record));
  EXPECT_EQ(record.CurrentPrice, 77.0);
  EXPECT_EQ(Narrow(record.Url), url);
  EXPECT_EQ(std::u16string(record.SiteName), u"淘宝测试店");
  EXPECT_EQ(std::u16string(record.Title), u"宝贝");

  engine->ForgetView(&view);
  EXPECT_FALSE(engine->GetParsedRecord(&view, &record));
}

TEST_F(EngineViews, AViewThatNavigatesOrClosesDuringASlowParseGetsNothingOfIt) {
  StartEngine();
  for (const bool closes : {false, true}) {
    SCOPED_TRACE(closes ? "closed" : "navigated");
    released = false;
    auto* view = new TestView;
    ASSERT_TRUE(QueueAndAwaitLookup(*view, TbAddress(closes ? "/closed" : "/navigated"), "/promo/held"));
    // The main window forgets the view on every navigation and before it
    // deletes it.
    engine->ForgetView(view);
    if (closes) delete view;
    released = true;
    ASSERT_TRUE(Drain());

    EXPECT_TRUE(mainWindow->Take(WM_PRICE_PARSED).empty());
    ReducePriceItem record;
    InitReducePriceItem(&record);
    EXPECT_FALSE(engine->GetParsedRecord(view, &record));
    if (!closes) {
      EXPECT_EQ(view->captured.load(), 0) << "the new page may still be offered";
      // Its next page is parsed and offered as usual.
      Queue(*view, RuleAddress("/next"), RuleShopText("5.00"));
      auto parsed = mainWindow->AwaitOne(WM_PRICE_PARSED, 20s);
      ASSERT_EQ(parsed.size(), 1u);
      EXPECT_EQ(parsed[0].lParam, reinterpret_cast<LPARAM>(view));
      engine->ForgetView(view);
      delete view;
    }
  }
}

}  // namespace
}  // namespace engine_test
