// The browser with web pages on a real X display (the desktop fixture's
// Xvfb and tray panel, no window manager, so the window covers the whole
// 1024 x 768 screen): an address on the command line, one typed without
// its scheme, a link, back, forward, refresh and stop, a page's new window
// as a tab, titles in the tab and the caption, closing tabs by their glyph
// and by a double click, and the shop search through a logging HTTP proxy.
// Pages come from a local server on 127.0.0.1, which the engine reaches
// directly; every other http address goes through the proxy, which writes
// it down. The engine keeps its profile in the desktop's temporary folder.
// Screenshots for a person go to build/tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "browser_caption.h"
#include "desktop.h"
#include "key_mapping.h"
#include "http_test_server.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowId;

namespace {

constexpr int kScreenWidth = 1024;
// Where the maximised window's parts lie on this screen (caption 30 high,
// navigation row 36, favourites row 26, one-pixel borders).
constexpr int kRowY = 30 + 18;               // the middle of the navigation row
constexpr int kAddressBoxX = 400;
constexpr int kBackX = 4 + 13, kForwardX = 4 + 26 + 13, kStopX = 4 + 52 + 13, kRefreshX = 4 + 78 + 13;
constexpr int kTabRowTop = 30 + 36 + 26;      // the strip's top
constexpr int kTabY = kTabRowTop + 2 + 13;    // the middle of a tab
constexpr int kPageY = kTabRowTop + 27 + 40;  // inside the page, near its top
// The go and search buttons are 30 wide: the search box spans 726 to 984,
// the site icon 700 to 716, the chooser opens at 694 under the search frame.
constexpr int kSearchBoxX = 850;
constexpr int kSiteIconX = 708;
constexpr int kChooserX = 694;
constexpr int kChooserTop = 28 + 30 + 4;

std::string BrowserPath() { return std::string(QUORLA_BIN_DIR) + "/VXBrowser"; }

std::string Page(const std::string& title, const std::string& body = "") {
  return "<html><head><meta charset='utf-8'><title>" + title + "</title></head><body style='margin:0'>" + body +
         "</body></html>";
}

// A link filling the top of the page, so a click near the page's top hits it.
std::string BigLink(const std::string& href, const std::string& extra = "") {
  return "<a href='" + href + "' " + extra +
         " style='display:block;width:100%;height:200px;background:#cde'>follow</a>";
}

class BrowserPages : public ::testing::Test {
 protected:
  void SetUp() override {
    pages.ServeBody("/a", Page("page a", BigLink("/b")));
    pages.ServeBody("/b", Page("page b", BigLink("/a")));
    pages.ServeBody("/popup", Page("opener", BigLink("/c", "target='_blank'")));
    pages.ServeBody("/c", Page("page c"));
    pages.ServeBody("/long", Page(std::string(300, 'L') + " 很长的标题"));
    pages.Route("/slow", [this](const HttpRequest&, HttpResponder& out) {
      out.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 100000\r\n\r\n<html><head><title>slow</title></head><body>");
      for (int i = 0; i < 300; ++i) {
        if (!out.Pause(100) || !out.Send("<p>more</p>")) {
          slowAbandoned = true;
          return;
        }
      }
    });
    ASSERT_TRUE(pages.Start());
    // The proxy answers every other address with a small page.
    proxy.Route("http://s.taobao.com/search", [](const HttpRequest&, HttpResponder& out) {
      out.Respond(200, Page("taobao search"));
    });
    proxy.Route("http://search.jd.com/Search", [](const HttpRequest&, HttpResponder& out) {
      out.Respond(200, Page("jd search"));
    });
    proxy.Route("http://www.quorla.example/start/", [](const HttpRequest&, HttpResponder& out) {
      out.Respond(200, Page("start page"));
    });
    ASSERT_TRUE(proxy.Start());
    std::string error;
    ASSERT_TRUE(desktop.Start(&error)) << error;
  }

  std::string Local(const std::string& path) { return pages.Url(path); }

  // The browser with an address (none: the start page), its pages' profile
  // in the desktop's folder, every non-local http address through the proxy.
  void StartBrowser(const std::string& address = "") {
    std::vector<std::string> argv{BrowserPath()};
    if (!address.empty()) argv.push_back(address);
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
    std::string error;
    browser = desktop.Launch(argv,
                             {"XDG_DATA_HOME=" + desktop.folder() + "/data", "XDG_CACHE_HOME=" + desktop.folder() + "/cache",
                              "http_proxy=" + proxyUrl, "HTTP_PROXY=" + proxyUrl, "no_proxy=127.0.0.1,localhost",
                              "NO_PROXY=127.0.0.1,localhost"},
                             "", &error);
    ASSERT_TRUE(browser) << error;
    ASSERT_TRUE(WaitUntil([&] {
      auto windows = desktop.WindowsOfProcess(browser->pid());
      if (windows.empty()) return false;
      window = windows.front();
      auto g = desktop.Geometry(window);
      return g && g->width == kScreenWidth;
    }, 60s)) << browser->Errors();
  }

