#include <gtest/gtest.h>

#include "start_page.h"
#include "tab_strip_fixture.h"

namespace {

using namespace tab_test;
using ui_test::ClickAt;
using ui_test::MoveTo;
using ui_test::PressAt;
using ui_test::ReleaseAt;

constexpr DWORD H = TABSTATE_HOT;
constexpr DWORD C = TABSTATE_CLOSEHOT;
constexpr int kLeave = -1;

// Pointer steps and the hover bits of every tab after each.
struct HoverStep {
  int x;  // kLeave: the pointer leaves the program's windows
  int y;
  std::vector<DWORD> states;
};

class TabStripMouse : public TabStripTest {
 protected:
  void RunHover(const std::vector<HoverStep>& steps) {
    for (size_t s = 0; s < steps.size(); ++s) {
      const HoverStep& step = steps[s];
      if (step.x == kLeave) ui_test::LeaveHost(host);
      else MoveTo(strip, step.x, step.y);
      ui_test::Pump();
      for (size_t i = 0; i < step.states.size(); ++i)
        EXPECT_EQ(State(static_cast<int>(i), H | C), step.states[i])
            << "step " << s << " (" << step.x << ", " << step.y << "), tab " << i;
    }
  }
};

// Three tabs of 180 in 600 pixels: tab i from 2 + 180 i; its close box
// from 180 (i + 1) - 22 to 180 (i + 1) - 8, y 10 to 24.
TEST_F(TabStripMouse, TabsAndCloseGlyphsLightUnderThePointer) {
  OpenTabs({u"http://a.example/", u"http://b.example/", u"http://c.example/"});
  strip.SetCurSel(0);
  RunHover({
      {100, 15, {0, 0, 0}},        // the selected tab never lights up
      {165, 15, {C, 0, 0}},        // but its close glyph does
      {250, 15, {0, H, 0}},        // moving on clears the last tab
      {345, 17, {0, H | C, 0}},    //
      {345, 5, {0, H, 0}},         // above the close box
      {351, 23, {0, H | C, 0}},    // its last pixel
      {352, 23, {0, H, 0}},        // and past it
      {430, 20, {0, 0, H}},        //
      {580, 15, {0, 0, H}},        // past the last tab: nothing changes
      {525, 12, {0, 0, H | C}},    //
      {kLeave, 0, {0, 0, 0}},      //
      {250, 15, {0, H, 0}},        //
  });
}

TEST_F(TabStripMouse, OnePixelTabsStillHover) {
  // More tabs than pixels left to share: each tab is one pixel wide, and
  // the hover's division by the width still has something to divide by.
  Resize(100);
  for (int i = 0; i < 70; ++i) ASSERT_GE(owner.Open(u"http://shop.example/"), 0);
  ui_test::Pump();
  ASSERT_EQ(TabRect(0).Width(), 1);
  ASSERT_EQ(strip.GetCurSel(), 69);
  std::vector<DWORD> lit(70, 0);
  lit[1] = H;
  std::vector<DWORD> none(70, 0);
  RunHover({
      {3, 15, lit},     // (3 - 2) / 1: tab 1
      {90, 15, lit},    // tab 88 is past the last
      {71, 15, none},   // tab 69, the selected one
  });
}

TEST_F(TabStripMouse, APressOnALitCloseGlyphClosesThatTabWithoutSelectingIt) {
  OpenTabs({u"http://a.example/", u"http://b.example/", u"http://c.example/"});
  strip.SetCurSel(0);
  owner.calls.clear();
  MoveTo(strip, 345, 17);
  ClickAt(strip, 345, 17);
  ui_test::Pump();
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"http://a.example/", u"http://c.example/"}));
  EXPECT_EQ(owner.Count("close 1"), 1);
  EXPECT_EQ(owner.Count("show"), 0) << "no selection change was told";
  // The tab that slid under the pointer is not lit by the closed one's state.
  EXPECT_EQ(State(1, H | C), 0u);
}

TEST_F(TabStripMouse, APressElsewhereOnATabSelectsItAndSwapsTheViews) {
  OpenTabs({u"http://a.example/", u"http://b.example/", u"http://c.example/"});
  ASSERT_EQ(strip.GetCurSel(), 2);
  owner.calls.clear();
  struct Case {
    int x;
    int selected;
    int shows;  // selection changes told to the owner so far
  } cases[] = {
      {250, 1, 1},  // tab 1
      {300, 1, 1},  // already selected: nothing new (apart, or it is a double click)
      {60, 0, 2},   // tab 0
      {580, 0, 2},  // no tab there
  };
  for (const Case& c : cases) {
    ClickAt(strip, c.x, 15);
    ui_test::Pump();
    EXPECT_EQ(strip.GetCurSel(), c.selected) << c.x;
    EXPECT_EQ(owner.Count("show"), c.shows) << c.x;
    ASSERT_EQ(strip.GetItemCount(), 3) << c.x;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(strip.GetTabView(i)->IsWindowVisible() != FALSE, i == c.selected) << c.x << " view " << i;
    EXPECT_EQ(strip.GetLastShownTab(), c.selected);
  }
}

TEST_F(TabStripMouse, DoubleClicks) {
  strip.DestroyWindow();
  const std::u16string start = kStartPageAddress;
  struct Case {
    const char* name;
    std::vector<std::u16string> tabs;
    int x;
    std::vector<std::u16string> after;
    std::vector<std::string> calls;  // the owner's, from the first press on
  } cases[] = {
      {"on a tab of three", {u"http://a.example/", u"http://b.example/", u"http://c.example/"}, 250,
       {u"http://a.example/", u"http://c.example/"}, {"show", "close 1", "home"}},
      {"on the empty part", {u"http://a.example/"}, 400, {u"http://a.example/", start},
       {"open http://www.quorla.example/start/", "home"}},
      {"on the only tab, the start page", {start}, 60, {start}, {"ensure"}},
      {"on the only tab, another page", {u"http://a.example/"}, 60, {start},
       {"ensure", "close 0", "ensure", "home", "home"}},
  };
  for (const Case& c : cases) {
    Stage stage(host);
    for (const auto& address : c.tabs) ASSERT_GE(stage.owner.Open(address), 0);
    ui_test::Pump();
    stage.owner.calls.clear();
    PressAt(stage.strip, c.x, 15);
    ReleaseAt(stage.strip, c.x, 15);
    PressAt(stage.strip, c.x, 15);
    ReleaseAt(stage.strip, c.x, 15);
    ui_test::Pump();
    std::vector<std::u16string> texts;
    for (int i = 0; i < stage.strip.GetItemCount(); ++i) texts.emplace_back(stage.strip.GetTabText(i).GetString());
    EXPECT_EQ(texts, c.after) << c.name;
    EXPECT_EQ(stage.owner.calls, c.calls) << c.name;
    EXPECT_EQ(stage.strip.GetCurSel(), stage.strip.GetItemCount() - 1) << c.name;
  }
}

}  // namespace
