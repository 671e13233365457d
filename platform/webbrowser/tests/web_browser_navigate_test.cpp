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
