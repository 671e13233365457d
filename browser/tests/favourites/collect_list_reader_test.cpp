#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "collect_list_reader.h"
#include "favourites_test_support.h"
#include "shopping/text_conversions.h"

namespace {

using favourites_test::CollectXml;
using favourites_test::Gbk;

// One entry as the tests compare it: its depth (0 a top-level group), id,
// title and address.
struct Flat {
  int depth;
  int id;
  std::u16string title;
  std::u16string url;
  bool operator==(const Flat&) const = default;
};

void Flatten(const CollectEntry& entry, int depth, std::vector<Flat>& out) {
  out.push_back({depth, entry.id, entry.title.GetString(), entry.url.GetString()});
  for (const auto& child : entry.children) Flatten(*child, depth + 1, out);
}

std::vector<Flat> Flatten(const CollectList& list) {
  std::vector<Flat> out;
  for (const auto& group : list) Flatten(*group, 0, out);
  return out;
}

std::ostream& operator<<(std::ostream& out, const Flat& f) {
  return out << f.depth << " " << f.id << " " << favourites_test::Utf8Of(f.title) << " " << favourites_test::Utf8Of(f.url);
}

TEST(CollectListReaderTest, ShapesAndIds) {
  struct Case {
    const char* what;
    const char16_t* body;
    std::vector<Flat> expected;
  } cases[] = {
      {"ids in document order on two counters",
       u"<item name=\"A\"><subitem name=\"a1\" url=\"http://a/1\"/><subitem name=\"a2\" url=\"http://a/2\"/>"
       u"<item name=\"N\"><subitem name=\"n1\" url=\"http://n/1\"/><subitem name=\"n2\" url=\"http://n/2\"/></item>"
       u"</item><item name=\"B\"/>",
       {{0, 1060, u"A", u""},
        {1, 1170, u"a1", u"http://a/1"},
        {1, 1171, u"a2", u"http://a/2"},
        {1, 1061, u"N", u""},
        {2, 1172, u"n1", u"http://n/1"},
        {2, 1173, u"n2", u"http://n/2"},
        {0, 1062, u"B", u""}}},
      {"attributes by position, not by name",
       u"<item name=\"A\"><subitem url=\"http://a/\" name=\"a\"/></item>",
       {{0, 1060, u"A", u""}, {1, 1170, u"http://a/", u"a"}}},
      {"other names for root children and links",
       u"<group title=\"A\"><link t=\"a\" u=\"http://a/\"/></group>",
       {{0, 1060, u"A", u""}, {1, 1170, u"a", u"http://a/"}}},
      {"a nested group without children",
       u"<item name=\"A\"><item name=\"empty\"/><subitem name=\"a\" url=\"http://a/\"/></item>",
       {{0, 1060, u"A", u""}, {1, 1061, u"empty", u""}, {1, 1170, u"a", u"http://a/"}}},
      {"nesting ends at the second level: a nested item is a link",
       u"<item name=\"A\"><item name=\"N\"><item name=\"deep\" url=\"http://d/\"><subitem name=\"x\" url=\"y\"/>"
       u"</item></item></item>",
       {{0, 1060, u"A", u""}, {1, 1061, u"N", u""}, {2, 1170, u"deep", u"http://d/"}}},
      {"comments and text between and inside groups",
       u"<!-- first --><item name=\"A\">text<!-- inside --><subitem name=\"a\" url=\"http://a/\"/>more"
       u"<item name=\"N\"><!-- in nested -->words<subitem name=\"n\" url=\"http://n/\"/></item></item>"
       u"<!-- between --><item name=\"B\"/>",
       {{0, 1060, u"A", u""},
        {1, 1170, u"a", u"http://a/"},
        {1, 1061, u"N", u""},
        {2, 1171, u"n", u"http://n/"},
        {0, 1062, u"B", u""}}},
      {"missing attributes are empty texts",
       u"<item><subitem name=\"only a title\"/><subitem/><item/></item>",
       {{0, 1060, u"", u""}, {1, 1170, u"only a title", u""}, {1, 1171, u"", u""}, {1, 1061, u"", u""}}},
      {"titles in code page 936",
       u"<item name=\"综合商城\"><subitem name=\"淘宝网首页\" url=\"https://www.taobao.com/\"/></item>",
       {{0, 1060, u"综合商城", u""}, {1, 1170, u"淘宝网首页", u"https://www.taobao.com/"}}},
      {"entities", u"<item name=\"a &amp; b\"><subitem name=\"q\" url=\"http://a/?x=1&amp;y=2\"/></item>",
       {{0, 1060, u"a & b", u""}, {1, 1170, u"q", u"http://a/?x=1&y=2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Flatten(ReadCollectList(CollectXml(c.body))), c.expected);
  }
}

TEST(CollectListReaderTest, BrokenFilesGiveAnEmptyList) {
  std::string deep = "<collect>";
  for (int i = 0; i < 5000; ++i) deep += "<item name=\"x\">";
  struct Case {
    const char* what;
    std::string xml;
  } cases[] = {
      {"empty", ""},
      {"not xml", "just words"},
      {"unclosed", CollectXml(u"<item name=\"A\">")},
      {"no root", "<?xml version=\"1.0\"?>"},
      {"nested past the bound", deep},
      {"a lead byte at the very end", std::string("<collect><item name=\"\xB0")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_TRUE(ReadCollectList(c.xml).empty());
  }
}

TEST(CollectListReaderTest, KeepsTheIdsThatReachTheirCommands) {
  std::u16string groups;
  for (int i = 0; i < 102; ++i) groups += u"<item name=\"g\"/>";
  CollectList list = ReadCollectList(CollectXml(groups.c_str()));
  ASSERT_EQ(list.size(), 101u);
  EXPECT_EQ(list.back()->id, 1160);

  // 402 links over two groups, the second of which is past the last link.
  std::u16string links = u"<item name=\"many\">";
  for (int i = 0; i < 402; ++i) links += u"<subitem name=\"l\" url=\"http://l/\"/>";
  links += u"</item><item name=\"after\"><subitem name=\"late\" url=\"http://late/\"/></item>";
  list = ReadCollectList(CollectXml(links.c_str()));
  ASSERT_EQ(list.size(), 2u);
  ASSERT_EQ(list[0]->children.size(), 401u);
  EXPECT_EQ(list[0]->children.back()->id, 1570);
  EXPECT_TRUE(list[1]->children.empty());

  // Nested groups count as groups.
  std::u16string nested = u"<item name=\"top\">";
  for (int i = 0; i < 101; ++i) nested += u"<item name=\"n\"/>";
  nested += u"</item><item name=\"dropped\"/>";
  list = ReadCollectList(CollectXml(nested.c_str()));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->children.size(), 100u);
  EXPECT_EQ(list[0]->children.back()->id, 1160);
}

TEST(CollectListReaderTest, FoundBesideAProgramInAFolderWithAChineseName) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quorla-favourites-" + std::to_string(getpid())) / "购物浏览器";
  std::filesystem::create_directories(folder / "config");
  std::ofstream(folder / "config" / "collect.xml", std::ios::binary)
      << CollectXml(u"<item name=\"数码家电\"><subitem name=\"京东\" url=\"https://www.jd.com/\"/></item>");
  const std::u16string program = Utf8ToWide((folder / "VXBrowser").string().c_str());
  CollectList list = ReadCollectListBeside(program.c_str());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(std::u16string(list[0]->title.GetString()), u"数码家电");
  EXPECT_TRUE(ReadCollectListBeside(Utf8ToWide((folder / "elsewhere" / "VXBrowser").string().c_str()).c_str()).empty());
  std::filesystem::remove_all(folder.parent_path());
}

// The shops of the shipped site table, by their registered domains.
std::set<std::string> ShippedShopDomains() {
  std::ifstream in(std::string(QUORLA_SOURCE_DIR) + "/config/domainList.xml", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::string xml = text.str();
  std::set<std::string> domains;
  const std::regex domain("<Domain[^>]*url=\"([^\"]+)\"");
  for (std::sregex_iterator it(xml.begin(), xml.end(), domain), end; it != end; ++it) domains.insert((*it)[1]);
  return domains;
}

bool BelongsToAShop(const std::string& host, const std::set<std::string>& domains) {
  for (const std::string& domain : domains) {
    if (host == domain || (host.size() > domain.size() && host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
                           host[host.size() - domain.size() - 1] == '.'))
      return true;
  }
  return false;
}

TEST(CollectListReaderTest, TheShippedFileHoldsShopPagesOnly) {
  const std::set<std::string> domains = ShippedShopDomains();
  ASSERT_GE(domains.size(), 9u);
  std::ifstream in(std::string(QUORLA_SOURCE_DIR) + "/config/collect.xml", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  ASSERT_NE(text.str().find("encoding=\"gb2312\""), std::string::npos);
  const std::vector<Flat> entries = Flatten(ReadCollectList(text.str()));
  ASSERT_FALSE(entries.empty());
  const std::regex address(R"(^(https?)://([^/?#:]+)(/[^?#]*)?$)");
  int nested = 0, links = 0, groups = 0;
  for (const Flat& entry : entries) {
    SCOPED_TRACE(testing::PrintToString(entry));
    EXPECT_FALSE(entry.title.empty());
    if (entry.id < kFirstLinkId) {
      if (entry.depth == 0) ++groups;
      if (entry.depth == 1) ++nested;
      EXPECT_LE(entry.id, 1160);
      continue;
    }
    ++links;
    std::smatch parts;
    const std::string url = favourites_test::Utf8Of(entry.url);
    ASSERT_TRUE(std::regex_match(url, parts, address)) << "no query, no fragment, no port";
    EXPECT_TRUE(BelongsToAShop(parts[2], domains));
  }
  EXPECT_GE(nested, 1);
  EXPECT_LE(groups, 5) << "one icon of strip 386 per group";
  EXPECT_GE(links, 9);
}

}  // namespace