  // The names of the program's windows: the main window's among them (the
  // program has other top-level windows, unnamed).
  std::string Caption() { return browser_e2e::CaptionOf(desktop, browser->pid()); }
  bool CaptionShows(const std::string& title, std::chrono::milliseconds timeout = 30s) {
    return browser_e2e::CaptionShows(desktop, browser->pid(), title, timeout);
  }
  int Requests(HttpTestServer& server, const std::string& path, const std::string& query = "") {
    int n = 0;
    for (const auto& request : server.Requests())
      if (request.path == path && (query.empty() || request.query == query)) ++n;
    return n;
  }
  bool Requested(HttpTestServer& server, const std::string& path, int atLeast = 1, const std::string& query = "") {
    return WaitUntil([&] { return Requests(server, path, query) >= atLeast; }, 30s);
  }
  static std::string Seen(HttpTestServer& server) {
    std::string seen;
    for (const auto& request : server.Requests()) seen += request.path + "?" + request.query + " ";
    return seen;
  }
  // Keys typed into the box the last click focused, once it has the focus:
  // ASCII as it is, each other character by its Unicode key name.
  void Type(const std::string& text) {
    std::this_thread::sleep_for(500ms);
    std::string ascii;
    std::vector<unsigned> characters;
    for (size_t i = 0; i < text.size();) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      unsigned code = length == 1 ? lead : lead & (0xFF >> (length + 1));
      for (size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      characters.push_back(code);
      i += length;
    }
    // Keys bound for the characters beforehand, so that none is typed
    // through a map the browser has not heard of yet.
    std::vector<unsigned> keysyms;
    for (const unsigned c : characters)
      if (c >= 0x80) keysyms.push_back(c < 0x100 ? c : 0x01000000u | c);
    if (!keysyms.empty()) {
      ASSERT_TRUE(quorla_desktop::BindKeysyms(desktop.display(), keysyms));
      std::this_thread::sleep_for(300ms);
    }
    for (const unsigned c : characters) {
      if (c < 0x80) {
        ascii += static_cast<char>(c);
        continue;
      }
      if (!ascii.empty()) desktop.Tool({"xdotool", "type", "--delay", "40", ascii});
      ascii.clear();
      char name[16];
      std::snprintf(name, sizeof name, "U%04X", c);
      desktop.Tool({"xdotool", "key", name});
      std::this_thread::sleep_for(200ms);
    }
    if (!ascii.empty()) desktop.Tool({"xdotool", "type", "--delay", "40", ascii});
  }
  void Shot(const std::string& name) { desktop.SaveScreenshot(quorla_desktop::OutputPath(name)); }
  // The middle of tab i when n tabs share the 1022-pixel strip.
  static int TabX(int i, int n) {
    const int width = std::min(180, (kScreenWidth - 2 - 34) / n);
    return 1 + 2 + i * width + width / 2;
  }
  static int CloseGlyphX(int i, int n) {
    const int width = std::min(180, (kScreenWidth - 2 - 34) / n);
    return 1 + 2 + (i + 1) * width - 14 - 10 + 7;
  }

  HttpTestServer pages;
  HttpTestServer proxy;
  Desktop desktop;
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  std::atomic<bool> slowAbandoned{false};
};

TEST_F(BrowserPages, OpensTheAddressItWasStartedWithAndShowsItsTitle) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/a")));
  EXPECT_TRUE(Requested(pages, "/a"));
  EXPECT_TRUE(CaptionShows("page a")) << Caption();
  EXPECT_EQ(Requests(proxy, "http://www.quorla.example/start/"), 0) << "no start page besides";
}

