// The control's events against a local server: their order, what fires once,
// what a cancelled frame stops, and the back and forward states. (The ready
// state along a load and a refused top-level navigation:
// web_browser_loading_test.)
#include "web_browser_fixture.h"
#include "win/window_objects.h"

namespace quorla_test {
namespace {

const std::string kFramed =
    "<html><head><title>Framed</title></head><body><iframe src=\"/inner.html\"></iframe></body></html>";

std::string Page(const std::string& title) {
  return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

TEST_F(WebBrowserTest, RedirectAndFrameGiveOneNavigationOneCommitOneCompletion) {
  server.ServeRedirect("/redir", "/framed.html");
  server.ServeBody("/framed.html", kFramed);
  server.ServeBody("/inner.html", Page("inner"));
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/redir"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  PumpFor(300);

  const std::vector<std::string> expected = {
      "BeforeNavigate2 top " + server.Url("/redir"),
      "NavigateComplete2 top " + server.Url("/framed.html"),
      "BeforeNavigate2 frame " + server.Url("/inner.html"),
      "DocumentComplete top " + server.Url("/framed.html"),
  };
  EXPECT_EQ(Sequence({"BeforeNavigate2", "NavigateComplete2", "DocumentComplete"}), expected);
  EXPECT_EQ(Count("DocumentComplete"), 1u);
  EXPECT_EQ(ReadyState(), READYSTATE_COMPLETE);
  EXPECT_EQ(LocationUrl(), Wide(server.Url("/framed.html")));
  EXPECT_EQ(LocationName(), u"Framed");
}

TEST_F(WebBrowserTest, CancelledFrameIsNeverRequestedAndThePageStillCompletes) {
  server.ServeBody("/framed.html", kFramed);
  server.ServeBody("/inner.html", Page("inner"));
  ASSERT_TRUE(server.Start());
  cancelWhen = [](const BrowserEvent& e) { return !e.topLevel; };
  ASSERT_EQ(Navigate(Wide(server.Url("/framed.html"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  PumpFor(300);
  EXPECT_EQ(RequestedPaths(), std::vector<std::string>{"/framed.html"});
  EXPECT_EQ(Count("DocumentComplete"), 1u);
}

TEST_F(WebBrowserTest, StoppedAndFailedLoadsCompleteOnce) {
  server.ServeStalled("/stalled");
  ASSERT_TRUE(server.Start());
  ASSERT_EQ(Navigate(Wide(server.Url("/stalled"))), S_OK);
  ASSERT_TRUE(PumpUntil([&] { return !server.Requests().empty(); }));
  EXPECT_EQ(ReadyState(), READYSTATE_LOADING);
  EXPECT_EQ(Count("DocumentComplete"), 0u);
  EXPECT_EQ(browser->Stop(), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  EXPECT_EQ(ReadyState(), READYSTATE_COMPLETE);

  // Nothing listens on the port of a stopped server.
  quorla::testing::HttpTestServer gone;
  ASSERT_TRUE(gone.Start());
  const std::string deadAddress = gone.Url("/nothing");
  gone.Stop();
  ASSERT_EQ(Navigate(Wide(deadAddress)), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete", 2));
  PumpFor(500);
  EXPECT_EQ(Count("DocumentComplete"), 2u);
  EXPECT_EQ(events.back().readyState, READYSTATE_COMPLETE);
  EXPECT_EQ(Sequence({"DocumentComplete"}).back(), "DocumentComplete top " + deadAddress);
}

TEST_F(WebBrowserTest, BackAndForwardStatesFollowTheHistory) {
  server.ServeBody("/one", Page("one"));
  server.ServeBody("/two", Page("two"));
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(browser->GoBack(), E_FAIL);
  EXPECT_EQ(browser->GoForward(), E_FAIL);

  struct Step {
    std::function<HRESULT()> act;
    std::vector<std::string> states;  // back then forward, as reported after the step
    std::string location;
  };
  const std::vector<Step> steps = {
      {[&] { return Navigate(Wide(server.Url("/one"))); }, {}, "/one"},
      {[&] { return Navigate(Wide(server.Url("/two"))); }, {"2 1", "1 0"}, "/two"},
      {[&] { return browser->GoBack(); }, {"2 0", "1 1"}, "/one"},
      {[&] { return browser->GoForward(); }, {"2 1", "1 0"}, "/two"},
  };
  size_t completions = 0;
  for (const Step& step : steps) {
    events.clear();
    ASSERT_EQ(step.act(), S_OK) << step.location;
    ASSERT_TRUE(WaitForEvent("DocumentComplete")) << step.location;
    PumpFor(200);
    ++completions;
    std::vector<std::string> states;
    for (const auto& e : events)
      if (e.name == "CommandStateChange") states.push_back(e.text);
    EXPECT_EQ(states, step.states) << step.location;
    EXPECT_EQ(LocationUrl(), Wide(server.Url(step.location)));
  }
  EXPECT_EQ(completions, steps.size());
}

TEST_F(WebBrowserTest, WindowDestroyedInsideAnEventEndsTheEvents) {
  server.ServeBody("/a", Page("A"));
  ASSERT_TRUE(server.Start());
  onEvent = [&](const BrowserEvent& e) {
    if (e.name == "NavigateComplete2" && window) {
      DestroyWindow(window);
      window = nullptr;
    }
  };
  ASSERT_EQ(Navigate(Wide(server.Url("/a"))), S_OK);
  ASSERT_TRUE(WaitForEvent("NavigateComplete2"));
  PumpFor(800);
  EXPECT_EQ(Sequence({"NavigateComplete2", "DocumentComplete", "TitleChange"}).size(), 1u);
  EXPECT_EQ(Navigate(u"http://127.0.0.1/"), E_FAIL);
}

}  // namespace
}  // namespace quorla_test
