// Input over web pages on a real X display (the desktop fixture's Xvfb, no
// window manager: the window covers the whole 1024 x 768 screen). Clicks,
// keys and the wheel over a page go through the program's message loop and
// are then handed to the page: a click on a target=_blank link and one on a
// button that opens a window in its click handler each become the selected
// tab, while a new window whose address the URL filter lists leaves neither
// a tab nor a request; a right click opens no menu; text typed into a
// page's field and the Enter that sends its form reach the page; the wheel
// scrolls a long page and ends over a short one; the site chooser shows
// over a loaded page and takes a click on its third entry there.
// Screenshots for a person go to build/tests.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "browser_caption.h"
#include "desktop.h"
#include "http_test_server.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::ScreenImage;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowId;

namespace {

constexpr int kScreenWidth = 1024;
// Where the maximised window's parts lie on this screen (caption 30 high,
// navigation row 36, favourites row 26, one-pixel borders).
constexpr int kRowY = 30 + 18;  // the middle of the navigation row
constexpr int kSearchBoxX = 850;
constexpr int kSiteIconX = 708;
constexpr int kTabRowTop = 30 + 36 + 26;
constexpr int kTabRowHeight = 27;
constexpr int kPageTop = kTabRowTop + kTabRowHeight;
// The chooser: 82 wide at x 694, from y 62, 25 per entry plus a frame line
// above and below; its third entry (当当网) reaches into the page.
constexpr int kChooserX = 694;
constexpr int kChooserTop = 28 + 30 + 4;
constexpr int kChooserWidth = 82;
constexpr int kChooserHeight = 3 * 25 + 2;
constexpr unsigned kChooserFrame = 0xD2BFB8;
constexpr int kThirdEntryY = kChooserTop + 1 + 2 * 25 + 18;  // inside the page's rows
constexpr unsigned kPageGreen = 0x00FF00;

std::string BrowserPath() { return std::string(QUORLA_BIN_DIR) + "/VXBrowser"; }

std::string Page(const std::string& title, const std::string& body, const std::string& bodyStyle = "") {
  return "<html><head><meta charset='utf-8'><title>" + title + "</title></head><body style='margin:0;" + bodyStyle +
         "'>" + body + "</body></html>";
}

// Blocks of the page, one above the other from its top, each 100 pixels high.
std::string Block(const std::string& element, const std::string& attributes, const std::string& text) {
  return "<" + element + " " + attributes +
         " style='display:block;width:100%;height:100px;margin:0;border:0;background:#cde'>" + text + "</" + element +
         ">";
}
int BlockY(int index) { return kPageTop + index * 100 + 50; }

class BrowserInput : public ::testing::Test {
 protected:
  void SetUp() override {
    pages.ServeBody("/opener",
                    Page("opener", Block("a", "href='/blank-target' target='_blank'", "new window link") +
                                       Block("button", "onclick=\"window.open('/scripted')\"", "scripted") +
                                       Block("button", "onclick=\"window.open('/refused-popup')\"", "refused")));
    pages.ServeBody("/blank-target", Page("blank target", ""));
    pages.ServeBody("/scripted", Page("scripted window", ""));
    pages.ServeBody("/refused-popup", Page("refused window", ""));
    pages.ServeBody("/form", Page("form", "<form action='/sent'><input name='q' style='display:block;width:600px;"
                                          "height:80px;font-size:40px'></form>"));
    pages.ServeBody("/sent", Page("sent", ""));
    pages.ServeBody("/short", Page("short", Block("a", "href='/after-wheel'", "short page")));
    pages.ServeBody("/after-wheel", Page("after wheel", Block("a", "href='/long'", "to the long page")));
    pages.ServeBody("/long", Page("top", "<script>window.onscroll = function () {"
                                         " document.title = window.scrollY > 0 ? 'scrolled' : 'top'; };</script>",
                                  "height:6000px;background:#eee"));
    pages.ServeBody("/green", Page("green", "", "height:2000px;background:#00ff00"));
    ASSERT_TRUE(pages.Start());
    ASSERT_TRUE(proxy.Start());
    std::string error;
    ASSERT_TRUE(desktop.Start(&error)) << error;
    // The URL filter from the program's current folder.
    workFolder = desktop.folder() + "/work";
    std::filesystem::create_directories(workFolder);
    std::ofstream(workFolder + "/iefilter.txt") << "refused-popup\n";
  }

  std::string Local(const std::string& path) { return pages.Url(path); }

