// The price check end to end: the deployed Vendrix.dll checks a watch list
// of fixture shop pages served by the local server.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "kernel/binary_buffer.h"
#include "price_check_support.h"

namespace {

using namespace price_check_test;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;
using shopping_test::MakeItem;
using shopping_test::TempConfigHome;

// The identifiers in a check's result buffer.
std::vector<DWORD> Ids(IBinaryBuffer* buffer) {
  std::vector<DWORD> ids;
  if (!buffer) return ids;
  ids.resize(buffer->GetSize() / sizeof(DWORD));
  if (!ids.empty()) std::memcpy(ids.data(), buffer->GetBuffer(), ids.size() * sizeof(DWORD));
  return ids;
}

class CheckPricesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = DeployedManager();
    ASSERT_TRUE(manager);
    ASSERT_EQ(manager->GetCount(), 0u);
  }

  void Start() { ASSERT_TRUE(server.Start()); }

  // Watches the page at host and path with the given threshold.
  DWORD Watch(const std::string& host, const std::string& path, double basePrice, double currentPrice = 500.0) {
    std::u16string url = host.empty() ? u"" : Wide(ShopUrl(server, host, path));
    ReducePriceItem item = MakeItem(url.c_str(), currentPrice, u"watched");
    item.BasePrice = basePrice;
    item.PreviousPrice = 600.0;
    return manager->AddItem(&item);
  }

  ReducePriceItem Listed(DWORD id) {
    ReducePriceItem* item = nullptr;
    EXPECT_EQ(manager->GetItem(id, &item), S_OK);
    return item ? *item : ReducePriceItem{};
  }

  // Runs a check; the identifiers reported, in ascending order (none for
  // E_FAIL or no buffer).
  std::vector<DWORD> Check(HRESULT expected) {
    IBinaryBuffer* dropped = nullptr;
    EXPECT_EQ(manager->CheckPrices(&dropped), expected);
    std::vector<DWORD> ids = Ids(dropped);
    if (dropped) {
      EXPECT_EQ(dropped->GetSize(), ids.size() * sizeof(DWORD));
      dropped->Release();
    }
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  std::size_t RequestsFor(const std::string& path) {
    std::size_t n = 0;
    for (const HttpRequest& request : server.Requests()) n += request.path == path;
    return n;
  }

  TempConfigHome home;
  HttpTestServer server;
  S_COM::ComPtr<IReducePriceMgr> manager;
};

TEST_F(CheckPricesTest, RuleDrivenShopInGbkAndUtf8) {
  server.ServeBody("/gbk", Encode(CP_GBK, RuleShopPage(u"88.00", u"<meta charset=\"gb2312\">")));
  server.ServeBody("/utf8", Encode(CP_UTF8, RuleShopPage(u"77.50", u"<meta charset=utf-8>")));
  server.ServeBody("/plain", Encode(CP_GBK, RuleShopPage(u"66.00")));
  // UTF-8 declared in capitals is read as code page 936, where the rule's
  // Chinese class name is not found: no price.
  server.ServeBody("/upper", Encode(CP_UTF8, RuleShopPage(u"10.00", u"<meta charset=UTF-8>")));
  Start();
  DWORD gbk = Watch("rules.localhost", "/gbk", 100.0);
  DWORD utf8 = Watch("rules.localhost", "/utf8", 100.0);
  DWORD plain = Watch("rules.localhost", "/plain", 50.0);  // 66 is no drop below 50
  Watch("rules.localhost", "/upper", 100.0);

  EXPECT_EQ(Check(S_OK), (std::vector<DWORD>{gbk, utf8}));
  ReducePriceItem item = Listed(gbk);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 88.0);
  // Nothing else of the listed record changes.
  EXPECT_DOUBLE_EQ(item.BasePrice, 100.0);
  EXPECT_DOUBLE_EQ(item.PreviousPrice, 600.0);
  EXPECT_EQ(std::u16string(item.Title), u"watched");
  EXPECT_DOUBLE_EQ(Listed(utf8).CurrentPrice, 77.5);
  EXPECT_DOUBLE_EQ(Listed(plain).CurrentPrice, 500.0);  // no drop: untouched
}

