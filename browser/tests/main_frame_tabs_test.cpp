// The main window's tabs with real pages: opening, closing (the middle and
// the last of three, the only one), keeping one tab on the start page, a
// background tab's title, the address box while the user types there, and
// back and forward per tab. The pages come from a local server that stands
// in as the engine's HTTP proxy, so the program's own fixed addresses load.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "browser_ids.h"
#include "kqie_view.h"
#include "main_frame_tabs_test_support.h"
#include "process_objects.h"

namespace browser_test {
namespace {

using MainFrameTabs = TabsTest;

TEST_F(MainFrameTabs, ClosingTheMiddleOrTheLastOfThreeSelectsTheTabInItsPlace) {
  struct Case {
    const char* name;
    int selected;  // before the close
    int closed;
    int selectedAfter;
    const char* shownAfter;  // the page of the tab selected after
  };
  const Case cases[] = {
      {"the middle one, selected", 1, 1, 1, "/c"},
      {"the last one, selected", 2, 2, 1, "/b"},
      {"the middle one from the first", 0, 1, 1, "/c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResetTabs();
    for (const char* path : {"/a", "/b", "/c"}) OpenAndWait(Page(path));
    SelectTab(c.selected);
    CWnd* closedView = frame->Tabs().GetTabView(c.closed);
    frame->Tabs().RemoveTab(c.closed);
    Drain();
    ASSERT_EQ(frame->Tabs().GetItemCount(), 2);
    EXPECT_EQ(frame->Tabs().FindTabByView(closedView), -1);
    EXPECT_EQ(frame->Tabs().GetCurSel(), c.selectedAfter);
    CKQIEView* current = frame->CurrentView();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(Text(current->GetLocationURL()), Page(c.shownAfter));
    EXPECT_TRUE(current->IsWindowVisible());
    for (int i = 0; i < 2; ++i)
      if (i != c.selectedAfter) {
        EXPECT_FALSE(frame->Tabs().GetTabView(i)->IsWindowVisible()) << i;
      }
    EXPECT_EQ(AddressBoxText(), Page(c.shownAfter));
  }
}

TEST_F(MainFrameTabs, TheOnlyTabStaysOnTheStartPageAndElsewhereGivesWayToIt) {
  ResetTabs();
  OpenAndWait(Text(StartPageAddress()));
  CWnd* startView = frame->Tabs().GetTabView(0);
  EXPECT_TRUE(frame->EnsureStartPage()) << "the control reports the start page as it is written";
  frame->Tabs().RemoveTab(0);
  Drain();
  EXPECT_EQ(frame->Tabs().GetItemCount(), 1);
  EXPECT_EQ(frame->Tabs().GetTabView(0), startView) << "not closed";

  ResetTabs();
  OpenAndWait(Page("/a"));
  EXPECT_FALSE(frame->EnsureStartPage());
  const uint64_t other = frame->CurrentView()->GetSerialNumber();
  frame->Tabs().RemoveTab(0);
  Drain();
  ASSERT_EQ(frame->Tabs().GetItemCount(), 1);
  ASSERT_NE(frame->CurrentView(), nullptr);
  EXPECT_NE(frame->CurrentView()->GetSerialNumber(), other) << "a new tab";
  WaitLoaded(0);
  EXPECT_EQ(Text(frame->CurrentView()->GetLocationURL()), Text(StartPageAddress()));
  EXPECT_EQ(AddressBoxText(), Text(StartPageAddress()));
}

TEST_F(MainFrameTabs, ABackgroundTabsTitleChangesItsTabButNotTheCaption) {
  ResetTabs();
  OpenAndWait(Page("/late-title"));
  OpenAndWait(Page("/b"));
  EXPECT_EQ(Caption(), u"page b - Quorla购物浏览器");
  // The first page renames itself a little later.
  ASSERT_TRUE(WaitFor([&] { return Text(frame->Tabs().GetTabText(0)) == u"renamed"; }));
  EXPECT_EQ(Caption(), u"page b - Quorla购物浏览器");
  EXPECT_EQ(Text(frame->Tabs().GetTabText(1)), u"page b");
}

TEST_F(MainFrameTabs, WhatTheUserTypesIntoTheAddressBoxStaysUntilEnter) {
  ResetTabs();
  OpenAndWait(Page("/a"));
  CKQIEView* view = frame->CurrentView();
  ASSERT_NE(view, nullptr);
  TypeIntoAddressBox(u"shop.example");
  frame->OnViewTitle(view, u"a new title");
  EXPECT_EQ(AddressBoxText(), u"shop.example") << "a title change leaves the typing alone";

  // Enter goes there; from then on the page's address shows again.
  PressEnterInAddressBox();
  ASSERT_TRUE(WaitFor([&] { return requestsFor("http://shop.example/") > 0; }));
  WaitLoaded(0);
  frame->OnViewTitle(view, u"");
  EXPECT_EQ(AddressBoxText(), u"http://shop.example/");

  // The browser's own writes are no typing.
  SelectTab(0);
  frame->OnViewTitle(view, u"");
  EXPECT_EQ(AddressBoxText(), Text(view->GetLocationURL()));
}

TEST_F(MainFrameTabs, BackAndForwardFollowTheShownTabsOwnHistory) {
  ResetTabs();
  OpenAndWait(Page("/a"));
  frame->CurrentView()->Navigate2(Page("/b").c_str());
  WaitLoaded(0);
  ASSERT_TRUE(WaitFor([&] { return IsEnabled(ID_NAVIGATE_BACK); }));
  EXPECT_FALSE(IsEnabled(ID_NAVIGATE_FORWARD));
  OpenAndWait(Page("/c"));
  EXPECT_FALSE(IsEnabled(ID_NAVIGATE_BACK)) << "the new tab has no history";
  SelectTab(0);
  EXPECT_TRUE(IsEnabled(ID_NAVIGATE_BACK)) << "the first tab's page can still go back";
  EXPECT_FALSE(IsEnabled(ID_NAVIGATE_FORWARD));
  frame->CurrentView()->GoBack();
  ASSERT_TRUE(WaitFor([&] { return IsEnabled(ID_NAVIGATE_FORWARD); }));
  SelectTab(1);
  EXPECT_FALSE(IsEnabled(ID_NAVIGATE_FORWARD)) << "the second tab's page has no forward";
  EXPECT_FALSE(IsEnabled(ID_NAVIGATE_BACK));
  SelectTab(0);
  EXPECT_TRUE(IsEnabled(ID_NAVIGATE_FORWARD));
}

TEST_F(MainFrameTabs, TheSearchOpensTheShopsSearchInANewTab) {
  ResetTabs();
  OpenAndWait(Page("/a"));
  SetSearchText(u"手机");
  SendMessageW(hwnd, WM_COMMAND, ID_SEARCH, 0);
  ASSERT_EQ(frame->Tabs().GetItemCount(), 2);
  ASSERT_TRUE(WaitFor([&] { return requestsWithQuery("q=%CA%D6%BB%FA") > 0; }));

  // An untouched box searches nothing: its hint is no query.
  ResetTabs();
  OpenAndWait(Page("/a"));
  ASSERT_TRUE(frame->SearchBox().IsShowingHint());
  SendMessageW(hwnd, WM_COMMAND, ID_SEARCH, 0);
  EXPECT_EQ(frame->Tabs().GetItemCount(), 1);
}

}  // namespace
}  // namespace browser_test
