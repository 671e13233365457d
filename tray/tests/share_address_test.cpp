// The share address: the title's excerpt, the encoding of both query
// values, and whole addresses for both services.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "popup_test_support.h"
#include "share_address.h"

namespace {

using popup_test::NoticeItem;

TEST(ShareAddress, TheTitleExcerptIsTwentyUnitsWithoutSplittingAPair) {
  const std::u16string nineteen = u"一二三四五六七八九十一二三四五六七八九";
  ASSERT_EQ(nineteen.size(), 19u);
  struct Case {
    const char* name;
    std::u16string title;
    std::u16string excerpt;
  };
  const Case cases[] = {
      {"shorter than twenty", u"短标题", u"短标题"},
      {"exactly twenty", u"ABCDEFGHIJKLMNOPQRST", u"ABCDEFGHIJKLMNOPQRST"},
      {"thirty", u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcd", u"ABCDEFGHIJKLMNOPQRST"},
      {"a pair at units 20 and 21", nineteen + u"😀尾", nineteen},
      {"a pair at units 19 and 20", nineteen.substr(0, 18) + u"😀尾", nineteen.substr(0, 18) + u"😀"},
      {"a pair ending the title at unit 20", nineteen.substr(0, 18) + u"😀", nineteen.substr(0, 18) + u"😀"},
      {"empty", u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ShareTitleExcerpt(c.title), c.excerpt) << c.name;
}

TEST(ShareAddress, ValuesArePercentEncodedAsUtf8) {
  struct Case {
    std::u16string text;
    std::u16string encoded;
  };
  const Case cases[] = {
      {u"AZaz09-_.~", u"AZaz09-_.~"},
      {u"a&b#c", u"a%26b%23c"},
      {u"1+1=2 100%", u"1%2B1%3D2%20100%25"},
      {u"http://x/?q=1", u"http%3A%2F%2Fx%2F%3Fq%3D1"},
      {u"价", u"%E4%BB%B7"},
      {u"é", u"%C3%A9"},
      {u"😀", u"%F0%9F%98%80"},
      {std::u16string(1, char16_t(0xD83D)) + u"x", u"%EF%BF%BDx"},  // a lone high surrogate
      {std::u16string(1, char16_t(0xDE00)), u"%EF%BF%BD"},          // a lone low surrogate
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(PercentEncodeUtf8(c.text), c.encoded);
}

TEST(ShareAddress, WholeAddressesForBothServices) {
  const ReducePriceItem item =
      NoticeItem(u"http://rules.localhost:8080/item?id=1&from=tray#top", u"超值套装 Tom & Jerry #2 限量版纪念礼盒装", 99.2, 80.5);
  // The title: "...降价啦！超值套装 Tom & Jerry #2 ，原价99元，现价80元，直降18元。...下载地址：http://www.quorla.example/。降价商品地址："
  const std::u16string title =
      u"%E6%88%91%E4%BD%BF%E7%94%A8Quorla%E8%B4%AD%E7%89%A9%E6%B5%8F%E8%A7%88%E5%99%A8%E5%85%B3%E6%B3%A8%E7%9A%84"
      u"%E5%95%86%E5%93%81%E9%99%8D%E4%BB%B7%E5%95%A6%EF%BC%81%E8%B6%85%E5%80%BC%E5%A5%97%E8%A3%85%20Tom%20%26%20"
      u"Jerry%20%232%20%EF%BC%8C%E5%8E%9F%E4%BB%B799%E5%85%83%EF%BC%8C%E7%8E%B0%E4%BB%B780%E5%85%83%EF%BC%8C%E7%9B"
      u"%B4%E9%99%8D18%E5%85%83%E3%80%82%E5%BC%BA%E5%8A%9B%E6%8E%A8%E8%8D%90%E5%96%9C%E6%AC%A2%E8%B4%AD%E7%89%A9"
      u"%E7%9A%84%E6%9C%8B%E5%8F%8B%E4%BD%BF%E7%94%A8%40Quorla%E8%B4%AD%E7%89%A9%E6%B5%8F%E8%A7%88%E5%99%A8%EF%BC"
      u"%8C%E4%B8%8B%E8%BD%BD%E5%9C%B0%E5%9D%80%EF%BC%9Ahttp%3A%2F%2Fwww.quorla.example%2F%E3%80%82%E9%99%8D%E4%BB"
      u"%B7%E5%95%86%E5%93%81%E5%9C%B0%E5%9D%80%EF%BC%9A";
  const std::u16string url = u"http%3A%2F%2Frules.localhost%3A8080%2Fitem%3Fid%3D1%26from%3Dtray%23top";
  struct Case {
    UINT service;
    std::u16string webid;
  };
  const Case cases[] = {{ID_SHARE_SINA, u"tsina"}, {ID_SHARE_TENCENT, u"tqq"}, {0, u"tqq"}, {1003, u"tqq"}};
  for (const Case& c : cases) {
    EXPECT_EQ(BuildShareAddress(c.service, item),
              u"http://share.quorla.example/send/?webid=" + c.webid + u"&url=" + url + u"&title=" + title)
        << c.service;
  }
}

TEST(ShareAddress, PricesAreWholeNumbersAndNothingIsCutToALength) {
  std::u16string longUrl = u"http://rules.localhost/item?id=";
  longUrl.append(2000, u'9');
  const ReducePriceItem item = NoticeItem(longUrl, u"标题", 1e12, -3.7);
  const std::u16string address = BuildShareAddress(ID_SHARE_SINA, item);
  EXPECT_NE(address.find(PercentEncodeUtf8(longUrl) + u"&title="), std::u16string::npos) << "the whole address";
  // "，原价2147483647元，现价-3元，直降2147483647元。"
  EXPECT_NE(address.find(u"%EF%BC%8C%E5%8E%9F%E4%BB%B72147483647%E5%85%83%EF%BC%8C%E7%8E%B0%E4%BB%B7-3%E5%85%83%EF%BC"
                         u"%8C%E7%9B%B4%E9%99%8D2147483647%E5%85%83%E3%80%82"),
            std::u16string::npos);
  ReducePriceItem unreadable = NoticeItem(u"http://x/", u"t", std::numeric_limits<double>::quiet_NaN(), 5.0);
  EXPECT_NE(BuildShareAddress(ID_SHARE_SINA, unreadable).find(u"%E5%8E%9F%E4%BB%B70%E5%85%83"), std::u16string::npos)
      << "a NaN former price prints as 0";
}

TEST(ShareAddress, ATitleFillingItsWholeFieldIsReadNoFurther) {
  ReducePriceItem item = NoticeItem(u"http://x/", u"", 2.0, 1.0);
  std::fill(std::begin(item.Title), std::end(item.Title), u'A');  // no terminating zero
  std::fill(std::begin(item.Text2), std::end(item.Text2), u'B');
  EXPECT_EQ(BoundedText(item.Title, 260), std::u16string(260, u'A'));
  EXPECT_NE(ShareMessage(item).find(u"！AAAAAAAAAAAAAAAAAAAA，"), std::u16string::npos);
}

}  // namespace