TEST_F(CheckPricesTest, TbWrapShopWithItsPromotionReply) {
  server.ServeBody("/promo", PromotionReply("\"45.00\""), 200, "text/javascript");
  Start();
  server.ServeBody("/tb", Encode(CP_GBK, TbShopPage(u"50.00", server.Url("/promo"))));
  server.ServeBody("/tmall", Encode(CP_GBK, TbShopPage(u"120.00")));
  // Routes may be added until the first request; the server reads them
  // only when a request comes.
  DWORD tb = Watch("tb.localhost", "/tb", 48.0);        // 50 listed, 45 promoted
  DWORD tmall = Watch("tmall.localhost", "/tmall", 130.0);
  EXPECT_EQ(Check(S_OK), (std::vector<DWORD>{tb, tmall}));
  EXPECT_DOUBLE_EQ(Listed(tb).CurrentPrice, 45.0);
  EXPECT_DOUBLE_EQ(Listed(tmall).CurrentPrice, 120.0);
  EXPECT_EQ(RequestsFor("/promo"), 1u);
}

TEST_F(CheckPricesTest, APriceChangedOnTheServerBetweenTwoChecks) {
  std::mutex lock;
  std::u16string price = u"120.00";
  server.Route("/changing", [&](const HttpRequest&, HttpResponder& out) {
    std::lock_guard<std::mutex> guard(lock);
    out.Respond(200, Encode(CP_GBK, RuleShopPage(price)));
  });
  Start();
  DWORD id = Watch("rules.localhost", "/changing", 100.0);
  EXPECT_TRUE(Check(E_FAIL).empty());
  EXPECT_DOUBLE_EQ(Listed(id).CurrentPrice, 500.0);
  {
    std::lock_guard<std::mutex> guard(lock);
    price = u"90.00";
  }
  EXPECT_EQ(Check(S_OK), std::vector<DWORD>{id});
  EXPECT_DOUBLE_EQ(Listed(id).CurrentPrice, 90.0);
  // Reported again while the threshold stays.
  EXPECT_EQ(Check(S_OK), std::vector<DWORD>{id});
  ASSERT_EQ(manager->SetBasePrice(id, 90.0), S_OK);
  EXPECT_TRUE(Check(E_FAIL).empty());
  EXPECT_EQ(RequestsFor("/changing"), 4u);
}

TEST_F(CheckPricesTest, AnItemRemovedWhileItsDownloadRunsIsSkipped) {
  std::mutex lock;
  std::condition_variable changed;
  bool requested = false, removed = false;
  server.Route("/removed", [&](const HttpRequest&, HttpResponder& out) {
    std::unique_lock<std::mutex> guard(lock);
    requested = true;
    changed.notify_all();
    changed.wait_for(guard, std::chrono::seconds(30), [&] { return removed; });
    guard.unlock();
    out.Respond(200, Encode(CP_GBK, RuleShopPage(u"10.00")));
  });
  server.ServeBody("/kept", Encode(CP_GBK, RuleShopPage(u"10.00")));
  Start();
  DWORD gone = Watch("rules.localhost", "/removed", 100.0);
  DWORD kept = Watch("rules.localhost", "/kept", 100.0);

  // The user-interface thread removes the item while the check waits.
  std::thread remover([&] {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait_for(guard, std::chrono::seconds(30), [&] { return requested; });
    manager->RemoveItem(gone);
    removed = true;
    changed.notify_all();
  });
  EXPECT_EQ(Check(S_OK), std::vector<DWORD>{kept});
  remover.join();
  ReducePriceItem* item = nullptr;
  EXPECT_EQ(manager->GetItem(gone, &item), E_FAIL);
  EXPECT_EQ(manager->GetCount(), 1u);
}