  // Every non-local http address goes to the logging proxy, so nothing
  // leaves the machine; the start page is one of those.
  void StartBrowser(const std::string& address) {
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
    std::string error;
    browser = desktop.Launch({BrowserPath(), address},
                             {"XDG_DATA_HOME=" + desktop.folder() + "/data",
                              "XDG_CACHE_HOME=" + desktop.folder() + "/cache", "http_proxy=" + proxyUrl,
                              "HTTP_PROXY=" + proxyUrl, "no_proxy=127.0.0.1,localhost", "NO_PROXY=127.0.0.1,localhost"},
                             workFolder, &error);
    ASSERT_TRUE(browser) << error;
    ASSERT_TRUE(WaitUntil([&] {
      auto windows = desktop.WindowsOfProcess(browser->pid());
      if (windows.empty()) return false;
      auto g = desktop.Geometry(windows.front());
      return g && g->width == kScreenWidth;
    }, 60s)) << browser->Errors();
  }

  std::string Caption() { return browser_e2e::CaptionOf(desktop, browser->pid()); }
  bool CaptionShows(const std::string& title, std::chrono::milliseconds timeout = 30s) {
    return browser_e2e::CaptionShows(desktop, browser->pid(), title, timeout);
  }
  static int Requests(HttpTestServer& server, const std::string& path, const std::string& query = "") {
    int n = 0;
    for (const auto& request : server.Requests())
      if (request.path == path && (query.empty() || request.query == query)) ++n;
    return n;
  }
  static bool Requested(HttpTestServer& server, const std::string& path, const std::string& query = "",
                        std::chrono::milliseconds timeout = 30s) {
    return WaitUntil([&] { return Requests(server, path, query) >= 1; }, timeout);
  }
  static std::string Seen(HttpTestServer& server) {
    std::string seen;
    for (const auto& request : server.Requests()) seen += request.path + "?" + request.query + " ";
    return seen;
  }
  // The page has its first pixels on the screen once the caption names it;
  // a moment more for the engine to draw them.
  void Loaded(const std::string& title) {
    ASSERT_TRUE(CaptionShows(title)) << Caption();
    std::this_thread::sleep_for(1500ms);
  }
  // The tab row's pixels, to tell whether a tab came or went.
  std::vector<unsigned> TabRow() {
    std::vector<unsigned> row;
    auto screen = desktop.Capture();
    if (!screen) return row;
    for (int y = kTabRowTop + 4; y < kPageTop - 2; y += 3)
      for (int x = 0; x < kScreenWidth; ++x) row.push_back(screen->Pixel(x, y));
    return row;
  }

  HttpTestServer pages;
  HttpTestServer proxy;
  Desktop desktop;
  std::string workFolder;
  std::unique_ptr<ChildProcess> browser;
};

TEST_F(BrowserInput, ClickedNewWindowsBecomeSelectedTabsAndAFilteredOneLeavesNothing) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/opener")));
  ASSERT_NO_FATAL_FAILURE(Loaded("opener"));
  const auto oneTab = TabRow();

  // The filtered window: no request, no tab, the opener still shown.
  desktop.Click(300, BlockY(2));
  std::this_thread::sleep_for(3s);
  EXPECT_EQ(Requests(pages, "/refused-popup"), 0) << Seen(pages);
  EXPECT_TRUE(CaptionShows("opener", 1s)) << Caption();
  EXPECT_EQ(TabRow(), oneTab) << "the tab row changed";

  desktop.Click(300, BlockY(0));
  EXPECT_TRUE(Requested(pages, "/blank-target")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("blank target")) << "a target=_blank link's page is the selected tab; " << Caption();

  // Back on the opener's tab (the first), its button's window.open.
  desktop.Click(1 + 2 + 60, kTabRowTop + 2 + 13);
  ASSERT_TRUE(CaptionShows("opener")) << Caption();
  std::this_thread::sleep_for(1s);
  desktop.Click(300, BlockY(1));
  EXPECT_TRUE(Requested(pages, "/scripted")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("scripted window")) << "a script's window from a click is the selected tab; " << Caption();
  std::this_thread::sleep_for(1500ms);
  desktop.SaveScreenshot(quorla_desktop::OutputPath("browser_popup_tabs.png"));
  EXPECT_EQ(Requests(pages, "/refused-popup"), 0);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserInput, TextTypedIntoAPageFieldAndItsEnterReachThePage) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/form")));
  ASSERT_NO_FATAL_FAILURE(Loaded("form"));
  // A right click in the page opens no menu of the toolkit's (it would run
  // a loop of its own): no new window on the screen.
  const size_t windows = desktop.WindowsOfProcess(browser->pid()).size();
  desktop.Click(300, kPageTop + 300, 3);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(desktop.WindowsOfProcess(browser->pid()).size(), windows) << "a menu opened";
  desktop.Key("Escape");
  desktop.Click(300, kPageTop + 40);
  std::this_thread::sleep_for(500ms);
  desktop.Tool({"xdotool", "type", "--delay", "60", "abc"});
  std::this_thread::sleep_for(300ms);
  desktop.SaveScreenshot(quorla_desktop::OutputPath("browser_page_field_typed.png"));
  desktop.Key("Return");
  EXPECT_TRUE(Requested(pages, "/sent", "q=abc")) << Seen(pages);
  EXPECT_TRUE(CaptionShows("sent")) << Caption();
}

