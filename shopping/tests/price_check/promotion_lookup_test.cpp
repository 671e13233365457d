// The taobao family's strategy with its promotion lookups against the local
// server: replies that give a price, replies that do not, a server that
// never answers and a download queue that refuses the lookup.
#include <atomic>
#include <thread>

#include "parse_strategy_taobao.h"
#include "price_check_support.h"
#include "win/waits.h"

namespace {

using namespace price_check_test;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;
using shopping_test::LoadDocument;

class PromotionLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.ServeBody("/promo/wrapped", PromotionReply("\"88.00\""), 200, "text/javascript");
    server.ServeBody("/promo/plain", "{\"promList\":[{\"policyList\":[{\"promPrice\":\"9.90\"}]}]}");
    server.ServeBody("/promo/number", PromotionReply("88.00"));
    server.ServeBody("/promo/empty-list", "cb({\"promList\":[]})");
    server.ServeBody("/promo/no-json", "<html>系统繁忙</html>");
    server.ServeBody("/promo/broken", "cb({\"promList\":[{\"policyList\":[{\"promPrice\":");
    server.ServeBody("/promo/empty", "");
    server.ServeBody("/promo/gbk", Encode(CP_GBK, u"cb({\"promList\":[{\"policyList\":[{\"promPrice\":\"7.70\"}]}],"
                                                  u"\"title\":\"限时促销\"})"));
    server.ServeCutShort("/promo/cut", 5000, 100);
    server.ServeStalled("/promo/silent");
    ASSERT_TRUE(server.Start());
  }

  // Parses a shop block whose listed price is listed, with promotion data
  // naming path on the server (none when path is empty).
  HRESULT ParseWithPromotion(const std::u16string& listed, const std::string& path, double& price,
                             PromotionLookupSettings settings = PromotionLookupSettings()) {
    std::u16string block = listed.empty() ? u"" : u"<b id=\"J_StrPrice\">" + listed + u"</b>";
    if (!path.empty())
      block += u"<i id=\"J_VipPriceData\">{promoteUrl:\"" + Wide(server.Url(path)) + u"\",isVip:false}</i>";
    auto document = LoadDocument(u"<div class=\"tb-wrap\">" + block + u"</div>");
    ReducePriceItem item = shopping_test::MakeItem(u"http://kept/");
    item.CurrentPrice = -1.0;
    CParseStrategyTaoBao strategy(settings);
    HRESULT hr = strategy.Parse(document.Get(), &item, nullptr);
    price = item.CurrentPrice;
    return hr;
  }

  HttpTestServer server;
};

TEST_F(PromotionLookupTest, RepliesTable) {
  struct Case {
    const char* path;
    const char16_t* listed;
    HRESULT hr;
    double price;
  } cases[] = {
      {"/promo/wrapped", u"50.00", S_OK, 88.0},  // replaces the listed price even when that was lower
      {"/promo/plain", u"50.00", S_OK, 9.9},
      {"/promo/gbk", u"50.00", S_OK, 7.7},        // read in the ANSI code page
      {"/promo/wrapped", u"", S_OK, 88.0},        // the promotion price is the only price
      {"/promo/number", u"50.00", S_OK, 50.0},    // a number is no promotion price
      {"/promo/empty-list", u"50.00", S_OK, 50.0},
      {"/promo/no-json", u"50.00", S_OK, 50.0},
      {"/promo/broken", u"50.00", S_OK, 50.0},
      {"/promo/empty", u"50.00", S_OK, 50.0},     // an empty body is a failed download
      {"/promo/cut", u"50.00", S_OK, 50.0},
      {"/promo/missing", u"50.00", S_OK, 50.0},   // a 404 page holds no JSON
      {"/promo/number", u"", E_FAIL, -1.0},       // no price at all
      {"/promo/no-json", u"¥50", E_FAIL, -1.0},
  };
  for (const Case& c : cases) {
    double price = 0.0;
    EXPECT_EQ(ParseWithPromotion(c.listed, c.path, price), c.hr) << c.path;
    EXPECT_DOUBLE_EQ(price, c.price) << c.path;
  }
}

