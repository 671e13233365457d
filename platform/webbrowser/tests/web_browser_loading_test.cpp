// A slow page from first question to completion: the control says it is
// loading the whole time, from the host's question on, and nothing tells the
// host the page is done before it is; a refused navigation changes nothing.
#include <algorithm>

#include "web_browser_fixture.h"

namespace quorla_test {
namespace {

std::string Page(const std::string& title) {
  return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

TEST_F(WebBrowserTest, ASlowPageIsLoadingFromItsQuestionToItsCompletion) {
  // Each body arrives in four pieces, 700 ms apart.
  const std::string slowBody = Page("slow") + std::string(400, ' ');
  for (const char* path : {"/slow1", "/slow2"}) server.ServeSlow(path, slowBody, slowBody.size() / 4 + 1, 700);
  ASSERT_TRUE(server.Start());

  struct Case {
    std::string path;
    LONG stateBefore;
  };
  // A fresh control, and one whose last page completed.
  for (const Case& c : {Case{"/slow1", READYSTATE_UNINITIALIZED}, Case{"/slow2", READYSTATE_COMPLETE}}) {
    ASSERT_EQ(ReadyState(), c.stateBefore) << c.path;
    const size_t from = events.size();
    const size_t completed = Count("DocumentComplete");
    ASSERT_EQ(Navigate(Wide(server.Url(c.path))), S_OK);
    ASSERT_TRUE(PumpUntil([&] {
      const auto paths = RequestedPaths();
      return std::find(paths.begin(), paths.end(), c.path) != paths.end();
    }));
    PumpFor(900);  // the first piece is in, the rest still to come
    EXPECT_EQ(ReadyState(), READYSTATE_LOADING) << c.path;
    VARIANT_BOOL busy = VARIANT_FALSE;
    ASSERT_EQ(browser->get_Busy(&busy), S_OK);
    EXPECT_EQ(busy, VARIANT_TRUE) << c.path;
    EXPECT_EQ(Count("DocumentComplete"), completed) << c.path;

    ASSERT_TRUE(WaitForEvent("DocumentComplete", completed + 1)) << c.path;
    const auto end = std::find_if(events.begin() + static_cast<long>(from), events.end(),
                                  [](const BrowserEvent& e) { return e.name == "DocumentComplete"; });
    ASSERT_NE(end, events.end());
    // Every event of the navigation was told while loading, its question
    // included, until the load ended; the empty status text comes only with
    // the end, right before the completion.
    bool ended = false;
    for (auto e = events.begin() + static_cast<long>(from); e != end; ++e) {
      if (e->name == "StatusTextChange" && e->text.empty()) {
        EXPECT_EQ(e + 1, end) << c.path << ": an empty status text before the load ended";
      }
      if (e->readyState == READYSTATE_COMPLETE) ended = true;
      EXPECT_EQ(e->readyState, ended ? READYSTATE_COMPLETE : READYSTATE_LOADING) << c.path << " " << e->name << " "
                                                                                  << e->text;
    }
    EXPECT_EQ(end->readyState, READYSTATE_COMPLETE);
    EXPECT_EQ(ReadyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(Sequence({"TitleChange"}).back(), "TitleChange slow");
  }
}

TEST_F(WebBrowserTest, ARefusedNavigationLeavesTheStateItFound) {
  server.ServeBody("/kept", Page("kept"));
  server.ServeBody("/refused", Page("refused"));
  ASSERT_TRUE(server.Start());
  cancelWhen = [](const BrowserEvent& e) { return e.text.find("/refused") != std::string::npos; };
  struct Case {
    std::string before;  // loaded first, or nothing
    LONG state;
  };
  for (const Case& c : {Case{"", READYSTATE_UNINITIALIZED}, Case{"/kept", READYSTATE_COMPLETE}}) {
    if (!c.before.empty()) {
      ASSERT_EQ(Navigate(Wide(server.Url(c.before))), S_OK);
      ASSERT_TRUE(WaitForEvent("DocumentComplete"));
    }
    const size_t asked = Count("BeforeNavigate2");
    ASSERT_EQ(Navigate(Wide(server.Url("/refused"))), S_OK);
    ASSERT_TRUE(WaitForEvent("BeforeNavigate2", asked + 1));
    PumpFor(800);
    // Nothing told after the question, nothing asked of the server.
    EXPECT_EQ(events.back().name, "BeforeNavigate2");
    EXPECT_EQ(events.back().readyState, READYSTATE_LOADING) << "asked while loading";
    EXPECT_EQ(ReadyState(), c.state) << c.before;
  }
  EXPECT_EQ(Count("DocumentComplete"), 1u);
  EXPECT_EQ(RequestedPaths(), std::vector<std::string>{"/kept"});
}

}  // namespace
}  // namespace quorla_test
