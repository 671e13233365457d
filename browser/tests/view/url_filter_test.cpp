// The URL filter file: "iefilter.txt" of the current directory, UTF-8, one
// text per line, and the test of an address against it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "url_filter.h"
#include "view_test_support.h"

namespace {

using view_test::FilterFile;

struct FileCase {
  const char* name;
  std::string bytes;
  std::set<std::u16string> texts;
};

TEST(UrlFilterTest, FileLinesBecomeTheSet) {
  for (const FileCase& c : {
           FileCase{"plain lines", "ads.example\npop.example\n", {u"ads.example", u"pop.example"}},
           FileCase{"no final line end", "ads.example\npop.example", {u"ads.example", u"pop.example"}},
           FileCase{"CR LF", "ads.example\r\npop.example\r\n", {u"ads.example", u"pop.example"}},
           FileCase{"blank lines and blanks", "\n   \n\t\nads.example\n\r\n \r\n", {u"ads.example"}},
           FileCase{"trimmed both ends", "  ads.example \t\r\n\tclick.cn  \n", {u"ads.example", u"click.cn"}},
           FileCase{"inner blanks stay", "a b\n", {u"a b"}},
           FileCase{"duplicates kept once", "ads.example\n ads.example\r\nads.example  \n", {u"ads.example"}},
           FileCase{"case kept apart", "Ads.Example\nads.example\n", {u"Ads.Example", u"ads.example"}},
           FileCase{"UTF-8 with a byte-order mark", "\xEF\xBB\xBF广告.example\n弹窗\n", {u"广告.example", u"弹窗"}},
           FileCase{"empty file", "", {}},
       }) {
    FilterFile file(c.bytes);
    EXPECT_EQ(UrlFilterTexts(), c.texts) << c.name;
  }
}

TEST(UrlFilterTest, MissingFileFiltersNothing) {
  FilterFile file("ads.example\n");
  ASSERT_TRUE(IsUrlFiltered(u"http://ads.example/"));
  file.Remove();
  EXPECT_TRUE(UrlFilterTexts().empty());
  EXPECT_FALSE(IsUrlFiltered(u"http://ads.example/"));
}

TEST(UrlFilterTest, AnAddressIsFilteredWhenItHoldsAText) {
  FilterFile file(" ads.example \n/popup/\n弹窗\n\n");
  struct Case {
    const char16_t* url;
    bool filtered;
  };
  const Case cases[] = {Case{u"http://ads.example/x.html", true}, Case{u"https://cdn.ads.example.com/", true},
                 Case{u"http://shop.example/popup/1", true}, Case{u"http://shop.example/?q=弹窗", true},
                 Case{u"http://ADS.EXAMPLE/x.html", false}, Case{u"http://shop.example/popup", false},
                 Case{u"http://item.shop.example/1.html", false}, Case{u"", false}, Case{nullptr, false}};
  for (const Case& c : cases) EXPECT_EQ(IsUrlFiltered(c.url), c.filtered) << "case " << &c - cases;
}

}  // namespace
