#include "search_address.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  const char* name;
  int site;
  const char16_t* text;
  BOOL showsHint;
  const char16_t* address;  // empty: nothing is searched
};

TEST(SearchAddress, EveryByteOfTheCodePage936TextIsEscaped) {
  const std::vector<Case> cases = {
      {"Chinese on Taobao: the four GBK bytes", 1600, u"手机", FALSE, u"http://s.taobao.com/search?q=%CA%D6%BB%FA"},
      {"letters are escaped too", 1600, u"ab", FALSE, u"http://s.taobao.com/search?q=%61%62"},
      {"Chinese on JD", 1601, u"手机", FALSE, u"http://search.jd.com/Search?keyword=%CA%D6%BB%FA"},
      {"Chinese on Dangdang", 1602, u"手机", FALSE, u"http://search.dangdang.com/search.php?key=%CA%D6%BB%FA"},
      {"digits, blanks and the escape sign itself", 1601, u"5 %", FALSE,
       u"http://search.jd.com/Search?keyword=%35%20%25"},
      {"separators of an address stay inside the value", 1600, u"a&b=c#", FALSE,
       u"http://s.taobao.com/search?q=%61%26%62%3D%63%23"},
      {"a full-width letter", 1602, u"Ａ", FALSE, u"http://search.dangdang.com/search.php?key=%A3%C1"},
      {"only blanks are a query", 1600, u"  ", FALSE, u"http://s.taobao.com/search?q=%20%20"},
      {"empty on Taobao", 1600, u"", FALSE, u""},
      {"empty on JD", 1601, u"", FALSE, u""},
      {"empty on Dangdang", 1602, u"", FALSE, u""},
      {"the hint of an untouched box on Taobao", 1600, u"淘宝网搜索", TRUE, u""},
      {"the hint on JD", 1601, u"京东商城搜索", TRUE, u""},
      {"the hint on Dangdang", 1602, u"当当网搜索", TRUE, u""},
      {"the hint's words typed by the user", 1600, u"搜索", FALSE, u"http://s.taobao.com/search?q=%CB%D1%CB%F7"},
      {"a command that names no shop", 1603, u"手机", FALSE, u""},
      {"no selection yet", 0, u"手机", FALSE, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MakeSearchAddress(c.site, c.text, c.showsHint).str(), std::u16string(c.address));
  }
}

}  // namespace