TEST_F(PromotionLookupTest, PricesAfterThePromotionDataLowerItFurther) {
  auto document = LoadDocument(u"<div class=\"tb-wrap\"><b id=\"J_StrPrice\">60</b><i id=\"J_VipPriceData\">"
                               u"{promoteUrl:\"" + Wide(server.Url("/promo/wrapped")) + u"\"}</i>"
                               u"<b id=\"J_SpanLimitProm\">70</b><b id=\"J_SpanLimitProm\">20</b></div>");
  ReducePriceItem item = shopping_test::MakeItem(u"");
  CParseStrategyTaoBao strategy;
  ASSERT_EQ(strategy.Parse(document.Get(), &item, nullptr), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 20.0);  // 88 from the reply, then 70 is not lower, 20 is
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].method, "GET");
}

// The server takes the request and never answers: the lookup gives up after
// its bound with the listed price, and the download that ends later (when
// the server stops) sets an event that is still valid.
TEST_F(PromotionLookupTest, ASilentServerEndsTheLookupAtItsBound) {
  PromotionLookupSettings settings;
  settings.waitMs = 300;
  double price = 0.0;
  EXPECT_EQ(ParseWithPromotion(u"50.00", "/promo/silent", price, settings), S_OK);
  EXPECT_DOUBLE_EQ(price, 50.0);
  server.Stop();  // the stalled download fails now, after the lookup gave up
  // The same queue still serves later lookups.
  HttpTestServer again;
  again.ServeBody("/p", PromotionReply("\"1.5\""));
  ASSERT_TRUE(again.Start());
  auto document = LoadDocument(u"<div class=\"tb-wrap\"><i id=\"J_VipPriceData\">{promoteUrl:\"" +
                               Wide(again.Url("/p")) + u"\"}</i></div>");
  ReducePriceItem item = shopping_test::MakeItem(u"");
  CParseStrategyTaoBao strategy;
  ASSERT_EQ(strategy.Parse(document.Get(), &item, nullptr), S_OK);
  EXPECT_DOUBLE_EQ(item.CurrentPrice, 1.5);
}

// A download queue that refuses every request.
class RefusingDownload final : public IHttpDownload {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  bool PostToFile(LPCWSTR, const void*, int, LPCWSTR, IFAsyncResult*) override { return false; }
  bool GetToFile(LPCWSTR, LPCWSTR, IFAsyncResult*) override { return false; }
  bool PostToBuffer(LPCWSTR, const void*, int, IFAsyncResult*) override { return false; }
  bool GetToBuffer(LPCWSTR url, IFAsyncResult* result) override {
    ++calls;
    lastUrl = url;
    return false;
  }
  static inline std::atomic<int> calls{0};
  static inline std::u16string lastUrl;
};

HRESULT MakeRefusingDownload(IHttpDownload** out) {
  static RefusingDownload download;
  *out = &download;
  return S_OK;
}

HRESULT FailToMakeDownload(IHttpDownload**) { return E_FAIL; }

// With the shipped 30-minute bound: a lookup that cannot be queued, or has
// no queue at all, must not wait (the test would hang if it did).
TEST_F(PromotionLookupTest, ALookupThatCannotBeQueuedReturnsAtOnce) {
  PromotionLookupSettings settings;
  ASSERT_EQ(settings.waitMs, 1800000u);
  settings.createDownload = MakeRefusingDownload;
  double price = 0.0;
  EXPECT_EQ(ParseWithPromotion(u"50.00", "/promo/wrapped", price, settings), S_OK);
  EXPECT_DOUBLE_EQ(price, 50.0);
  EXPECT_EQ(RefusingDownload::calls.load(), 1);
  EXPECT_EQ(RefusingDownload::lastUrl, Wide(server.Url("/promo/wrapped")));

  settings.createDownload = FailToMakeDownload;
  EXPECT_EQ(ParseWithPromotion(u"50.00", "/promo/wrapped", price, settings), S_OK);
  EXPECT_DOUBLE_EQ(price, 50.0);
  EXPECT_EQ(ParseWithPromotion(u"", "/promo/wrapped", price, settings), E_FAIL);
  EXPECT_TRUE(server.Requests().empty());
}

// Several threads look promotions up at once through the one queue.
TEST_F(PromotionLookupTest, ConcurrentLookups) {
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 5; ++i) {
        double price = 0.0;
        if (ParseWithPromotion(u"50", "/promo/plain", price) != S_OK || price != 9.9) ++wrong;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(server.Requests().size(), 20u);
}

}  // namespace
