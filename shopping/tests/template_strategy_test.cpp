// The rule-driven strategy against page documents: element search and rules.
#include "element_helpers.h"
#include "parse_strategy_template.h"
#include "test_support.h"

namespace {

using namespace shopping_test;
using S_COM::ComPtr;

const char16_t kPage[] =
    u"<html><head><title>t</title></head><body>"
    u"<div class='price big'><strong>1.00</strong></div>"
    u"<div class='PRICE'><span>x</span><strong>¥1,299.00</strong></div>"
    u"<div class='price'><strong>3.00</strong></div>"
    u"<span id='Quote'>暂无报价</span>"
    u"<span id='Other' class='c'>45.60</span>"
    u"</body></html>";

struct RuleCase {
  std::vector<std::u16string> rules;
  HRESULT hr;
  double price;
};

TEST(TemplateStrategy, RulesInOrderFirstSuccessWins) {
  auto document = LoadDocument(kPage);
  const RuleCase cases[] = {
      {{u"$$tag=div,class_name=price$$tag=strong$$"}, S_OK, 1299.0},
      {{u"$$tag=div$$tag=strong$$"}, S_OK, 1.0},
      {{u"$$tag=p$$", u"$$tag=span,id=other$$"}, S_OK, 45.6},
      {{u"$$tag=span,id=quote$$", u"$$tag=span,class_name=C$$"}, S_OK, 45.6},  // no digit: next rule
      {{u"$$tag=SPAN$$"}, E_FAIL, 0.0},  // the first span holds "x"
      {{u"$$tag=html$$tag=div$$"}, E_FAIL, 0.0},  // the root is not inside itself
      {{u"$$tag=body$$tag=strong$$"}, S_OK, 1.0},
      {{u"$$id=other$$"}, E_FAIL, 0.0},
      {{u"", u"  "}, E_FAIL, 0.0},
      {{}, E_FAIL, 0.0},
  };
  CParseStrategyTemplate strategy;
  for (const RuleCase& c : cases) {
    ReducePriceItem item = MakeItem(u"http://x.com/");
    item.CurrentPrice = -1.0;
    item.BasePrice = 7.0;
    EXPECT_EQ(strategy.Parse(document.Get(), &item, &c.rules), c.hr) << (c.rules.empty() ? "" : Narrow(c.rules[0]));
    EXPECT_DOUBLE_EQ(item.CurrentPrice, c.hr == S_OK ? c.price : -1.0);
    EXPECT_EQ(item.BasePrice, 7.0);  // nothing else is touched
  }
  ReducePriceItem item = MakeItem(u"");
  std::vector<std::u16string> rules{u"$$tag=div$$"};
  EXPECT_EQ(strategy.Parse(nullptr, &item, &rules), E_FAIL);
  EXPECT_EQ(strategy.Parse(document.Get(), nullptr, &rules), E_FAIL);
  EXPECT_EQ(strategy.Parse(document.Get(), &item, nullptr), E_FAIL);
}

TEST(TemplateStrategy, StepSearchMatchesWholeValuesIgnoringCaseAndNullElementsGiveNothing) {
  auto document = LoadDocument(kPage);
  auto document3 = QueryDocument3(document.Get());
  ComPtr<IHTMLElement> root;
  ASSERT_EQ(document3->get_documentElement(root.Put()), S_OK);
  struct Case {
    PathStep step;
    bool found;
    const char16_t* text;
  } cases[] = {
      {{u"div", u"", u"price"}, true, u"x¥1,299.00"},
      {{u"DIV", u"", u"price big"}, true, u"1.00"},
      {{u"div", u"", u"big"}, false, nullptr},
      {{u"span", u"QUOTE", u""}, true, u"暂无报价"},
      {{u"span", u"quote", u"c"}, false, nullptr},
      {{u"strong", u"", u""}, true, u"1.00"},
      {{u"table", u"", u""}, false, nullptr},
  };
  for (const Case& c : cases) {
    ComPtr<IHTMLElement> found;
    EXPECT_EQ(FindStepElement(root.Get(), c.step, found), c.found) << Narrow(c.step.tag);
    if (c.found) {
      EXPECT_EQ(GetElementText(found.Get()), c.text);
    }
  }
  ComPtr<IHTMLElement> found;
  EXPECT_FALSE(FindStepElement(nullptr, PathStep{u"div", u"", u""}, found));
  EXPECT_EQ(GetElementText(nullptr), u"");
  EXPECT_EQ(GetElementId(nullptr), u"");
  EXPECT_EQ(GetElementTagName(nullptr), u"");
  EXPECT_EQ(GetElementClassName(nullptr), u"");
  EXPECT_FALSE(QueryDocument3(nullptr));
}

}  // namespace
