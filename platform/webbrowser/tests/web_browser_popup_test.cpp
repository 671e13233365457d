// Pop-ups: what a page may open, how the host adopts a pop-up into a control
// of its own, and what a refusal leaves behind.
#include "web_browser_fixture.h"

namespace quorla_test {
namespace {

using quorla::testing::HttpTestServer;

std::vector<std::string> PathsOf(HttpTestServer& of) {
  std::vector<std::string> out;
  for (const auto& r : of.Requests()) out.push_back(r.path);
  return out;
}

class PopupTest : public WebBrowserTest {
 protected:
  // Serves an opener page whose script opens target at /opener and the
  // pop-up's page at /popup on a server of its own, and loads the opener
  // with the blocker lifted. The host answers with a new hidden control's
  // Application object unless the test set an answer.
  void Open(HttpTestServer& pages, const std::string& target) {
    pages.ServeBody("/opener", "<html><head><title>opener</title><script>"
                               "setTimeout(function () { window.open('" + target + "'); }, 50);"
                               "</script></head></html>");
    pages.ServeBody("/popup", "<html><head><title>popup</title></head><body>popup</body></html>");
    ASSERT_TRUE(pages.Start());
    popup = MakeExtraBrowser();
    ASSERT_NE(popup, nullptr);
    if (!recording.newWindow) recording.newWindow = [this] { return popup->Application(); };
    LetScriptsOpenWindows();
    ASSERT_EQ(Navigate(Wide(pages.Url("/opener"))), S_OK);
  }

  ExtraBrowser* popup = nullptr;
};

TEST_F(PopupTest, APopupIsAskedAboutOnceAndLoadsInTheHostsControl) {
  HttpTestServer pages;
  Open(pages, "/popup");
  ASSERT_TRUE(WaitForEvent("NewWindow2"));
  ASSERT_TRUE(WaitForEventOf(popup->recording, "DocumentComplete"));
  PumpFor(500);
  const std::string address = pages.Url("/popup");
  EXPECT_EQ(Count("NewWindow2"), 1u);
  EXPECT_EQ(SequenceIn(popup->recording.events, {"BeforeNavigate2", "NavigateComplete2", "DocumentComplete"}),
            (std::vector<std::string>{"BeforeNavigate2 top " + address, "NavigateComplete2 top " + address,
                                      "DocumentComplete top " + address}));
  // Asked as loading already, though nothing was requested yet.
  EXPECT_EQ(popup->recording.events.front().readyState, READYSTATE_LOADING);
  EXPECT_EQ(PathsOf(pages), (std::vector<std::string>{"/opener", "/popup"}));
  // The opener asks only about its own page.
  EXPECT_EQ(Count("BeforeNavigate2"), 1u);
}

TEST_F(PopupTest, APopupWithoutAnAddressIsAskedAboutAsBlank) {
  HttpTestServer pages;
  Open(pages, "");
  ASSERT_TRUE(WaitForEventOf(popup->recording, "BeforeNavigate2"));
  PumpFor(1000);
  EXPECT_EQ(SequenceIn(popup->recording.events, {"BeforeNavigate2"}),
            std::vector<std::string>{"BeforeNavigate2 top about:blank"});
  EXPECT_EQ(PathsOf(pages), std::vector<std::string>{"/opener"});
}

TEST_F(PopupTest, RefusedPopupIsNeverRequested) {
  HttpTestServer pages;
  recording.newWindow = [this] {
    popup->recording.cancelWhen = [](const BrowserEvent&) { return true; };
    return popup->Application();
  };
  Open(pages, "/popup");
  ASSERT_TRUE(WaitForEventOf(popup->recording, "BeforeNavigate2"));
  PumpFor(1500);
  EXPECT_EQ(PathsOf(pages), std::vector<std::string>{"/opener"});
  EXPECT_EQ(SequenceIn(popup->recording.events, {"BeforeNavigate2", "NavigateComplete2", "DocumentComplete"}),
            std::vector<std::string>{"BeforeNavigate2 top " + pages.Url("/popup")});
}

TEST_F(PopupTest, AnswersOtherThanANewControlDropThePopup) {
  struct Case {
    const char* name;
    std::function<IDispatch*()> answer;
    bool cancel;
  };
  const std::vector<Case> cases = {
      {"nothing", [] { return nullptr; }, false},
      {"the opener itself", [this] { return ExtraBrowser{window, browser, nullptr, {}}.Application(); }, false},
      {"a new control, cancelled", [this] { return popup->Application(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HttpTestServer pages;
    const size_t asked = Count("NewWindow2");
    const size_t navigations = Count("BeforeNavigate2");
    recording.newWindow = c.answer;
    recording.cancelNewWindow = c.cancel;
    Open(pages, "/popup");
    ASSERT_TRUE(WaitForEvent("NewWindow2", asked + 1));
    PumpFor(1500);
    EXPECT_TRUE(popup->recording.events.empty());
    EXPECT_EQ(PathsOf(pages), std::vector<std::string>{"/opener"});
    EXPECT_EQ(Count("BeforeNavigate2"), navigations + 1);
  }
}

TEST_F(WebBrowserTest, ScriptsOpenNoWindowsByThemselves) {
  server.ServeBody("/opener", "<html><head><title>opener</title><script>"
                              "var w = window.open('/popup'); document.title = w ? 'opened' : 'refused';"
                              "</script></head></html>");
  server.ServeBody("/popup", "<html><title>popup</title></html>");
  ASSERT_TRUE(server.Start());
  bool asked = false;
  recording.newWindow = [&asked] {
    asked = true;
    return nullptr;
  };
  ASSERT_EQ(Navigate(Wide(server.Url("/opener"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  PumpFor(1000);
  EXPECT_FALSE(asked);
  EXPECT_EQ(Count("NewWindow2"), 0u);
  EXPECT_EQ(Narrow(LocationName()), "refused");
  EXPECT_EQ(RequestedPaths(), std::vector<std::string>{"/opener"});
}

}  // namespace
}  // namespace quorla_test
