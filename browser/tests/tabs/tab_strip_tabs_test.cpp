#include <gtest/gtest.h>

#include "start_page.h"
#include "tab_strip_fixture.h"
#include "tool_tips_probe.h"

namespace {

using namespace tab_test;

const std::u16string kA = u"http://a.example/";
const std::u16string kB = u"http://b.example/";
const std::u16string kC = u"http://c.example/";

TEST_F(TabStripTest, AddTabMakesTheViewAHiddenChildShownOnlyWhenItsTabIsSelected) {
  CWnd* first = owner.NewView(kA);
  EXPECT_EQ(strip.AddTab(first, u"first"), 0);
  ASSERT_NE(first->m_hWnd, nullptr);
  EXPECT_EQ(first->GetParent(), &strip);
  EXPECT_EQ(first->GetDlgCtrlID(), -1);
  EXPECT_TRUE(first->IsWindowVisible()) << "the first tab is the selection";

  CWnd* second = owner.NewView(kB);
  EXPECT_EQ(strip.AddTab(second, u"second"), 1);
  EXPECT_FALSE(second->IsWindowVisible());
  EXPECT_EQ(strip.GetCurSel(), 0);
  EXPECT_EQ(strip.FindTabByView(second), 1);
  EXPECT_EQ(strip.GetTabItem(1)->view, second);
  EXPECT_EQ(strip.GetTabItem(1)->word, 0);

  // A view whose window exists already is taken when it is the strip's
  // child, refused otherwise.
  CWnd* made = owner.NewView(kC);
  ASSERT_TRUE(made->Create(nullptr, nullptr, WS_CHILD, CRect(), &strip, 7));
  EXPECT_EQ(strip.AddTab(made, u""), 2);
  CWnd* elsewhere = owner.NewView(kC);
  ASSERT_TRUE(elsewhere->Create(nullptr, nullptr, WS_CHILD, CRect(), &host, 8));
  EXPECT_EQ(strip.AddTab(elsewhere, u"x"), -1);
  EXPECT_EQ(strip.AddTab(nullptr, u"x"), -1);
  EXPECT_EQ(strip.GetItemCount(), 3);
  EXPECT_EQ(strip.FindTabByView(elsewhere), -1);
}

TEST_F(TabStripTest, NewTabsAreLoadingAndOtherBitsKeepTheirOwnWays) {
  OpenTabs({kA, kB});
  struct Step {
    const char* what;
    int index;
    DWORD mask;
    DWORD state;
    DWORD expected;  // tab index's bits under the drawing mask afterwards
  } steps[] = {
      {"new and selected", 1, 0, 0, TABSTATE_LOADING | TCIS_BUTTONPRESSED},
      {"the page is complete", 1, 0x3000, TABSTATE_ICON, TABSTATE_ICON | TCIS_BUTTONPRESSED},
      {"loading again only where no icon shows", 1, TABSTATE_LOADING, TABSTATE_LOADING,
       TABSTATE_ICON | TABSTATE_LOADING | TCIS_BUTTONPRESSED},
      {"the pressed bit is the selection's", 0, TCIS_BUTTONPRESSED, TCIS_BUTTONPRESSED, TABSTATE_LOADING},
      {"hover bits beside the page bits", 0, TABSTATE_HOT | TABSTATE_CLOSEHOT, TABSTATE_HOT | TABSTATE_CLOSEHOT,
       TABSTATE_LOADING | TABSTATE_HOT | TABSTATE_CLOSEHOT},
      {"neither page bit", 0, 0x3000, 0, TABSTATE_HOT | TABSTATE_CLOSEHOT},
      {"bits outside the mask are not read", 0, 0x0100, 0x0100, TABSTATE_HOT | TABSTATE_CLOSEHOT},
  };
  for (const Step& s : steps) {
    if (s.mask) strip.SetItemState(s.index, s.mask, s.state);
    EXPECT_EQ(State(s.index), s.expected) << s.what;
  }
  EXPECT_EQ(State(7), 0u) << "no tab, no state";
}

TEST_F(TabStripTest, RemoveTab) {
  const std::u16string start = kStartPageAddress;
  struct Case {
    const char* name;
    std::vector<std::u16string> tabs;
    int selected;
    int remove;
    std::vector<std::u16string> after;
    int selectedAfter;
    std::vector<std::string> calls;
  } cases[] = {
      {"the only tab, on the start page: kept", {start}, 0, 0, {start}, 0, {"ensure"}},
      {"the only tab, elsewhere: the start page replaces it",
       {kA},
       0,
       0,
       {start},
       0,
       {"ensure", "close 0", "ensure", "home", "home"}},
      {"the middle of three, selected", {kA, kB, kC}, 1, 1, {kA, kC}, 1, {"close 1", "home"}},
      {"the last of three, selected", {kA, kB, kC}, 2, 2, {kA, kB}, 1, {"close 2", "home"}},
      {"the first of three, another selected", {kA, kB, kC}, 2, 0, {kB, kC}, 0, {"close 0", "home"}},
      {"the start page among others", {start, kA}, 0, 0, {kA}, 0, {"close 0", "home"}},
      {"no such tab", {kA, kB}, 0, 2, {kA, kB}, 0, {}},
      {"a negative index", {kA, kB}, 0, -1, {kA, kB}, 0, {}},
  };
  for (const Case& c : cases) {
    Stage stage(host);
    FakeOwner& caseOwner = stage.owner;
    CMyTabCtrl& caseStrip = stage.strip;
    for (const auto& address : c.tabs) caseOwner.Open(address);
    caseOwner.Select(c.selected);
    std::vector<CWnd*> views;
    for (int i = 0; i < caseStrip.GetItemCount(); ++i) views.push_back(caseStrip.GetTabView(i));
    caseOwner.calls.clear();

    caseStrip.RemoveTab(c.remove);

    std::vector<std::u16string> texts;
    for (int i = 0; i < caseStrip.GetItemCount(); ++i) {
      texts.emplace_back(caseStrip.GetTabText(i).GetString());
      EXPECT_EQ(caseOwner.AddressOf(caseStrip.GetTabView(i)), texts.back()) << c.name << ": tab " << i;
    }
    EXPECT_EQ(texts, c.after) << c.name;
    EXPECT_EQ(caseStrip.GetCurSel(), c.selectedAfter) << c.name;
    EXPECT_EQ(caseOwner.calls, c.calls) << c.name;
    const bool closed = c.remove >= 0 && c.remove < static_cast<int>(views.size()) && c.after.size() != views.size();
    if (closed) {
      EXPECT_FALSE(caseOwner.Owns(views[static_cast<size_t>(c.remove)])) << c.name;
    }
    for (int i = 0; i < caseStrip.GetItemCount(); ++i)
      EXPECT_EQ(caseStrip.GetTabView(i)->IsWindowVisible() != FALSE, i == c.selectedAfter) << c.name << ": view " << i;
  }
}

TEST_F(TabStripTest, TextsAndViewsOfTabsThatDoNotExist) {
  OpenTabs({kA});
  strip.SetItemState(0, TABSTATE_HOT, TABSTATE_HOT);
  const std::u16string longTitle(300, u'字');
  owner.Open(longTitle);
  EXPECT_EQ(strip.GetTabText(1).GetLength(), 255);
  for (int index : {-1, 2, 100}) {
    EXPECT_TRUE(strip.GetTabText(index).IsEmpty()) << index;
    EXPECT_EQ(strip.GetTabItem(index), nullptr) << index;
    EXPECT_EQ(strip.GetTabView(index), nullptr) << index;
    const int lastShown = strip.GetLastShownTab();
    strip.ShowTabView(index, SW_HIDE);
    EXPECT_EQ(strip.GetLastShownTab(), lastShown) << index;
  }
  EXPECT_EQ(strip.FindTabByView(nullptr), -1);
  EXPECT_EQ(strip.FindTabByView(&host), -1);
  EXPECT_TRUE(strip.GetTabView(1)->IsWindowVisible());
}

TEST_F(TabStripTest, OneToolPerTabAskingTheOwnerForItsText) {
  ui_test::ToolTipsProbe tips(host);
  strip.SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips.control().m_hWnd));
  OpenTabs({kA, kB, kC});
  ASSERT_EQ(tips.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    auto tool = tips.Find(strip, static_cast<UINT_PTR>(i + 1));
    ASSERT_TRUE(tool) << i;
    EXPECT_EQ(CRect(tool->rect), CRect(180 * i, 2, 180 * (i + 1), 29)) << i;
  }
  strip.RemoveTab(0);
  EXPECT_EQ(tips.Count(), 2);
  EXPECT_FALSE(tips.Find(strip, 3));
  Resize(400);  // two tabs of 183: 180
  Resize(300);  // two tabs of 133
  auto tool = tips.Find(strip, 2);
  ASSERT_TRUE(tool);
  EXPECT_EQ(CRect(tool->rect), CRect(133, 2, 266, 29));
  strip.DestroyWindow();
  EXPECT_EQ(tips.Count(), 0) << "the tooltip control outlives the strip";
}

}  // namespace
