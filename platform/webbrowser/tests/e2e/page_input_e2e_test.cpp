// Input messages over a shown page, replayed by the layer to the engine: the
// messages a program's loop hands to the control's window (as the layer
// queues them for the pointer and the keys) reach the page as clicks, keys
// and wheel turns, and what the engine leaves unused never comes back as a
// message.
#include <QApplication>
#include <QWebEngineView>

#include "hosted_widgets_qt.h"
#include "web_browser_fixture.h"
#include "win/input.h"
#include "win/messages.h"
#include "win/window_state.h"

namespace quorla_test {
namespace {

LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

std::string Page(const std::string& title, const std::string& body, const std::string& bodyStyle = "") {
  return "<html><head><title>" + title + "</title></head><body style='margin:0;" + bodyStyle + "'>" + body +
         "</body></html>";
}

class PageInputTest : public WebBrowserTest {
 protected:
  void SetUp() override {
    WebBrowserTest::SetUp();
    if (HasFatalFailure()) return;
    ShowWindow(host, SW_SHOW);
    server.ServeBody("/form", Page("form", "<form action='/sent'><input name='q' style='display:block;width:400px;"
                                           "height:60px'></form>"));
    server.ServeBody("/sent", Page("sent", ""));
    server.ServeBody("/short", Page("short", ""));
    server.ServeBody("/long", Page("top", "<script>window.onscroll = function () {"
                                          " document.title = window.scrollY > 0 ? 'scrolled' : 'top'; };</script>",
                                   "height:6000px"));
    ASSERT_TRUE(server.Start());
  }

  // Loads the page and waits until the engine shows it through its input
  // widget, hosted behind the window.
  void Load(const std::string& path) {
    const size_t done = Count("DocumentComplete");
    ASSERT_EQ(Navigate(Wide(server.Url(path))), S_OK);
    ASSERT_TRUE(WaitForEvent("DocumentComplete", done + 1));
    ASSERT_TRUE(PumpUntil([&] {
      QWidget* input = quorla::HostedInputWidgetOf(window);
      return input && input != quorla::HostedWidgetOf(window) && input->isVisible();
    })) << "no input widget of the engine's hosted";
    PumpFor(800);  // the first frame drawn
  }

  // Messages as the loop hands them to the window: posted, then taken and
  // dispatched; counts the wheel messages the loop takes meanwhile.
  int wheelsTaken = 0;
  bool Pump(const std::function<bool()>& done, int timeoutMs = 15000) {
    return PumpUntil([&] {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_MOUSEWHEEL) ++wheelsTaken;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      return done();
    }, timeoutMs);
  }
  void Click(int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, PointParam(x, y));
    Pump([] { return false; }, 300);
  }
  void Wheel(int x, int y, int delta) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(delta))),
                 PointParam(screen.x, screen.y));
  }
  bool Requested(const std::string& pathAndQuery) {
    return Pump([&] {
      for (const auto& p : RequestedPaths())
        if (p == pathAndQuery) return true;
      return false;
    });
  }
};

TEST_F(PageInputTest, TheEnginesInputWidgetIsHostedBehindTheWindow) {
  ASSERT_NO_FATAL_FAILURE(Load("/short"));
  auto* view = qobject_cast<QWebEngineView*>(quorla::HostedWidgetOf(window));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(quorla::HostedInputWidgetOf(window), view->focusProxy());
  EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_EQ(view->size(), QSize(600, 400));
  EXPECT_FALSE(view->testAttribute(Qt::WA_NativeWindow)) << "the page stays a child the layer can cover";
}

TEST_F(PageInputTest, AClickFocusesThePageAndItsFieldTakesCharactersAndEnter) {
  ASSERT_NO_FATAL_FAILURE(Load("/form"));
  SetFocus(host);
  Click(100, 30);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(GetCapture(), nullptr) << "the capture ends with the buttons up";
  for (char16_t c : std::u16string(u"abc")) PostMessageW(window, WM_CHAR, c, 1);
  PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(window, WM_CHAR, u'\r', 1);
  PostMessageW(window, WM_KEYUP, VK_RETURN, 1 | (3u << 30));
  EXPECT_TRUE(Requested("/sent?q=abc")) << ::testing::PrintToString(RequestedPaths());
}

TEST_F(PageInputTest, TheWheelScrollsALongPageAndEndsOverAShortOne) {
  ASSERT_NO_FATAL_FAILURE(Load("/short"));
  wheelsTaken = 0;
  for (int i = 0; i < 3; ++i) Wheel(200, 200, -120);
  Pump([] { return false; }, 1500);
  EXPECT_EQ(wheelsTaken, 0) << "an unused turn came back as a message";

  ASSERT_NO_FATAL_FAILURE(Load("/long"));
  for (int i = 0; i < 3; ++i) Wheel(200, 200, -120);
  EXPECT_TRUE(Pump([&] { return Narrow(LocationName()) == "scrolled"; })) << Narrow(LocationName());
  EXPECT_EQ(wheelsTaken, 0);
}

}  // namespace
}  // namespace quorla_test
