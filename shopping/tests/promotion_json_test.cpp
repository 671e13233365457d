// The promotion document: the members and their types, what follows the
// value, and replies that are no JSON at all.
#include <cmath>

#include "promotion_json.h"
#include "test_support.h"

namespace {

using shopping_test::Narrow;

constexpr double kKept = 7.5;  // the price before the reply is read

std::u16string Wrap(const std::u16string& policy) {
  return u"{\"promList\":[{\"policyList\":[" + policy + u"]}]}";
}

TEST(PromotionJson, MembersAndTheirTypes) {
  struct Case {
    std::u16string reply;
    bool result;
    double price;  // kKept when nothing is written
    bool gavePrice;
  } cases[] = {
      {Wrap(u"{\"promPrice\":\"88.00\"}"), true, 88.0, true},
      {Wrap(u"{\"promPrice\":\" 12.5 元\"}"), true, 12.5, true},
      {Wrap(u"{\"promPrice\":\"\\u0031\\u0039.9\"}"), true, 19.9, true},
      {Wrap(u"{\"promPrice\":\"¥5\"}"), true, kKept, false},   // no leading number: no price
      {Wrap(u"{\"promPrice\":true}"), true, kKept, false},     // read as the word "true": no price
      {Wrap(u"{\"promPrice\":\"\"}"), true, kKept, false},   // empty: nothing written
      {Wrap(u"{\"promPrice\":null}"), true, kKept, false},
      {Wrap(u"{\"other\":\"1\"}"), true, kKept, false},      // missing reads as empty
      {Wrap(u"{\"promPrice\":88.0}"), false, kKept, false},  // a number is no price text
      {Wrap(u"{\"promPrice\":88}"), false, kKept, false},
      {Wrap(u"{\"promPrice\":[\"88\"]}"), false, kKept, false},
      {Wrap(u"{\"promPrice\":{}}"), false, kKept, false},
      {Wrap(u"\"88\""), false, kKept, false},  // the policy must be an object
      {Wrap(u"{\"promPrice\":\"1\"},{\"promPrice\":\"2\"}"), true, 1.0, true},  // the first policy counts
      {u"{\"promList\":[]}", false, kKept, false},
      {u"{\"promList\":{}}", false, kKept, false},
      {u"{\"promList\":\"x\"}", false, kKept, false},
      {u"{\"promList\":[1]}", false, kKept, false},
      {u"{\"promList\":[{\"policyList\":[]}]}", false, kKept, false},
      {u"{\"promList\":[{\"policyList\":{\"promPrice\":\"3\"}}]}", false, kKept, false},
      {u"{\"promList\":[{}]}", false, kKept, false},
      {u"{}", false, kKept, false},
      {u"[{\"promList\":[]}]", false, kKept, false},  // the root is no object
      {u"\"text\"", false, kKept, false},
      {u"42", false, kKept, false},
  };
  for (const Case& c : cases) {
    ReducePriceItem item = shopping_test::MakeItem(u"http://kept/");
    item.CurrentPrice = kKept;
    bool gave = !c.gavePrice;
    EXPECT_EQ(ParsePromotionJson(c.reply.c_str(), &item, &gave), c.result) << Narrow(c.reply);
    EXPECT_DOUBLE_EQ(item.CurrentPrice, c.price) << Narrow(c.reply);
    EXPECT_EQ(gave, c.gavePrice) << Narrow(c.reply);
    EXPECT_EQ(std::u16string(item.Url), u"http://kept/");  // nothing else is touched
  }
}

TEST(PromotionJson, OneValueIsReadAndTheRestIgnored) {
  struct Case {
    std::u16string reply;
    bool result;
    double price;
  } cases[] = {
      {Wrap(u"{\"promPrice\":\"45.00\"}") + u");", true, 45.0},  // the end of a function call
      {Wrap(u"{\"promPrice\":\"45.00\"}") + u" {broken", true, 45.0},
      {Wrap(u"{\"promPrice\":\"45.00\"}") + u"\n<html>", true, 45.0},
      {u"{/* note */\"promList\":[{\"policyList\":[{\"promPrice\":\"6\"}]}]}", true, 6.0},
      {u"{\"promList\":[{\"policyList\":[{\"promPrice\":\"6\"}]}]", false, kKept},  // cut short
      {u"{promList:[]}", false, kKept},  // unquoted names are no JSON
      {u"", false, kKept},
      {u"not json at all", false, kKept},
  };
  for (const Case& c : cases) {
    ReducePriceItem item = shopping_test::MakeItem(u"");
    item.CurrentPrice = kKept;
    EXPECT_EQ(ParsePromotionJson(c.reply.c_str(), &item), c.result) << Narrow(c.reply);
    EXPECT_DOUBLE_EQ(item.CurrentPrice, c.price) << Narrow(c.reply);
  }
  EXPECT_FALSE(ParsePromotionJson(nullptr, nullptr));
}

TEST(PromotionJson, NothingTheReaderThrowsEscapes) {
  // Nesting far deeper than the reader allows, in arrays and in objects.
  std::u16string arrays = u"{\"promList\":" + std::u16string(200000, u'[');
  std::u16string objects = u"{\"promList\":[{\"policyList\":[";
  for (int i = 0; i < 100000; ++i) objects += u"{\"a\":";
  for (const std::u16string& reply : {arrays, objects}) {
    ReducePriceItem item = shopping_test::MakeItem(u"");
    item.CurrentPrice = kKept;
    EXPECT_FALSE(ParsePromotionJson(reply.c_str(), &item));
    EXPECT_EQ(item.CurrentPrice, kKept);
  }
  // A null item is only read into.
  std::u16string good = Wrap(u"{\"promPrice\":\"1\"}");
  bool gave = false;
  EXPECT_TRUE(ParsePromotionJson(good.c_str(), nullptr, &gave));
  EXPECT_TRUE(gave);
}

}  // namespace
