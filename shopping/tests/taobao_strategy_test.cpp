// The taobao family's strategy on page documents: the shop block, the
// listed prices, and pages without a price. (Promotion lookups, which
// download, are tested with the price check.)
#include "parse_strategy_taobao.h"
#include "test_support.h"

namespace {

using namespace shopping_test;

std::u16string Block(const std::u16string& className, const std::u16string& inside) {
  return u"<div class=\"" + className + u"\">" + inside + u"</div>";
}

std::u16string Prices(const char16_t* listed, const char16_t* limited = nullptr) {
  std::u16string out = u"<strong id=\"J_StrPrice\">" + std::u16string(listed) + u"</strong>";
  if (limited) out += u"<em id=\"J_SpanLimitProm\">" + std::u16string(limited) + u"</em>";
  return out;
}

// A record with something in every field a successful parse clears.
ReducePriceItem Prepared() {
  ReducePriceItem item = MakeItem(u"http://item.taobao.com/1", 300.0, u"old title");
  item.Id = 4;
  item.BasePrice = 250.0;
  item.PreviousPrice = 310.0;
  item.AddedTime = {1, 2};
  return item;
}

struct PageCase {
  const char* name;
  std::u16string body;
  HRESULT hr;
  double price;
};

TEST(TaoBaoStrategy, PagesTable) {
  const PageCase cases[] = {
      {"lowest listed price", Block(u"tb-wrap", Prices(u"128.00", u"99.00")), S_OK, 99.0},
      {"a range reads its first number", Block(u"tb-wrap", Prices(u"12.00 - 15.00")), S_OK, 12.0},
      {"the new-shop class", Block(u"tb-wrap tb-wrap-newshop", Prices(u"66")), S_OK, 66.0},
      {"class in capitals with blanks", Block(u"  TB-WRAP\t", Prices(u"5.5")), S_OK, 5.5},
      {"prices nested deeper", Block(u"tb-wrap", u"<ul><li><span id=\"j_strprice\">\n 42.10 </span></li></ul>"), S_OK,
       42.1},
      {"a price without a number is replaced by the next",
       Block(u"tb-wrap", Prices(u"暂无", u"30")), S_OK, 30.0},
      {"a later price without a number is no price", Block(u"tb-wrap", Prices(u"50", u"¥9.00")), S_OK, 50.0},
      {"a listed price of 0.00 is a number", Block(u"tb-wrap", Prices(u"0.00")), S_OK, 0.0},
      {"the first of two blocks", Block(u"tb-wrap", Prices(u"10")) + Block(u"tb-wrap", Prices(u"1")), S_OK, 10.0},
      {"prices outside the block do not count", Prices(u"1") + Block(u"tb-wrap", Prices(u"20")), S_OK, 20.0},
      {"both classes on one page", Block(u"tb-wrap", Prices(u"10")) + Block(u"tb-wrap tb-wrap-newshop", Prices(u"9")),
       E_FAIL, 0.0},
      {"no block", Prices(u"10"), E_FAIL, 0.0},
      {"another class", Block(u"tb-wrap other", Prices(u"10")), E_FAIL, 0.0},
      {"a block that is no div", u"<section class=\"tb-wrap\">" + Prices(u"10") + u"</section>", E_FAIL, 0.0},
      {"a block without price elements", Block(u"tb-wrap", u"<p>sold out</p>"), E_FAIL, 0.0},
      {"an empty block", Block(u"tb-wrap", u""), E_FAIL, 0.0},
      {"price texts without any number", Block(u"tb-wrap", Prices(u"¥12.00", u"...")), E_FAIL, 0.0},
      {"promotion data naming no document", Block(u"tb-wrap", u"<i id=\"J_VipPriceData\">{isVip:1}</i>"), E_FAIL,
       0.0},
      {"a blank after the brace hides the address",
       Block(u"tb-wrap", Prices(u"40") + u"<i id=\"J_VipPriceData\">{ promoteUrl:\"http://p/\"}</i>"), S_OK, 40.0},
      {"not HTML at all", u"\x01\x02 {\"price\": 5} \xFFFD", E_FAIL, 0.0},
  };
  CParseStrategyTaoBao strategy;
  for (const PageCase& c : cases) {
    auto document = LoadDocument(c.body);
    ReducePriceItem item = Prepared();
    const ReducePriceItem before = item;
    ASSERT_EQ(strategy.Parse(document.Get(), &item, nullptr), c.hr) << c.name;
    if (c.hr == S_OK) {
      // The whole record is replaced by one holding only the price.
      ReducePriceItem expected{};
      InitReducePriceItem(&expected);
      expected.CurrentPrice = c.price;
      EXPECT_EQ(std::memcmp(&item, &expected, sizeof item), 0) << c.name << ": " << item.CurrentPrice;
    } else {
      EXPECT_EQ(std::memcmp(&item, &before, sizeof item), 0) << c.name;
    }
  }
}

TEST(TaoBaoStrategy, NullArguments) {
  CParseStrategyTaoBao strategy;
  ReducePriceItem item = Prepared();
  EXPECT_EQ(strategy.Parse(nullptr, &item, nullptr), E_FAIL);
  // Without a record the price is found and nothing is written.
  auto document = LoadDocument(Block(u"tb-wrap", Prices(u"3")));
  EXPECT_EQ(strategy.Parse(document.Get(), nullptr, nullptr), S_OK);
  EXPECT_FALSE(strategy.ParseShopDiv(&item, nullptr));
  // The site's rules play no part.
  std::vector<std::u16string> rules{u"$$tag=strong$$"};
  EXPECT_EQ(strategy.Parse(document.Get(), &item, &rules), S_OK);
  EXPECT_EQ(item.CurrentPrice, 3.0);
}

}  // namespace
