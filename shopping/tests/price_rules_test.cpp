// The rule grammar and the price-text rule.
#include "price_path.h"
#include "price_text.h"
#include "test_support.h"

namespace {

using shopping_test::Narrow;

std::string Describe(const std::vector<PathStep>& steps) {
  std::string out;
  for (const PathStep& s : steps) out += "[" + Narrow(s.tag) + "|" + Narrow(s.id) + "|" + Narrow(s.className) + "]";
  return out;
}

TEST(PricePath, Grammar) {
  struct Case {
    const char16_t* rule;
    bool result;
    const char* steps;
  } cases[] = {
      {u"$$tag=div,class_name=price$$tag=strong$$", true, "[div||price][strong||]"},
      {u"tag=div$tag=span", true, "[div||][span||]"},
      {u"$$$$tag=div$$$$", true, "[div||]"},
      {u"  TAG = Div ,  Class_Name = Price Big ,, ID= J_Price  ", true, "[Div|J_Price|Price Big]"},
      {u"tag=span,id=", true, "[span||]"},
      {u"tag=div,tag=span", true, "[div||]"},
      {u"tag=a,href=x=y,other", true, "[a||]"},
      {u"tag=input,id=a=b", true, "[input|a=b|]"},
      {u"id=price", true, ""},                 // a step without tag spoils the rule
      {u"tag=div$$id=x$$tag=span", true, ""},  // so does any later one
      {u"tag=", true, ""},
      {u"  ,, ", true, ""},
      {u"", false, ""},
      {u"$$$$", false, ""},
  };
  for (const Case& c : cases) {
    std::vector<PathStep> steps{PathStep{u"stale", u"", u""}};
    EXPECT_EQ(SplitPricePath(c.rule, steps), c.result) << Narrow(c.rule);
    EXPECT_EQ(Describe(steps), c.steps) << Narrow(c.rule);
  }
  std::vector<PathStep> steps;
  EXPECT_FALSE(SplitPricePath(nullptr, steps));
  PathStep step;
  EXPECT_FALSE(ParsePathStep(u"", step));
  EXPECT_FALSE(ParsePathStep(u"class_name=x", step));
}

TEST(PriceText, FirstNumberOfTheText) {
  struct Case {
    const char16_t* text;
    bool found;
    double price;
  } cases[] = {
      {u"¥1,299.00", true, 1299.0},
      {u"￥ 5999.00", true, 5999.0},
      {u"1,299,000", true, 1299000.0},
      {u"12.00 - 15.00", true, 12.0},  // the first of two numbers
      {u"12.00-15.00", true, 12.0},
      {u"12.0015.00", true, 12.0015},  // one run reads as the runtime reads it
      {u"-5", true, 5.0},
      {u"价格：  88.5元", true, 88.5},
      {u".5", true, 0.5},
      {u"99.", true, 99.0},
      {u"1.2.3", true, 1.2},
      {u"..5", true, 0.0},
      {u"... ¥20", true, 20.0},  // a run of points alone is no number
      {u"...", false, 0.0},
      {u"暂无报价", false, 0.0},
      {u"", false, 0.0},
      {u"¥,", false, 0.0},
      {u"1, 2", true, 1.0},
      {u"１２３", false, 0.0},  // full-width digits are not price characters
  };
  for (const Case& c : cases) {
    double price = -7.0;
    EXPECT_EQ(ParsePriceText(c.text, &price), c.found) << Narrow(c.text);
    EXPECT_DOUBLE_EQ(price, c.found ? c.price : -7.0) << Narrow(c.text);
  }
  EXPECT_FALSE(ParsePriceText(u"12", nullptr));
}

}  // namespace
