// The site table: reading domainList.xml and finding an address's shop.
#include "page_parser.h"
#include "site_table.h"
#include "test_support.h"

namespace {

using namespace shopping_test;

TEST(RegisteredDomain, Keys) {
  struct Case {
    const char16_t* host;
    const char16_t* key;
  } cases[] = {
      {u"p.q.com", u"q.com"},
      {u"P.Q.COM", u"Q.COM"},  // callers lower-case it
      {u"w.s.com.cn", u"s.com.cn"},
      {u"s.com.cn", u"com.cn"},
      {u"W.S.COM.CN", u"S.COM.CN"},
      {u"a.b.w.s.com.cn", u"s.com.cn"},
      {u"x.net.cn", u"net.cn"},
      {u"p..q.com", u"q.com"},
      {u".q.com.", u"q.com"},
      {u"localhost", u""},
      {u"", u""},
      {u"...", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetRegisteredDomain(c.host), c.key) << Narrow(c.host);
}

const char kTable[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<sites>
  <!-- a comment between entries -->
  <site name="京东" url="JD.com" type="0">
    <pricepathlist><p>$$tag=span$$</p><p><!--c-->x</p><p/><p>  $$tag=b$$  </p></pricepathlist>
    <PricePathList><p>ignored</p></PricePathList>
  </site>
  <site name="second jd" url="jd.COM" type="1"/>
  <shop name="国美" url="gome.com.cn" type=""/>
  <site name="letters" url="letters.com" type="abc"/>
  <site name="signed" url="signed.com" type="  -2x"/>
  <site url="noname.com" type="0"/>
  <site name="no url"/>
  text between entries
  <site name="一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十" url="long.com" type="0"/>
</sites>)";

TEST(SiteTable, ReadsEntriesByTheRules) {
  SiteTable table;
  ASSERT_TRUE(table.LoadText(kTable));
  EXPECT_EQ(table.size(), 7u);  // the second jd.com entry is dropped
  const DomainInfo* jd = table.Find(u"jd.com");
  ASSERT_NE(jd, nullptr);
  EXPECT_EQ(jd->name, u"京东");
  EXPECT_EQ(jd->domain, u"JD.com");
  EXPECT_EQ(jd->type, 0);
  EXPECT_EQ(jd->rules, (std::vector<std::u16string>{u"$$tag=span$$", u"", u"", u"$$tag=b$$"}));
  struct TypeCase {
    const char16_t* key;
    int type;
  } types[] = {{u"gome.com.cn", -1}, {u"letters.com", 0}, {u"signed.com", -2}, {u"noname.com", 0}, {u"", -1}};
  for (const TypeCase& c : types) {
    const DomainInfo* site = table.Find(c.key);
    ASSERT_NE(site, nullptr) << Narrow(c.key);
    EXPECT_EQ(site->type, c.type) << Narrow(c.key);
    EXPECT_TRUE(site->rules.empty());
  }
  EXPECT_EQ(table.Find(u"noname.com")->name, u"");
}

TEST(SiteTable, FindsTheSiteOfAnAddress) {
  SiteTable table;
  ASSERT_TRUE(table.LoadText(kTable));
  struct Case {
    const char16_t* url;
    const char16_t* name;  // null: no site
  } cases[] = {
      {u"http://item.jd.com/100.html", u"京东"},
      {u"HTTPS://ITEM.JD.COM/100.html", u"京东"},
      {u"http://item.gome.com.cn/9.html", u"国美"},
      {u"http://gome.com.cn/9.html", nullptr},  // three labels give com.cn
      {u"http://localhost/x", u"no url"},       // one label finds the entry without url
      {u"http://www.taobao.com/", nullptr},
      {u"jd.com/item", nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const DomainInfo* site = table.FindSiteForUrl(c.url);
    if (!c.name) {
      EXPECT_EQ(site, nullptr) << (c.url ? Narrow(c.url) : "null");
    } else {
      ASSERT_NE(site, nullptr) << Narrow(c.url);
      EXPECT_EQ(site->name, c.name);
    }
  }
}

TEST(SiteTable, SiteNameIsCutAndDefaultsToUnknown) {
  SiteTable table;
  ASSERT_TRUE(table.LoadText(kTable));
  PageParser parser(std::move(table));
  struct Case {
    const char16_t* url;
    std::u16string name;
  } cases[] = {
      {u"http://www.long.com/", std::u16string(u"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九")},
      {u"http://item.jd.com/", u"京东"},
      {u"http://noname.com/", u""},
      {u"http://elsewhere.org/", u"未知"},
      {u"not a url", u"未知"},
  };
  for (const Case& c : cases) {
    ReducePriceItem item = MakeItem(u"");
    FillSiteName(parser, c.url, &item);
    EXPECT_EQ(std::u16string(item.SiteName), c.name) << Narrow(c.url);
  }
  EXPECT_EQ(cases[0].name.size(), 49u);
}

TEST(SiteTable, MissingOrBrokenFilesGiveAnEmptyTable) {
  TempConfigHome home;
  struct Case {
    const char* name;
    std::string content;  // empty: no file
  } cases[] = {
      {"missing", ""},
      {"not xml", "this is not xml <"},
      {"no root", "<?xml version=\"1.0\"?><!-- nothing -->"},
      {"unclosed", "<sites><site url=\"a.com\" type=\"0\">"},
      {"not UTF-8", "<sites><site name=\"\xCA\xD6\" url=\"a.com\"/></sites>"},
      {"cut UTF-8 name", "<sites><site \xE6"},
  };
  for (const Case& c : cases) {
    fs::path path = home.dir() / (std::string(c.name) + ".xml");
    if (!c.content.empty()) WriteBytes(path, c.content);
    SiteTable table;
    EXPECT_FALSE(table.LoadFile(path.string())) << c.name;
    EXPECT_EQ(table.size(), 0u) << c.name;
  }
  // A folder with Chinese letters in its name is read through UTF-8.
  fs::path chinese = home.dir() / u8"程序" / "domainList.xml";
  WriteBytes(chinese, kTable);
  SiteTable table;
  EXPECT_TRUE(table.LoadFile(chinese.string()));
  EXPECT_EQ(table.size(), 7u);
}

TEST(SiteTable, DeeplyNestedFilesCountAsBroken) {
  std::string deep = "<sites><site name=\"a\" url=\"a.com\" type=\"0\"/>";
  for (int i = 0; i < 200000; ++i) deep += "<x>";
  SiteTable table;
  EXPECT_FALSE(table.LoadText(deep));
  EXPECT_EQ(table.size(), 0u);
  // Ordinary nesting, self-closed entries and comments read as before.
  std::string shallow = "<?xml version=\"1.0\"?><!-- <a><b><c> --><sites><site url=\"a.com\"/>";
  for (int i = 0; i < 100; ++i) shallow += "<x>";
  for (int i = 0; i < 100; ++i) shallow += "</x>";
  shallow += "</sites>";
  EXPECT_TRUE(table.LoadText(shallow));
  EXPECT_NE(table.Find(u"a.com"), nullptr);
}

TEST(SiteTable, FilesWithByteOrderMarkAndWindowsLineEnds) {
  TempConfigHome home;
  fs::path path = home.dir() / "domainList.xml";
  WriteBytes(path, "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<sites>\r\n"
                   "  <site name=\"\xE4\xBA\xAC\xE4\xB8\x9C\" url=\"jd.com\" type=\"0\">\r\n"
                   "    <PricePathList><p>$$tag=span$$</p></PricePathList>\r\n  </site>\r\n</sites>\r\n");
  SiteTable table;
  ASSERT_TRUE(table.LoadFile(path.string()));
  const DomainInfo* jd = table.Find(u"jd.com");
  ASSERT_NE(jd, nullptr);
  EXPECT_EQ(jd->name, u"京东");
  EXPECT_EQ(jd->rules, std::vector<std::u16string>{u"$$tag=span$$"});
}

}  // namespace
