// The promotion data of a shop block: pairs, the brace and quote rules, and
// the promotion document's address.
#include "promotion_data.h"
#include "test_support.h"

namespace {

using shopping_test::Narrow;

TEST(PromotionData, OnePairTable) {
  struct Case {
    const char16_t* piece;
    bool entered;
    const char16_t* key;
    const char16_t* value;
  } cases[] = {
      {u"{promoteUrl:\"http://p/x\"", true, u"promoteurl", u"\"http://p/x\""},
      {u"  { promoteUrl : x ", true, u" promoteurl", u"x"},  // the brace goes, the blank after it stays
      {u"{{key:v", true, u"{key", u"v"},                     // only one brace goes
      {u"isVip:false}", true, u"isvip", u"false"},
      {u"a:b}}", true, u"a", u"b}}"},  // the first "}" is not the last character
      {u"a:}b}", true, u"a", u"}b}"},
      {u"a:}", true, u"a", u""},
      {u"URL:http://h:80/p", true, u"url", u"http://h:80/p"},  // split at the first colon
      {u":v", true, u"", u"v"},
      {u"KEY\u00A0:\u3000v\u3000", true, u"key", u"v"},  // Unicode blanks are trimmed too
      {u"no colon here", false, nullptr, nullptr},
      {u"", false, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    PromotionData data;
    EXPECT_EQ(AddVipDataPair(c.piece, data), c.entered) << Narrow(c.piece);
    if (!c.entered) {
      EXPECT_TRUE(data.empty());
      continue;
    }
    ASSERT_EQ(data.size(), 1u) << Narrow(c.piece);
    EXPECT_EQ(data.begin()->first, c.key) << Narrow(c.piece);
    EXPECT_EQ(data.begin()->second, c.value) << Narrow(c.piece);
  }
  // The first value of a key counts.
  PromotionData data;
  EXPECT_TRUE(AddVipDataPair(u"PromoteUrl:first", data));
  EXPECT_TRUE(AddVipDataPair(u"promoteurl:second", data));
  EXPECT_EQ(data.at(u"promoteurl"), u"first");
}

TEST(PromotionData, AddressOfThePromotionDocument) {
  struct Case {
    const char16_t* text;
    const char16_t* url;
  } cases[] = {
      {u"{promoteUrl:\"http://tb/promo?id=1\",isVip:false}", u"http://tb/promo?id=1"},
      {u",,,{promoteUrl:\"\"http://x\"\",,", u"http://x"},  // comma runs; every quote at the ends goes
      {u"{ promoteUrl:\"http://x\"}", u""},                  // a blank after the brace hides the key
      {u"{other:1,promoteURL: 'http://y' }", u"'http://y' "},  // no trim after the brace; only double quotes go
      {u"{promoteUrl:\"http://x\"}", u"http://x"},
      {u"{promoteUrl:\"\"}", u""},
      {u"{promoteUrl}", u""},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(PromoteUrlOf(ReadPromotionData(c.text)), c.url) << Narrow(c.text);
}

}  // namespace
