// The shipped site table: every shop of it, and each rule against a page
// built the way the rule expects that shop's product pages to look.
#include "page_parser.h"
#include "test_support.h"

namespace {

using namespace shopping_test;

PageParser ShippedParser() {
  SiteTable table;
  EXPECT_TRUE(table.LoadFile(std::string(QUORLA_SOURCE_DIR) + "/config/domainList.xml"));
  return PageParser(std::move(table));
}

TEST(ShippedSiteTable, ListsTheShopsWithTheirStrategies) {
  PageParser parser = ShippedParser();
  struct Shop {
    const char16_t* key;
    const char16_t* name;
    int type;
  } shops[] = {
      {u"taobao.com", u"淘宝网", 1}, {u"tmall.com", u"天猫", 2},     {u"jd.com", u"京东", 0},
      {u"dangdang.com", u"当当", 0}, {u"suning.com", u"苏宁易购", 0}, {u"amazon.cn", u"亚马逊中国", 0},
      {u"vip.com", u"唯品会", 0},    {u"yhd.com", u"1号店", 0},      {u"gome.com.cn", u"国美", 0},
  };
  EXPECT_EQ(parser.Sites().size(), std::size(shops));
  for (const Shop& s : shops) {
    const DomainInfo* site = parser.Sites().Find(s.key);
    ASSERT_NE(site, nullptr) << Narrow(s.key);
    EXPECT_EQ(site->name, s.name);
    EXPECT_EQ(site->type, s.type);
    EXPECT_EQ(site->rules.empty(), s.type != 0) << Narrow(s.key);
  }
}

struct Fixture {
  const char* rule;  // which rule the page exercises
  const char16_t* url;
  std::u16string page;
  double price;
};

std::u16string Page(const std::u16string& body) {
  return u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>商品</title>"
         u"<script>var pageConfig = {price: '<span class=\"p-price\">0.01</span>'};</script></head><body>"
         u"<div class=\"header\"><span class=\"price\">9.99</span></div>" +
         body + u"</body></html>";
}

TEST(ShippedSiteTable, EveryRuleReadsItsShopsPage) {
  PageParser parser = ShippedParser();
  const Fixture fixtures[] = {
      {"jd p-price", u"https://item.jd.com/100012043978.html",
       Page(u"<div class=\"summary-price J-summary-price\"><div class=\"dd\"><span class=\"p-price\">"
            u"<span>￥</span><span class=\"price J-p-100012043978\">5999.00</span></span></div></div>"),
       5999.0},
      {"jd jd-price", u"http://item.jd.com/1.html",
       Page(u"<ul id=\"summary\"><li><div class=\"dd\"><strong id=\"jd-price\">￥2,899.00</strong></div></li></ul>"),
       2899.0},
      {"dangdang dd-price", u"http://product.dangdang.com/23761145.html",
       Page(u"<div class=\"price_d\"><p id=\"dd-price\"><span class=\"yen\">¥</span>59.50</p></div>"), 59.5},
      {"dangdang salePriceTag", u"http://product.dangdang.com/1.html",
       Page(u"<div class=\"price_d\">当当价<span id=\"salePriceTag\">¥35.80</span></div>"), 35.8},
      {"suning mainprice", u"https://product.suning.com/0000000000/10624524563.html",
       Page(u"<dl class=\"proinfo-main\"><dd><span class=\"mainprice\">¥<i>1299</i>.00</span></dd></dl>"), 1299.0},
      {"suning promotionPrice", u"http://product.suning.com/1.html",
       Page(u"<div class=\"price\"><span id=\"promotionPrice\">¥ 4,399.00</span></div>"), 4399.0},
      {"amazon dealprice", u"https://www.amazon.cn/dp/B07G2W5Z3M",
       Page(u"<table><tr><td>秒杀价:</td><td><span id=\"priceblock_dealprice\" class=\"a-size-medium a-color-price\">"
            u"￥139.00</span></td></tr><tr><td><span id=\"priceblock_ourprice\">￥199.00</span></td></tr></table>"),
       139.0},
      {"amazon ourprice", u"https://www.amazon.cn/dp/B01",
       Page(u"<span id=\"priceblock_ourprice\" class=\"a-size-medium a-color-price\">￥1,088.00</span>"), 1088.0},
      {"amazon core price", u"https://www.amazon.cn/dp/B02",
       Page(u"<div id=\"corePrice_feature_div\"><span class=\"a-price\"><span class=\"a-offscreen\">￥79.90</span>"
            u"<span aria-hidden=\"true\">￥79<span class=\"a-price-decimal\">.</span>90</span></span></div>"),
       79.9},
      {"vip sp-price", u"https://detail.vip.com/detail-1234-5678.html",
       Page(u"<div class=\"pi-price-box\"><span class=\"sp-price\">199</span><del class=\"marketPrice\">599</del></div>"),
       199.0},
      {"vip J-price", u"https://detail.vip.com/detail-1-2.html",
       Page(u"<div class=\"price\">¥<em class=\"J-price\">89.00</em></div>"), 89.0},
      {"yhd current_price", u"http://item.yhd.com/12345.html",
       Page(u"<div class=\"mod_price\">¥<span id=\"current_price\">25.90</span></div>"), 25.9},
      {"gome prdPrice", u"https://item.gome.com.cn/9140141034-1130598282.html",
       Page(u"<div class=\"price-wrap\"><span class=\"price\" id=\"prdPrice\">¥3599.00</span></div>"), 3599.0},
  };
  for (const Fixture& f : fixtures) {
    ReducePriceItem item = MakeItem(u"");
    ASSERT_EQ(parser.ParseHtml(f.page.c_str(), f.url, &item), S_OK) << f.rule;
    EXPECT_DOUBLE_EQ(item.CurrentPrice, f.price) << f.rule;
    EXPECT_EQ(std::u16string(item.Title), u"商品") << f.rule;
  }
}

TEST(ShippedSiteTable, PagesWhosePriceIsFilledByScriptGiveNoPrice) {
  PageParser parser = ShippedParser();
  // Before the script runs, the price element holds nothing to read.
  std::u16string page = Page(u"<span class=\"p-price\"><span>￥</span><span class=\"price J-p-1\"></span></span>");
  ReducePriceItem item = MakeItem(u"");
  EXPECT_EQ(parser.ParseHtml(page.c_str(), u"https://item.jd.com/1.html", &item), E_FAIL);
}

}  // namespace
