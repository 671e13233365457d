// The browser while a page is slow to come: three tabs, one with a long
// title, one loading, whose tab animates until the page is in and then
// shows its icon; and the program's end by Alt+F4 with pages open, again
// and again: exit code 1 (the main window ends the process), no crash,
// nothing of it left behind, at once.
#include <signal.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "browser_e2e_support.h"

namespace browser_e2e {
namespace {

// How long the slow page keeps its body back.
constexpr auto kSlowPause = 20s;

// The 16 x 16 place of a tab's page icon or loading animation.
std::vector<std::uint32_t> IconPixels(const ScreenImage& shot, int i, int tabs) {
  std::vector<std::uint32_t> pixels;
  const int left = TabLeft(i, tabs) + 8;
  const int top = kTabBottom - 21;
  for (int y = top; y < top + 17; ++y)
    for (int x = left; x < left + 16; ++x) pixels.push_back(shot.Pixel(x, y));
  return pixels;
}

// Which pixels of an icon's place stand clearly apart from its background
// (its first pixel): the icon's shape, whatever the tab's own colour, which
// its soft edges take on.
std::vector<bool> Shape(const std::vector<std::uint32_t>& pixels) {
  const auto apart = [](std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16}) {
      const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
      if (difference > 48 || difference < -48) return true;
    }
    return false;
  };
  std::vector<bool> shape;
  for (std::uint32_t pixel : pixels) shape.push_back(apart(pixel, pixels.front()));
  return shape;
}

// How many places two shapes disagree in; soft edges over different tab
// colours make a few.
int Differences(const std::vector<bool>& a, const std::vector<bool>& b) {
  int count = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
  return count;
}
constexpr int kEdgeDifferences = 12;

// The status bar's text, left part.
std::vector<std::uint32_t> StatusPixels(const ScreenImage& shot) {
  std::vector<std::uint32_t> pixels;
  for (int y = kScreenHeight - 22; y < kScreenHeight - 2; ++y)
    for (int x = 8; x < 300; ++x) pixels.push_back(shot.Pixel(x, y));
  return pixels;
}

class BrowserLoading : public BrowserTest {
 protected:
  void SetUp() override {
    pages.ServeBody("/a", Page("page a"));
    pages.ServeBody("/long", Page(std::string(300, 'L') + " 很长的标题"));
    pages.Route("/slow", [this](const HttpRequest&, HttpResponder& out) {
      const std::string body = Page("slow page");
      if (!out.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                    "\r\nConnection: close\r\n\r\n"))
        return;
      if (!out.Pause(static_cast<int>(std::chrono::milliseconds(kSlowPause).count()))) return;
      slowSent = out.Send(body);
    });
    ASSERT_NO_FATAL_FAILURE(StartDesktop());
  }

  // A new tab (a double click on the strip's empty part opens the start
  // page), then an address typed into it.
  void OpenTyped(const std::string& path, int startPages) {
    // A machine busy enough can take a slow double click for two clicks:
    // then once more.
    bool opened = false;
    for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
      desktop.DoubleClick(900, kTabY);
      opened = Requested(proxy, "http://www.quorla.example/start/", startPages, "", 15s);
    }
    ASSERT_TRUE(opened);
    ASSERT_TRUE(CaptionShows("start page"));
    TypeAddress(pages.Url(path));
    ASSERT_TRUE(Requested(pages, path));
  }

  std::atomic<bool> slowSent{false};
};

TEST_F(BrowserLoading, ASlowPageAnimatesInItsTabThenShowsItsIcon) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/a"), BrowserPath(), desktop.folder()));
  ASSERT_TRUE(CaptionShows("page a"));
  ASSERT_NO_FATAL_FAILURE(OpenTyped("/long", 1));
  ASSERT_TRUE(CaptionShows(std::string(300, 'L') + " 很长的标题"));
  ASSERT_NO_FATAL_FAILURE(OpenTyped("/slow", 2));
  std::this_thread::sleep_for(1s);

  // While the body is kept back: the loading tab's picture changes from one
  // look to the next (a busy machine may paint late: a few looks), the other
  // tabs' icons stay.
  auto first = Capture("browser_three_tabs_loading.png");
  ASSERT_TRUE(first);
  std::vector<std::vector<std::uint32_t>> frames{IconPixels(*first, 2, 3)};
  std::optional<ScreenImage> last;
  for (int look = 0; look < 10 && frames.size() < 3 && !slowSent.load(); ++look) {
    std::this_thread::sleep_for(400ms);
    auto shot = Capture();
    ASSERT_TRUE(shot);
    if (slowSent.load()) break;  // what it shows may be the page's icon
    last = shot;
    if (std::find(frames.begin(), frames.end(), IconPixels(*last, 2, 3)) == frames.end())
      frames.push_back(IconPixels(*last, 2, 3));
  }
  ASSERT_TRUE(last) << "the page came too soon to look at it loading";
  EXPECT_GE(frames.size(), 3u) << "the loading tab does not animate";
  for (int tab : {0, 1}) EXPECT_EQ(IconPixels(*first, tab, 3), IconPixels(*last, tab, 3)) << tab;
  EXPECT_EQ(IconPixels(*first, 0, 3), IconPixels(*first, 1, 3)) << "both loaded tabs show the default icon";

  // Once the page is in: its tab shows the same icon as the others and
  // stands still, and the status bar changed.
  ASSERT_TRUE(WaitUntil([&] { return slowSent.load(); }, kSlowPause + 10s));
  ASSERT_TRUE(CaptionShows("slow page"));
  std::this_thread::sleep_for(800ms);
  auto done = Capture("browser_three_tabs_loaded.png");
  ASSERT_TRUE(done);
  std::this_thread::sleep_for(450ms);
  auto later = Capture();
  ASSERT_TRUE(later);
  EXPECT_EQ(IconPixels(*done, 2, 3), IconPixels(*later, 2, 3)) << "still animating";
  EXPECT_LE(Differences(Shape(IconPixels(*done, 2, 3)), Shape(IconPixels(*done, 0, 3))), kEdgeDifferences)
      << "the page's icon";
  EXPECT_GT(Differences(Shape(IconPixels(*done, 2, 3)), Shape(IconPixels(*first, 2, 3))), kEdgeDifferences)
      << "a loading frame";
  EXPECT_NE(StatusPixels(*first), StatusPixels(*done)) << "the status bar said the same while loading";
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserLoading, AltF4WithPagesOpenEndsTheProgramAtOnceEveryTime) {
  for (int round = 1; round <= 10; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/a"), BrowserPath(), desktop.folder()));
    ASSERT_TRUE(CaptionShows("page a"));
    // The focus in the address box; Alt+F4 there closes the main window.
    desktop.Click(kAddressBoxX, kRowY);
    std::this_thread::sleep_for(300ms);
    desktop.Key("alt+F4");
    const auto start = std::chrono::steady_clock::now();
    const auto code = browser->Wait(10s);
    ASSERT_TRUE(code) << "still running 10 s after Alt+F4";
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(*code, 1) << "a signal ends in 128 + its number" << browser->Errors();
    // The engine's own processes (in the program's process group) go with it.
    const pid_t group = browser->pid();
    EXPECT_TRUE(WaitUntil([&] { return ::kill(-group, 0) != 0 && errno == ESRCH; }, 5s))
        << "processes of the browser's group outlived it";
    EXPECT_EQ(browser->Errors().find("core dumped"), std::string::npos);
    browser.reset();
  }
}

}  // namespace
}  // namespace browser_e2e