TEST_F(BrowserPages, TypedAddressLinkBackForwardRefreshAndStop) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/a")));
  ASSERT_TRUE(CaptionShows("page a"));

  // An address typed without its scheme.
  desktop.Click(kAddressBoxX, kRowY);
  desktop.Key("ctrl+a");
  Type("127.0.0.1:" + std::to_string(pages.Port()) + "/b");
  desktop.Key("Return");
  EXPECT_TRUE(Requested(pages, "/b"));
  ASSERT_TRUE(CaptionShows("page b")) << Caption();

  // A link, then back and forward.
  desktop.Click(300, kPageY);
  ASSERT_TRUE(Requested(pages, "/a", 2));
  ASSERT_TRUE(CaptionShows("page a"));
  desktop.Click(kBackX, kRowY);
  EXPECT_TRUE(CaptionShows("page b")) << "back";
  desktop.Click(kForwardX, kRowY);
  EXPECT_TRUE(CaptionShows("page a")) << "forward";

  // Refresh asks the server again.
  const int before = Requests(pages, "/a");
  desktop.Click(kRefreshX, kRowY);
  EXPECT_TRUE(Requested(pages, "/a", before + 1)) << "refresh";

  // Stop ends a page that is still coming.
  desktop.Click(kAddressBoxX, kRowY);
  desktop.Key("ctrl+a");
  Type(Local("/slow"));
  desktop.Key("Return");
  ASSERT_TRUE(Requested(pages, "/slow"));
  std::this_thread::sleep_for(500ms);
  desktop.Click(kStopX, kRowY);
  EXPECT_TRUE(WaitUntil([&] { return slowAbandoned.load(); }, 20s)) << "the download was given up";
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserPages, ANewWindowBecomesASelectedTabThatClosesByItsGlyphAndByADoubleClick) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/popup")));
  ASSERT_TRUE(CaptionShows("opener"));
  desktop.Click(300, kPageY);
  ASSERT_TRUE(Requested(pages, "/c"));
  EXPECT_TRUE(CaptionShows("page c")) << "the new window is the selected tab";

  // Its close glyph: the opener's tab is shown again.
  desktop.MoveMouse(CloseGlyphX(1, 2), kTabY + 2);
  std::this_thread::sleep_for(300ms);
  desktop.Click(CloseGlyphX(1, 2), kTabY + 2);
  EXPECT_TRUE(CaptionShows("opener")) << Caption();

  // A double click on the only tab, which is not the start page: the start
  // page takes its place.
  desktop.DoubleClick(TabX(0, 1), kTabY);
  EXPECT_TRUE(Requested(proxy, "http://www.quorla.example/start/"));
  EXPECT_TRUE(CaptionShows("start page")) << Caption();
  // The only tab on the start page stays.
  desktop.DoubleClick(TabX(0, 1), kTabY);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(Requests(proxy, "http://www.quorla.example/start/"), 1);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserPages, TheSearchGoesToTheChosenShopInItsCodePage) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/a")));
  ASSERT_TRUE(CaptionShows("page a"));
  const int searchX = kSearchBoxX;
  // xdotool types a character without a key by remapping a spare key code
  // for it, and the first key after a remap can reach the window under the
  // old map and type nothing: the words are typed again until the shop is
  // asked for all of them.
  bool searched = false;
  for (int attempt = 1; attempt <= 3 && !searched; ++attempt) {
    desktop.Click(searchX, kRowY);
    desktop.Key("ctrl+a");
    Type("手机");
    desktop.Key("Return");
    ASSERT_TRUE(Requested(proxy, "http://s.taobao.com/search", attempt)) << Seen(proxy);
    searched = Requests(proxy, "http://s.taobao.com/search", "q=%CA%D6%BB%FA") >= 1;
  }
  EXPECT_TRUE(searched) << "the four code page 936 bytes of 手机; the proxy saw: " << Seen(proxy);
  ASSERT_TRUE(CaptionShows("taobao search"));

  // 京东商城 from the chooser (opened by a click on the site's icon beside
  // the search box), then the same words.
  desktop.Click(kSiteIconX, kRowY);
  std::this_thread::sleep_for(800ms);
  Shot("browser_site_chooser_open.png");
  desktop.Click(kChooserX + 40, kChooserTop + 1 + 25 + 12);
  std::this_thread::sleep_for(300ms);
  desktop.Click(searchX, kRowY);
  desktop.Key("Return");
  EXPECT_TRUE(Requested(proxy, "http://search.jd.com/Search", 1, "keyword=%CA%D6%BB%FA"));
}

TEST_F(BrowserPages, ThreeTabsOneLoadingOneWithALongTitle) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(Local("/a")));
  ASSERT_TRUE(CaptionShows("page a"));
  for (const char* path : {"/long", "/slow"}) {
    desktop.DoubleClick(900, kTabY);  // the strip's empty part: a new tab
    ASSERT_TRUE(Requested(proxy, "http://www.quorla.example/start/", path[1] == 'l' ? 1 : 2));
    std::this_thread::sleep_for(500ms);
    desktop.Click(kAddressBoxX, kRowY);
    desktop.Key("ctrl+a");
    Type(Local(path));
    desktop.Key("Return");
    ASSERT_TRUE(Requested(pages, path));
  }
  std::this_thread::sleep_for(1s);
  desktop.MoveMouse(TabX(1, 3), kTabY);
  std::this_thread::sleep_for(1500ms);
  Shot("browser_three_tabs_tooltip.png");
  EXPECT_TRUE(browser->Running());
}

}  // namespace