TEST_F(BrowserInput, TheWheelScrollsALongPageAndEndsOverAShortOne) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/short")));
  ASSERT_NO_FATAL_FAILURE(Loaded("short"));
  // Nothing to scroll: the engine hands each turn back unused, which must
  // not come round again as a new turn.
  for (int i = 0; i < 5; ++i) desktop.Click(300, BlockY(2), 5, 10ms);
  std::this_thread::sleep_for(1s);
  ASSERT_TRUE(browser->Running()) << browser->Errors();
  desktop.Click(300, BlockY(0));
  EXPECT_TRUE(Requested(pages, "/after-wheel", "", 15s)) << "the program still takes clicks; " << Seen(pages);

  // A long page scrolls.
  ASSERT_NO_FATAL_FAILURE(Loaded("after wheel"));
  desktop.Click(300, BlockY(0));
  ASSERT_NO_FATAL_FAILURE(Loaded("top"));
  for (int i = 0; i < 3; ++i) desktop.Click(500, BlockY(3), 5, 10ms);
  EXPECT_TRUE(CaptionShows("scrolled", 15s)) << Caption();
}

TEST_F(BrowserInput, TheSiteChooserShowsOverALoadedPageAndTakesAClickOnItsThirdEntry) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/green")));
  ASSERT_NO_FATAL_FAILURE(Loaded("green"));
  {
    auto before = desktop.Capture();
    ASSERT_TRUE(before);
    ASSERT_EQ(before->Pixel(kChooserX + 40, kThirdEntryY), kPageGreen) << "the page lies where the chooser opens";
  }
  desktop.Click(kSiteIconX, kRowY);
  std::optional<ScreenImage> open;
  ASSERT_TRUE(WaitUntil([&] {
    open = desktop.Capture(quorla_desktop::OutputPath("browser_chooser_over_page.png"));
    return open && open->Pixel(kChooserX, kChooserTop + 10) == kChooserFrame;
  }, 10s)) << "the chooser did not open";
  // Its frame and its third entry over the page, not the page over them.
  const int bottom = kChooserTop + kChooserHeight - 1;
  EXPECT_EQ(open->Pixel(kChooserX, kThirdEntryY), kChooserFrame);
  EXPECT_EQ(open->Pixel(kChooserX + kChooserWidth - 1, kThirdEntryY), kChooserFrame);
  EXPECT_EQ(open->Pixel(kChooserX + 40, bottom), kChooserFrame);
  int green = 0;
  for (int y = kPageTop; y < bottom; ++y)
    for (int x = kChooserX; x < kChooserX + kChooserWidth; ++x) green += open->Pixel(x, y) == kPageGreen;
  EXPECT_EQ(green, 0) << "page pixels inside the chooser";
  // Beside the chooser the page still shows.
  EXPECT_EQ(open->Pixel(kChooserX - 20, kThirdEntryY), kPageGreen);

  // Its third entry, where the page lies under it: the search goes to that shop.
  desktop.Click(kChooserX + 40, kThirdEntryY);
  std::this_thread::sleep_for(500ms);
  auto closed = desktop.Capture();
  ASSERT_TRUE(closed);
  EXPECT_EQ(closed->Pixel(kChooserX + 40, kThirdEntryY), kPageGreen) << "the chooser closed";
  desktop.Click(kSearchBoxX, kRowY);
  desktop.Key("ctrl+a");
  desktop.Tool({"xdotool", "type", "--delay", "40", "ab"});
  desktop.Key("Return");
  EXPECT_TRUE(Requested(proxy, "http://search.dangdang.com/search.php")) << Seen(proxy);
}

}  // namespace
