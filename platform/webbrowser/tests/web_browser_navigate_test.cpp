// What Navigate makes of typed text and how addresses come back.
#include "web_browser_fixture.h"

namespace quorla_test {
namespace {

TEST_F(WebBrowserTest, TypedAddressesReachTheServerAsWritten) {
  server.Route("/", [](const quorla::testing::HttpRequest&, quorla::testing::HttpResponder& out) {
    out.Respond(200, "<html><title>x</title></html>");
  });
  for (const char* path : {"/a", "/p%D6%BB", "/s", "/q", "/u%2Fv"})
    server.ServeBody(path, "<html><title>x</title></html>");
  ASSERT_TRUE(server.Start());
  const std::string port = std::to_string(server.Port());
  struct Case {
    std::string typed;
    std::string requested;  // path and query as the server saw them
    std::string location;   // LocationURL afterwards
  };
  const std::vector<Case> cases = {
      // No scheme: the engine's fix-up makes it http.
      {"127.0.0.1:" + port + "/a", "/a", "http://127.0.0.1:" + port + "/a"},
      // Escaped bytes of another code page stay as they are.
      {"http://127.0.0.1:" + port + "/p%D6%BB?q=%CA%D6%BB%FA", "/p%D6%BB?q=%CA%D6%BB%FA",
       "http://127.0.0.1:" + port + "/p%D6%BB?q=%CA%D6%BB%FA"},
      // Text outside ASCII goes out, and comes back, as escaped UTF-8.
      {"http://127.0.0.1:" + port + "/s?q=手机", "/s?q=%E6%89%8B%E6%9C%BA",
       "http://127.0.0.1:" + port + "/s?q=%E6%89%8B%E6%9C%BA"},
      {"  http://127.0.0.1:" + port + "/q?a=b c  ", "/q?a=b%20c", "http://127.0.0.1:" + port + "/q?a=b%20c"},
      // An escaped separator is not a separator.
      {"http://127.0.0.1:" + port + "/u%2Fv?x=%26%3D", "/u%2Fv?x=%26%3D",
       "http://127.0.0.1:" + port + "/u%2Fv?x=%26%3D"},
  };
  size_t done = 0;
  for (const Case& c : cases) {
    ASSERT_EQ(Navigate(Wide(c.typed)), S_OK) << c.typed;
    ASSERT_TRUE(WaitForEvent("DocumentComplete", ++done)) << c.typed;
    auto requested = RequestedPaths();
    ASSERT_FALSE(requested.empty());
    EXPECT_EQ(requested.back(), c.requested) << c.typed;
    EXPECT_EQ(Narrow(LocationUrl()), c.location) << c.typed;
    EXPECT_EQ(Sequence({"BeforeNavigate2"}).back(), "BeforeNavigate2 top " + c.location);
  }
}

TEST_F(WebBrowserTest, EscapedLettersReachTheServerAsWritten) {
  for (const char* path : {"/first", "/p", "/ab"}) server.ServeBody(path, "<html><title>x</title></html>");
  ASSERT_TRUE(server.Start());
  const std::string port = std::to_string(server.Port());
  struct Case {
    std::string typed;
    std::string requested;  // path and query as the server saw them
  };
  const std::vector<Case> cases = {
      {server.Url("/p?q=%61%62"), "/p?q=%61%62"},
      {server.Url("/p?q=%CA%D6%BB%FA&k=%7e%2D"), "/p?q=%CA%D6%BB%FA&k=%7e%2D"},
      // Fixed up all the same.
      {"127.0.0.1:" + port + "/p?q=%61", "/p?q=%61"},
      // The engine itself writes an escaped letter of a path as the letter.
      {server.Url("/%61b?q=%61"), "/ab?q=%61"},
  };
  // From a control that has shown nothing yet, and from a page.
  for (const bool fromPage : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed + (fromPage ? " from a page" : " first"));
      ExtraBrowser* control = MakeExtraBrowser();
      ASSERT_NE(control, nullptr);
      const auto& log = control->recording.events;
      if (fromPage) {
        ASSERT_EQ(Navigate(Wide(server.Url("/first")), control->browser), S_OK);
        ASSERT_TRUE(WaitForEventOf(control->recording, "DocumentComplete"));
      }
      const size_t asked = CountIn(log, "BeforeNavigate2");
      const size_t requests = server.Requests().size();
      ASSERT_EQ(Navigate(Wide(c.typed), control->browser), S_OK);
      ASSERT_TRUE(WaitForEventOf(control->recording, "DocumentComplete", fromPage ? 2 : 1));
      PumpFor(200);
      const auto seen = server.Requests();
      ASSERT_EQ(seen.size(), requests + 1);
      EXPECT_EQ(seen.back().query.empty() ? seen.back().path : seen.back().path + "?" + seen.back().query,
                c.requested);
      // A typed address names no page it came from.
      EXPECT_EQ(seen.back().Header("referer"), "");
      // Asked about once, as the top level; nothing told of the way there,
      // and no way back to it.
      EXPECT_EQ(CountIn(log, "BeforeNavigate2"), asked + 1);
      EXPECT_EQ(SequenceIn(log, {"BeforeNavigate2"}).back().rfind("BeforeNavigate2 top http://127.0.0.1:" + port + "/", 0),
                0u);
      bool canGoBack = false;
      for (const BrowserEvent& e : log) {
        EXPECT_EQ(e.text.find("about:blank"), std::string::npos) << e.name;
        if (e.name == "CommandStateChange" && e.text == "2 1") canGoBack = true;
      }
      EXPECT_EQ(canGoBack, fromPage);
    }
  }
}

TEST_F(WebBrowserTest, UnusableAddressesAreRefused) {
  EXPECT_EQ(browser->Navigate(nullptr, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
  for (const char16_t* typed : {u"", u"   "}) EXPECT_EQ(Navigate(typed), E_INVALIDARG);
  PumpFor(200);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(ReadyState(), READYSTATE_UNINITIALIZED);
}

TEST_F(WebBrowserTest, LocationNameIsTheTitleElseTheAddress) {
  server.ServeBody("/titled", "<html><head><meta charset=\"utf-8\"><title>淘宝 Title</title></head></html>");
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(LocationUrl(), u"");
  ASSERT_EQ(Navigate(Wide(server.Url("/titled"))), S_OK);
  ASSERT_TRUE(WaitForEvent("DocumentComplete"));
  EXPECT_EQ(LocationName(), u"淘宝 Title");
  IDispatch* application = nullptr;
  ASSERT_EQ(browser->get_Application(&application), S_OK);
  IDispatch* own = nullptr;
  ASSERT_EQ(browser->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&own)), S_OK);
  EXPECT_EQ(application, own);
  application->Release();
  own->Release();
}

}  // namespace
}  // namespace quorla_test