TEST_F(CheckPricesTest, UnreachableAndAddresslessItemsGiveNoDrop) {
  server.ServeBody("/good", Encode(CP_GBK, RuleShopPage(u"10.00")));
  Start();
  HttpTestServer closed;  // a port nobody listens on any more
  ASSERT_TRUE(closed.Start());
  std::string unreachable = ShopUrl(closed, "rules.localhost", "/good");
  closed.Stop();

  DWORD noAddress = Watch("", "", 100.0);
  ReducePriceItem item = MakeItem(Wide(unreachable).c_str(), 500.0);
  item.BasePrice = 100.0;
  DWORD lost = manager->AddItem(&item);
  DWORD good = Watch("rules.localhost", "/good", 100.0);
  DWORD unknownShop = Watch("127.0.0.1", "/good", 100.0);  // no site of the table
  EXPECT_EQ(Check(S_OK), std::vector<DWORD>{good});
  EXPECT_DOUBLE_EQ(Listed(noAddress).CurrentPrice, 500.0);
  EXPECT_DOUBLE_EQ(Listed(lost).CurrentPrice, 500.0);
  EXPECT_DOUBLE_EQ(Listed(unknownShop).CurrentPrice, 500.0);
  EXPECT_EQ(RequestsFor("/good"), 2u);
}

TEST_F(CheckPricesTest, NothingToQueueLeavesTheResultAlone) {
  IBinaryBuffer* dropped = nullptr;
  EXPECT_EQ(manager->CheckPrices(&dropped), S_OK);  // an empty list
  EXPECT_EQ(dropped, nullptr);
  Watch("", "", 100.0);
  Watch("", "", 100.0);
  EXPECT_EQ(manager->CheckPrices(&dropped), S_OK);  // no item with an address
  EXPECT_EQ(dropped, nullptr);
  EXPECT_EQ(manager->CheckPrices(nullptr), E_FAIL);
}

TEST_F(CheckPricesTest, ThresholdsTable) {
  struct Case {
    const char16_t* price;
    double basePrice;
    bool drop;
  } cases[] = {
      {u"0.00", 0.0, false},     // a threshold of 0.0 never reports
      {u"3.00", 0.0, false},
      {u"100.00", 100.0, false},  // equal is no drop
      {u"99.99", 100.0, true},   // 0.01 below is
      {u"100.01", 100.0, false},
      {u"0.50", 1.0, true},
  };
  for (std::size_t n = 0; n < std::size(cases); ++n)
    server.ServeBody("/t" + std::to_string(n), Encode(CP_GBK, RuleShopPage(cases[n].price)));
  Start();
  std::vector<DWORD> expected;
  for (std::size_t n = 0; n < std::size(cases); ++n) {
    DWORD id = Watch("rules.localhost", "/t" + std::to_string(n), cases[n].basePrice);
    if (cases[n].drop) expected.push_back(id);
  }
  EXPECT_EQ(Check(S_OK), expected);
}

TEST_F(CheckPricesTest, DropsComeInTheOrderTheirDownloadsCompleted) {
  std::atomic<bool> fastServed{false};
  server.Route("/slow", [&](const HttpRequest&, HttpResponder& out) {
    // Answers well after the other page has been served and read.
    for (int i = 0; i < 300 && !fastServed; ++i) out.Pause(10);
    out.Pause(300);
    out.Respond(200, Encode(CP_GBK, RuleShopPage(u"10.00")));
  });
  server.Route("/fast", [&](const HttpRequest&, HttpResponder& out) {
    out.Respond(200, Encode(CP_GBK, RuleShopPage(u"20.00")));
    fastServed = true;
  });
  Start();
  DWORD slow = Watch("rules.localhost", "/slow", 100.0);  // queued first
  DWORD fast = Watch("rules.localhost", "/fast", 100.0);
  IBinaryBuffer* dropped = nullptr;
  ASSERT_EQ(manager->CheckPrices(&dropped), S_OK);
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(dropped->GetSize(), 8u);
  EXPECT_EQ(Ids(dropped), (std::vector<DWORD>{fast, slow}));
  dropped->Release();
}

