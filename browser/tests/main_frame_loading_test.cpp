// A page that is slow to come, in a new tab and typed into a tab that shows
// its page's icon: while it loads its tab animates, the status bar says what
// is being opened and stop is there to press; once it is in, the tab shows
// its icon and the status bar "完成".
#include <gtest/gtest.h>

#include <string>

#include "browser_ids.h"
#include "kqie_view.h"
#include "main_frame_tabs_test_support.h"
#include "process_objects.h"
#include "tab_item.h"

namespace browser_test {
namespace {

constexpr int kSlowPauseMs = 3000;

class MainFrameLoading : public TabsTest {
 protected:
  static void SetUpTestSuite() {
    StartProxy([](quorla::testing::HttpTestServer& pages) {
      pages.ServeBody("http://shop.test/a", TitledPage("page a"));
      // The headers at once, the body a few seconds later.
      for (const char* path : {"http://shop.test/slow1", "http://shop.test/slow2"}) {
        pages.Route(path, [](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
          const std::string body = TitledPage("slow");
          if (!out.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n"))
            return;
          if (out.Pause(kSlowPauseMs)) out.Send(body);
        });
      }
    });
  }

  DWORD TabState(int tab) { return frame->Tabs().GetItemState(tab, TABSTATE_LOADING | TABSTATE_ICON); }
  std::u16string Status() { return Text(frame->GetStatusText()); }
};

TEST_F(MainFrameLoading, ASlowPageAnimatesItsTabUntilItIsIn) {
  OpenAndWait(Page("/a"));
  ASSERT_TRUE(WaitFor([&] { return TabState(0) == TABSTATE_ICON; }));
  struct Case {
    const char* name;
    const char* path;
    bool newTab;  // else typed into the current tab
    int tab;
  };
  const Case cases[] = {
      {"typed into a tab that shows its icon", "/slow1", false, 0},
      {"in a new tab", "/slow2", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string address = "http://shop.test" + std::string(c.path);
    if (c.newTab) {
      frame->OpenUrlInNewTab(Page(c.path).c_str());
    } else {
      TypeIntoAddressBox(Page(c.path));
      PressEnterInAddressBox();
    }
    ASSERT_TRUE(WaitFor([&] { return requestsFor(address) > 0; }));
    ASSERT_EQ(frame->Tabs().GetCurSel(), c.tab);
    // Half a second on, the body has not come yet.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    WaitFor([&] { return std::chrono::steady_clock::now() > until; });
    auto* view = static_cast<CKQIEView*>(frame->Tabs().GetTabView(c.tab));
    ASSERT_NE(view, nullptr);
    EXPECT_NE(view->GetReadyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(TabState(c.tab), TABSTATE_LOADING);
    EXPECT_NE(Status(), u"完成");
    EXPECT_EQ(Status().rfind(u"打开 ", 0), 0u) << "the status tells what is being opened";
    EXPECT_TRUE(IsEnabled(ID_NAVIGATE_STOP));

    WaitLoaded(c.tab);
    EXPECT_TRUE(WaitFor([&] { return TabState(c.tab) == TABSTATE_ICON; }));
    EXPECT_EQ(Status(), u"完成");
  }
}

}  // namespace
}  // namespace browser_test
