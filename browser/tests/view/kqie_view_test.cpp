// The browser view against scripted events: what it asks of the main
// window, the navigation hook (top level only), adoption and discarding of
// new-window views, the capture timer.
#include <chrono>
#include <thread>

#include "engine_test_environment.h"
#include "url_filter.h"
#include "view_test_support.h"

namespace view_test {
namespace {

using afx_ole_test::PumpFor;
using afx_ole_test::PumpUntil;

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// One scripted event of a tab view: its kind, whether it is the page's own
// (else a frame's), its address.
struct Step {
  enum Kind { kBefore, kComplete } kind;
  bool top;
  std::u16string url;
};

const std::u16string kShop = u"http://item.shop.example/1.html";
const std::u16string kAd = u"http://ads.example/frame.html";

TEST_F(ViewTest, NavigationHandlerCalledForThePageOnly) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<std::u16string> navigations;  // what the main window's handler was told
  };
  const Case cases[] = {
      {"a page's start", {{Step::kBefore, true, kShop}}, {kShop}},
      {"a frame's start is no navigation", {{Step::kBefore, false, kAd}, {Step::kBefore, true, kShop}}, {kShop}},
      {"a second start before the completion", {{Step::kBefore, true, kShop}, {Step::kBefore, true, kAd}}, {kShop}},
      {"the blank page is no navigation", {{Step::kBefore, true, u"about:blank"}, {Step::kBefore, true, kShop}},
       {kShop}},
      {"the completion rearms",
       {{Step::kBefore, true, kShop}, {Step::kComplete, true, kShop}, {Step::kBefore, true, kAd}},
       {kShop, kShop, kAd}},
      {"a frame's completion neither calls nor rearms",
       {{Step::kBefore, true, kShop}, {Step::kComplete, false, kAd}, {Step::kBefore, false, kAd},
        {Step::kBefore, true, kAd}},
       {kShop}},
      {"a late frame after the completion",
       {{Step::kBefore, true, kShop}, {Step::kComplete, true, kShop}, {Step::kBefore, false, kAd}},
       {kShop, kShop}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CKQIEView* tab = MakeView(1);
    ASSERT_NE(tab, nullptr);
    owner.calls.clear();
    for (const Step& step : c.steps) {
      IDispatch* dispatch = step.top ? Top(tab) : Frame();
      if (step.kind == Step::kBefore)
        EXPECT_FALSE(BeforeNavigate(tab, dispatch, step.url));
      else
        DocumentComplete(tab, dispatch, step.url);
    }
    EXPECT_EQ(owner.Of("navigate"), c.navigations);
    EXPECT_TRUE(owner.Of("adopt").empty());
  }
}

TEST_F(ViewTest, StatusTextReachesTheOwner) {
  struct Case {
    std::u16string given, kept;
  };
  for (const Case& c : {Case{u"http://a.example/", u"http://a.example/"}, Case{u"", u"完成"},
                        Case{u"正在打开网页", u"正在打开网页"}}) {
    owner.calls.clear();
    view->OnStatusTextChange(c.given.c_str());
    EXPECT_EQ(view->GetStatusText().str(), c.kept);
    EXPECT_EQ(owner.calls, (std::vector<OwnerCall>{{"status", view, c.kept}}));
  }
  // Before a navigation and at a page's completion.
  owner.calls.clear();
  BeforeNavigate(view, Top(view), kShop);
  DocumentComplete(view, Top(view), kShop);
  EXPECT_EQ(owner.Of("status"), (std::vector<std::u16string>{u"打开 " + kShop, u"完成"}));
  // A frame's completion leaves it.
  DocumentComplete(view, Frame(), kAd);
  EXPECT_EQ(owner.Of("status").size(), 2u);
}

TEST_F(ViewTest, LeavingALinkWhileThePageComesIsNotDone) {
  struct Step {
    enum Kind { kBefore, kFrameBefore, kLeaveLink, kComplete } kind;
    std::u16string status;  // afterwards
  };
  const std::vector<Step> steps = {
      {Step::kBefore, u"打开 " + kShop},
      {Step::kLeaveLink, u"打开 " + kShop},
      // A frame's start is told, but the page is what is still coming.
      {Step::kFrameBefore, u"打开 " + kAd},
      {Step::kLeaveLink, u"打开 " + kShop},
      {Step::kComplete, u"完成"},
      {Step::kLeaveLink, u"完成"},
      // A late frame of a complete page: leaving a link is done again.
      {Step::kFrameBefore, u"打开 " + kAd},
      {Step::kLeaveLink, u"完成"},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    switch (steps[i].kind) {
      case Step::kBefore:
        BeforeNavigate(view, Top(view), kShop);
        break;
      case Step::kFrameBefore:
        BeforeNavigate(view, Frame(), kAd);
        break;
      case Step::kLeaveLink:
        view->OnStatusTextChange(u"");
        break;
      case Step::kComplete:
        DocumentComplete(view, Top(view), kShop);
        break;
    }
    EXPECT_EQ(view->GetStatusText().str(), steps[i].status) << "step " << i;
  }
}

TEST_F(ViewTest, TitleAndCommandStatesReachTheOwnerAndStay) {
  view->OnTitleChange(u"商品 - 标题");
  EXPECT_FALSE(view->GetCommandState(CSC_NAVIGATEBACK));
  view->OnCommandStateChange(CSC_NAVIGATEBACK, TRUE);
  view->OnCommandStateChange(CSC_NAVIGATEFORWARD, FALSE);
  view->OnCommandStateChange(CSC_NAVIGATEFORWARD, TRUE);
  view->OnCommandStateChange(CSC_NAVIGATEBACK, FALSE);
  EXPECT_EQ(owner.calls, (std::vector<OwnerCall>{{"title", view, u"商品 - 标题"},
                                                 {"command", view, u"2 1"},
                                                 {"command", view, u"1 0"},
                                                 {"command", view, u"1 1"},
                                                 {"command", view, u"2 0"}}));
  EXPECT_FALSE(view->GetCommandState(CSC_NAVIGATEBACK));
  EXPECT_TRUE(view->GetCommandState(CSC_NAVIGATEFORWARD));
  EXPECT_FALSE(view->GetCommandState(CSC_UPDATECOMMANDS));
}

TEST_F(ViewTest, NewWindowIsAHiddenViewAdoptedAtItsFirstNavigation) {
  FilterFile filter("/ads/\n");
  const std::u16string item = Wide(server.Url("/shop/item.html"));
  bool discardQueued = true;
  CKQIEView* popup = OpenPopup(item, &discardQueued);
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(discardQueued);
  EXPECT_NE(popup, view);
  EXPECT_TRUE(popup->IsAdopted());
  // Shown only by the owner, which the stand-in does not do.
  EXPECT_FALSE(popup->IsWindowVisible());
  EXPECT_EQ(::GetParent(popup->GetSafeHwnd()), parent.GetSafeHwnd());
  ASSERT_GE(owner.calls.size(), 3u);
  EXPECT_EQ(std::vector<OwnerCall>(owner.calls.begin(), owner.calls.begin() + 3),
            (std::vector<OwnerCall>{{"adopt", popup, u""}, {"status", popup, u"打开 " + item}, {"navigate", popup, item}}));

  // One adoption only, and a stray discard leaves a view that a tab holds.
  EXPECT_FALSE(BeforeNavigate(popup, Top(popup), kShop));
  popup->SendMessage(WM_COMMAND, CKQIEView::kDiscardCommand);
  EXPECT_TRUE(Exists(popup->GetSafeHwnd()));
  size_t adoptions = 0;
  for (const auto& call : owner.calls) adoptions += call.what == "adopt";
  EXPECT_EQ(adoptions, 1u);
}

// A filtered new window is refused and its discard queued: it goes, unless
// whatever put it into a tab meanwhile holds it.
TEST_F(ViewTest, FilteredNewWindowIsCancelledAndDiscardedUnlessATabHoldsIt) {
  for (bool held : {false, true}) {
    SCOPED_TRACE(held ? "held by a tab" : "alone");
    FilterFile filter("  /ads/  \n");
    bool discardQueued = false;
    CKQIEView* popup = OpenPopup(Wide(server.Url("/ads/pop.html?id=1")), &discardQueued);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(discardQueued);
    HWND popupWindow = popup->GetSafeHwnd();
    ForgottenViews().clear();
    if (held) {
      owner.tabs.insert(popup);
      PumpFor(300);
      EXPECT_TRUE(Exists(popupWindow)) << "a tab's view is not deleted under it";
      EXPECT_TRUE(ForgottenViews().empty());
      continue;
    }
    // The opener navigates it again before the discard arrives: it stays
    // refused and never becomes a tab.
    EXPECT_TRUE(BeforeNavigate(popup, Top(popup), Wide(server.Url("/shop/item.html"))));
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_TRUE(PumpUntil([&] { return !Exists(popupWindow); }, 5000));
    EXPECT_FALSE(::IsWindow(popupWindow));
    EXPECT_EQ(ForgottenViews(), std::vector<CKQIEView*>{popup});
    EXPECT_TRUE(owner.calls.empty());
    PumpFor(300);
    for (const auto& request : server.Requests()) EXPECT_EQ(request.path.find("/ads/"), std::string::npos);
  }
}

TEST_F(ViewTest, PagePopupsBecomeTabsUnlessFiltered) {
  struct Case {
    const char* name;
    std::string filter;
    bool adopted;
  };
  for (const Case& c : {Case{"no filter", "", true}, Case{"filtered", "/shop/\n", false},
                        Case{"filter of another address", "/ads/\n", true}}) {
    FilterFile filter(c.filter);
    CKQIEView* tab = MakeView(1);
    ASSERT_NE(tab, nullptr);
    owner.tabs.insert(tab);
    ASSERT_TRUE(afx_ole_test::LetScriptsOpenWindows());
    owner.calls.clear();
    ForgottenViews().clear();
    const size_t requestsBefore = server.Requests().size();
    tab->Navigate(Wide(server.Url("/opener")).c_str());

    const std::u16string item = Wide(server.Url("/shop/item.html"));
    CKQIEView* popup = nullptr;
    const bool settled = PumpUntil([&] {
      for (const auto& call : owner.calls)
        if (call.what == "adopt") popup = call.view;
      return popup || !ForgottenViews().empty();
    });
    ASSERT_TRUE(settled) << c.name;
    PumpFor(500);
    size_t itemRequests = 0;
    const auto requests = server.Requests();
    for (size_t i = requestsBefore; i < requests.size(); ++i) itemRequests += requests[i].path == "/shop/item.html";
    if (c.adopted) {
      ASSERT_NE(popup, nullptr) << c.name;
      EXPECT_NE(popup, tab) << c.name;
      EXPECT_TRUE(popup->IsAdopted()) << c.name;
      EXPECT_EQ(owner.Of("navigate").front(), Wide(server.Url("/opener"))) << c.name;
      EXPECT_EQ(itemRequests, 1u) << c.name;
      EXPECT_TRUE(ForgottenViews().empty()) << c.name;
      delete popup;
    } else {
      EXPECT_EQ(popup, nullptr) << c.name;
      EXPECT_EQ(ForgottenViews().size(), 1u) << c.name;
      EXPECT_EQ(itemRequests, 0u) << c.name;
    }
    delete tab;
  }
}

TEST_F(ViewTest, FilterLeavesTabsAlone) {
  FilterFile filter("ads.example\n");
  // A tab navigates wherever it is sent; the filtered address is only not
  // announced before it loads.
  EXPECT_FALSE(BeforeNavigate(view, Top(view), u"http://ads.example/page"));
  EXPECT_FALSE(BeforeNavigate(view, Frame(), u"http://ads.example/frame"));
  EXPECT_TRUE(owner.calls.empty());
  DocumentComplete(view, Top(view), u"http://ads.example/page");
  EXPECT_EQ(owner.Of("navigate"), (std::vector<std::u16string>{u"http://ads.example/page"}));
  PumpFor(200);
  EXPECT_TRUE(Exists(view->GetSafeHwnd()));
}

TEST_F(ViewTest, CaptureTicksQueueThePageSixtyTimesAtMost) {
  struct Case {
    const char* name;
    int ticks;
    int capturedAfter;  // ticks after which a price was read; -1 never
    size_t queued;
  };
  for (const Case& c : {Case{"a minute", 60, -1, 60}, Case{"longer", 75, -1, 60}, Case{"captured", 30, 10, 10},
                        Case{"captured at once", 5, 0, 0}}) {
    CKQIEView* tab = MakeView(1);
    ASSERT_NE(tab, nullptr);
    QueuedViews().clear();
    for (int tick = 0; tick < c.ticks; ++tick) {
      if (tick == c.capturedAfter) tab->PriceCaptured = 1;
      tab->SendMessage(WM_TIMER, CKQIEView::kCaptureTimer);
    }
    EXPECT_EQ(QueuedViews().size(), c.queued) << c.name;
    for (CKQIEView* queued : QueuedViews()) EXPECT_EQ(queued, tab) << c.name;
    delete tab;
  }
}

TEST_F(ViewTest, CaptureTimerRunsFromTheFirstCommitUntilACompletion) {
  NavigateComplete(view, Top(view), kShop);
  EXPECT_TRUE(PumpUntil([&] { return QueuedViews().size() >= 2; }, 5000));

  // Any completion, even a frame's, stops it; a later commit does not start
  // it again.
  DocumentComplete(view, Frame(), kAd);
  QueuedViews().clear();
  NavigateComplete(view, Top(view), kShop + u"?next");
  PumpFor(2500);
  EXPECT_TRUE(QueuedViews().empty());
}

TEST_F(ViewTest, SerialNumbersAreNeverReused) {
  std::set<uint64_t> seen{view->GetSerialNumber()};
  uint64_t last = view->GetSerialNumber();
  for (int i = 0; i < 3; ++i) {
    auto* made = new CKQIEView(owner, 1);
    EXPECT_GT(made->GetSerialNumber(), last);
    last = made->GetSerialNumber();
    EXPECT_TRUE(seen.insert(last).second);
    delete made;
  }
  EXPECT_EQ(view->PriceCaptured.load(), 0);
}

TEST_F(ViewTest, HostFlagsAddTheFlatBorder) {
  struct Exposed : CKQIEView {
    using CKQIEView::CKQIEView;
    using CKQIEView::OnGetHostInfo;
  } exposed(owner);
  for (DWORD given : {DWORD{0}, DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_SCROLL_NO, DOCHOSTUIFLAG_NO3DBORDER}) {
    DOCHOSTUIINFO info{sizeof(DOCHOSTUIINFO), given, 7, nullptr, nullptr};
    EXPECT_EQ(exposed.OnGetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, given | DOCHOSTUIFLAG_NO3DBORDER);
    EXPECT_EQ(info.dwDoubleClick, 7u);
  }
}

}  // namespace
}  // namespace view_test