// Far more items than the platform's 64 handles a wait could take.
TEST_F(CheckPricesTest, AThousandItemsCheckCompletely) {
  server.Route("/item", [](const HttpRequest& request, HttpResponder& out) {
    int n = std::atoi(request.query.c_str() + 2);  // "n=<number>"
    std::u16string price = n % 10 == 0 ? u"10.00" : u"200.00";  // a tenth dropped
    out.Respond(200, Encode(CP_GBK, RuleShopPage(price)));
  });
  Start();
  std::vector<DWORD> expected;
  for (int n = 0; n < 1000; ++n) {
    DWORD id = Watch("rules.localhost", "/item?n=" + std::to_string(n), 100.0);
    if (n % 10 == 0) expected.push_back(id);
  }
  EXPECT_EQ(Check(S_OK), expected);
  EXPECT_EQ(RequestsFor("/item"), 1000u);
}

TEST_F(CheckPricesTest, BadPagesAndRepliesGiveNoDropAndStopNothing) {
  server.ServeBody("/binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), 200, "image/png");
  server.ServeBody("/text", "price: 1.00\nthis is no HTML at all", 200, "text/plain");
  server.ServeBody("/json", "{\"price\":\"1.00\"}", 200, "application/json");
  std::string page = Encode(CP_GBK, RuleShopPage(u"10.00"));
  server.ServeBody("/truncated", page.substr(0, page.find("<h1>")));  // cut before the price
  server.ServeCutShort("/cut", 100000, 4000);
  server.ServeBody("/empty", "");
  server.ServeBody("/huge", std::string(50u << 20, 'x'));
  server.ServeBody("/promo-number", PromotionReply("45.00"));
  server.ServeBody("/promo-object", PromotionReply("{\"value\":\"45.00\"}"));
  server.ServeBody("/promo-none", "<html>busy</html>");
  server.ServeBody("/good", Encode(CP_GBK, RuleShopPage(u"10.00")));
  Start();
  for (const char* path : {"/binary", "/text", "/json", "/truncated", "/cut", "/empty", "/huge"})
    Watch("rules.localhost", path, 100.0);
  for (const char* promo : {"/promo-number", "/promo-object", "/promo-none"}) {
    std::string path = std::string("/tb") + promo;
    server.ServeBody(path, Encode(CP_GBK, TbShopPage(u"150.00", server.Url(promo))));
    Watch("tb.localhost", path, 100.0);
  }
  DWORD good = Watch("rules.localhost", "/good", 100.0);
  EXPECT_EQ(Check(S_OK), std::vector<DWORD>{good});
}

// The list changes on another thread all through a check, as the
// user-interface thread changes it.
TEST_F(CheckPricesTest, TheListStaysUsableDuringACheck) {
  server.Route("/p", [](const HttpRequest&, HttpResponder& out) {
    out.Pause(20);
    out.Respond(200, Encode(CP_GBK, RuleShopPage(u"10.00")));
  });
  Start();
  std::vector<DWORD> watched;
  for (int n = 0; n < 40; ++n) watched.push_back(Watch("rules.localhost", "/p", 100.0));
  std::atomic<bool> done{false};
  std::thread user([&] {
    int round = 0;
    while (!done) {
      DWORD id = Watch("", "", 1.0);
      manager->SetBasePrice(watched[round % watched.size()], 100.0);
      ReducePriceItem* item = nullptr;
      if (manager->GetItem(id, &item) == S_OK) (void)item->CurrentPrice;
      manager->FindUrl(u"http://nowhere/");
      manager->RemoveItem(id);
      ++round;
    }
  });
  std::vector<DWORD> ids = Check(S_OK);
  done = true;
  user.join();
  EXPECT_EQ(ids, watched);
}

}  // namespace
