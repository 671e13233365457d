#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "collect_list_reader.h"
#include "favourite_menus.h"
#include "favourites_test_support.h"

namespace {

using favourites_test::CollectXml;

// A menu written out as one line: items "title#id", submenus "title[...]".
std::string Written(const FavouriteMenu& menu) {
  std::string out;
  for (const FavouriteMenuItem& item : menu) {
    if (!out.empty()) out += ' ';
    out += favourites_test::Utf8Of(item.title.GetString());
    out += item.IsSubmenu() ? "[" + Written(item.submenu) + "]" : "#" + std::to_string(item.id);
  }
  return out;
}

// Groups A (links, a nested group with links, an empty nested group), B
// (a link), C (a nested group only), D (nothing).
CollectList Sample() {
  return ReadCollectList(CollectXml(
      u"<item name=\"A\"><subitem name=\"a1\" url=\"http://a/1\"/>"
      u"<item name=\"N\"><subitem name=\"n1\" url=\"http://n/1\"/><subitem name=\"n2\" url=\"http://n/2\"/></item>"
      u"<item name=\"E\"/><subitem name=\"a2\" url=\"http://a/2\"/></item>"
      u"<item name=\"B\"><subitem name=\"b1\" url=\"http://b/1\"/><subitem name=\"b2\"/></item>"
      u"<item name=\"C\"><item name=\"M\"><subitem name=\"m1\" url=\"http://m/1\"/></item></item>"
      u"<item name=\"D\"/>"));
}

TEST(FavouriteMenusTest, GroupMenus) {
  const CollectList list = Sample();
  ASSERT_EQ(list.size(), 4u);
  struct Case {
    size_t group;
    const char* expected;
  } cases[] = {
      {0, "a1#1170 N[n1#1171 n2#1172] E#1062 a2#1173"},
      {1, "b1#1174 b2#1175"},
      {2, "M[m1#1176]"},
      {3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.group);
    EXPECT_EQ(Written(GroupMenu(*list[c.group])), c.expected);
  }
}

TEST(FavouriteMenusTest, OverflowMenusHoldTheHiddenGroupsWithTheirNestedGroups) {
  const CollectList list = Sample();
  struct Case {
    int first, last;
    const char* expected;
  } cases[] = {
      {1060, 1066, "A[a1#1170 N[n1#1171 n2#1172] E#1062 a2#1173] B[b1#1174 b2#1175] C[M[m1#1176]] D[]"},
      {1063, 1066, "B[b1#1174 b2#1175] C[M[m1#1176]] D[]"},
      {1064, 1064, "C[M[m1#1176]]"},
      {1065, 1065, ""},
      {0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Written(OverflowMenu(list, c.first, c.last)), c.expected);
  }
}

TEST(FavouriteMenusTest, FindingALinkAfterAnyGroupMenu) {
  const CollectList list = Sample();
  const CollectEntry* a = list[0].get();
  const CollectEntry* b = list[1].get();
  const CollectEntry* c = list[2].get();
  struct Case {
    const char* what;
    const CollectEntry* menuGroup;
    int id;
    const char16_t* url;  // null: nothing found
  } cases[] = {
      {"a link of the remembered group", a, 1170, u"http://a/1"},
      {"a nested link of the remembered group", a, 1172, u"http://n/2"},
      {"after a dismissed menu of another group", b, 1176, u"http://m/1"},
      {"a nested link after another group's menu", c, 1171, u"http://n/1"},
      {"no menu before", nullptr, 1173, u"http://a/2"},
      {"a link after a group with a nested group", nullptr, 1174, u"http://b/1"},
      {"a link without an address", nullptr, 1175, u""},
      {"an id nobody has", a, 1500, nullptr},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.what);
    const CollectEntry* found = FindFavourite(list, t.menuGroup, t.id);
    if (!t.url) {
      EXPECT_EQ(found, nullptr);
      continue;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id, t.id);
    EXPECT_EQ(std::u16string(found->url.GetString()), t.url);
  }
}

}  // namespace
