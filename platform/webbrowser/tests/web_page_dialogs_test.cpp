// A page's own dialogs are answered without any loop of the toolkit's, and a
// log-in request is answered as cancelled.
#include "web_browser_fixture.h"

namespace quorla_test {
namespace {

TEST_F(WebBrowserTest, PageDialogsAreAnsweredAsCancelled) {
  server.ServeBody("/ask", "<html><head><title>start</title><script>"
                           "document.title = [confirm('go?'), prompt('name?', 'x')].join('|');"
                           "</script></head></html>");
  server.ServeUnauthorized("/login", "<html><head><title>refused</title></head></html>");
  ASSERT_TRUE(server.Start());
  struct Case {
    std::string path;
    std::string title;
  };
  for (const Case& c : {Case{"/ask", "false|"}, Case{"/login", "refused"}}) {
    events.clear();
    ASSERT_EQ(Navigate(Wide(server.Url(c.path))), S_OK);
    ASSERT_TRUE(WaitForEvent("DocumentComplete")) << c.path;
    PumpUntil([&] { return Narrow(LocationName()) == c.title; }, 3000);
    EXPECT_EQ(Narrow(LocationName()), c.title) << c.path;
  }
}

}  // namespace
}  // namespace quorla_test
