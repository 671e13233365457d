#pragma once
// The browser program on the desktop fixture's screen, for the end-to-end
// tests: Xvfb with its tray panel and no window manager, so the maximised
// window covers the whole 1024 x 768 screen. Where the window's parts lie
// there, pages to serve, the program started with its engine's profile in
// the desktop's folder and every non-local http address through a logging
// proxy (which answers the start page), and what its caption and the
// servers saw. Screenshots for a person go to build/tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desktop.h"
#include "http_test_server.h"
#include "key_mapping.h"
#include "wait_until.h"

namespace browser_e2e {

using namespace std::chrono_literals;
using quorla::testing::HttpRequest;
using quorla::testing::HttpResponder;
using quorla::testing::HttpTestServer;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::ScreenImage;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowGeometry;
using quorla_desktop::WindowId;

// The maximised window: caption 30 high, navigation row 36, favourites bar
// 26 (from x 4 to 1020), the tab strip 27 (its tabs 2 below its top), one-
// pixel borders, the status bar at the bottom.
constexpr int kScreenWidth = 1024, kScreenHeight = 768;
constexpr int kNavigationTop = 30, kNavigationBottom = 30 + 36;
constexpr int kRowY = kNavigationTop + 18;  // the middle of the navigation row
constexpr int kFavouritesY = kNavigationBottom + 13;
constexpr int kFirstGroupX = 4 + 12, kOverflowX = 1020 - 10;
constexpr int kTabRowTop = kNavigationBottom + 26;
constexpr int kTabTop = kTabRowTop + 2, kTabBottom = kTabTop + 27, kTabY = kTabTop + 13;
constexpr int kPageTop = kTabRowTop + 27;
constexpr int kPageY = kPageTop + 40;  // inside the page, near its top
// The caption buttons: 28 wide each, ending 4 pixels short of the right
// edge, 3 below the top (0 minimise, 1 restore, 2 close).
constexpr int kCaptionButtonY = 15;
constexpr int CaptionButtonX(int index) { return kScreenWidth - 4 - 84 + 28 * index + 14; }
// The navigation row: back, forward, stop and refresh 26 wide from x 4, the
// address box, the site's icon (700 to 716) and the search box (726 to 984).
constexpr int kBackX = 4 + 13, kForwardX = 4 + 26 + 13, kStopX = 4 + 52 + 13, kRefreshX = 4 + 78 + 13;
constexpr int kAddressBoxX = 400, kSiteIconX = 708, kSearchBoxX = 850;
// The site chooser: 82 wide at x 694 under the search frame, 25 per entry
// plus a frame line above and below.
constexpr int kChooserX = 694, kChooserTop = 28 + 30 + 4, kChooserWidth = 82, kChooserHeight = 3 * 25 + 2;
constexpr int ChooserEntryY(int index) { return kChooserTop + 1 + 25 * index + 12; }
// Tabs share the 1022-pixel strip, less its new-tab button, up to 180 each.
constexpr int TabWidth(int tabs) { return std::min(180, (kScreenWidth - 2 - 34) / tabs); }
constexpr int TabLeft(int i, int tabs) { return 1 + 2 + i * TabWidth(tabs); }
constexpr int TabX(int i, int tabs) { return TabLeft(i, tabs) + TabWidth(tabs) / 2; }
constexpr int CloseGlyphX(int i, int tabs) { return TabLeft(i + 1, tabs) - 14 - 10 + 7; }

inline std::string BrowserPath() { return std::string(QUORLA_BIN_DIR) + "/VXBrowser"; }

inline std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// A page with its title, its body without a margin.
inline std::string Page(const std::string& title, const std::string& body = "", const std::string& bodyStyle = "") {
  return "<html><head><meta charset='utf-8'><title>" + title + "</title></head><body style='margin:0;" + bodyStyle +
         "'>" + body + "</body></html>";
}

// The requests a server saw for a path (and a query, unless empty).
inline int Requests(HttpTestServer& server, const std::string& path, const std::string& query = "") {
  int n = 0;
  for (const auto& request : server.Requests())
    n += request.path == path && (query.empty() || request.query == query);
  return n;
}
inline bool Requested(HttpTestServer& server, const std::string& path, int atLeast = 1, const std::string& query = "",
                      std::chrono::milliseconds timeout = 30s) {
  return WaitUntil([&] { return Requests(server, path, query) >= atLeast; }, timeout);
}
// Every request a server saw, for messages.
inline std::string Seen(HttpTestServer& server) {
  std::string seen;
  for (const auto& request : server.Requests()) seen += request.path + "?" + request.query + " ";
  return seen;
}

class BrowserTest : public ::testing::Test {
 protected:
  // The servers, with the routes the test gave them, and the desktop.
  void StartDesktop() {
    proxy.Route("http://www.quorla.example/start/",
                [](const HttpRequest&, HttpResponder& out) { out.Respond(200, Page("start page")); });
    ASSERT_TRUE(pages.Start());
    ASSERT_TRUE(proxy.Start());
    std::string error;
    ASSERT_TRUE(desktop.Start(&error)) << error;
  }

  // A program on the desktop, with the browser's environment.
  std::unique_ptr<ChildProcess> Launch(const std::vector<std::string>& argv, std::vector<std::string> environment = {},
                                       const std::string& workingDirectory = "") {
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
    environment.insert(environment.begin(),
                       {"XDG_DATA_HOME=" + desktop.folder() + "/data", "XDG_CACHE_HOME=" + desktop.folder() + "/cache",
                        "http_proxy=" + proxyUrl, "HTTP_PROXY=" + proxyUrl, "no_proxy=127.0.0.1,localhost",
                        "NO_PROXY=127.0.0.1,localhost"});
    std::string error;
    auto program = desktop.Launch(argv, environment, workingDirectory, &error);
    EXPECT_TRUE(program) << error;
    return program;
  }
  // The browser with an address (none: the start page), once its main
  // window spans the screen.
  void StartBrowser(const std::string& address = "", const std::string& program = BrowserPath(),
                    const std::string& workingDirectory = "") {
    std::vector<std::string> argv{program};
    if (!address.empty()) argv.push_back(address);
    browser = Launch(argv, {}, workingDirectory);
    ASSERT_TRUE(browser);
    ASSERT_TRUE(WaitUntil([&] {
      for (WindowId each : desktop.WindowsOfProcess(browser->pid())) {
        auto g = desktop.Geometry(each);
        if (!g || g->width != kScreenWidth) continue;
        window = each;
        main = *g;
        return true;
      }
      return false;
    }, 60s)) << browser->Errors();
  }

  // The _NET_WM_NAME lines of the browser's windows.
  std::string Caption() const {
    std::string names;
    for (WindowId each : desktop.WindowsOfProcess(browser->pid(), false))
      names += desktop.Tool({"xprop", "-id", std::to_string(each), "_NET_WM_NAME"}).output;
    return names;
  }
  // Whether the main window's caption comes to read "<title> - Quorla购物浏览器".
  bool CaptionShows(const std::string& title, std::chrono::milliseconds timeout = 30s) const {
    return WaitUntil([&] { return Caption().find("\"" + title + " - Quorla购物浏览器\"") != std::string::npos; },
                     timeout);
  }
  // The page has its first pixels on the screen once the caption names it;
  // a moment more for the engine to draw them.
  void Loaded(const std::string& title) {
    ASSERT_TRUE(CaptionShows(title)) << Caption();
    std::this_thread::sleep_for(1500ms);
  }

  // Keys typed into the box the last click focused, once it has the focus:
  // ASCII as it is, each other character by its Unicode key name, its key
  // bound beforehand so that none is typed through a map the browser has
  // not heard of yet.
  void Type(const std::string& text) {
    std::this_thread::sleep_for(500ms);
    std::vector<unsigned> characters;
    for (size_t i = 0; i < text.size();) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      unsigned code = length == 1 ? lead : lead & (0xFF >> (length + 1));
      for (size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      characters.push_back(code);
      i += length;
    }
    std::vector<unsigned> keysyms;
    for (const unsigned c : characters)
      if (c >= 0x80) keysyms.push_back(c < 0x100 ? c : 0x01000000u | c);
    if (!keysyms.empty()) {
      ASSERT_TRUE(quorla_desktop::BindKeysyms(desktop.display(), keysyms));
      std::this_thread::sleep_for(300ms);
    }
    std::string ascii;
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
  // A click into the address box, its text replaced by the address, Enter.
  void TypeAddress(const std::string& address) {
    desktop.Click(kAddressBoxX, kRowY);
    desktop.Key("ctrl+a");
    Type(address);
    desktop.Key("Return");
  }

  void Shot(const std::string& name) const { desktop.SaveScreenshot(quorla_desktop::OutputPath(name)); }
  std::optional<ScreenImage> Capture(const std::string& name = "") const {
    return desktop.Capture(name.empty() ? "" : quorla_desktop::OutputPath(name));
  }

  HttpTestServer pages;
  HttpTestServer proxy;
  Desktop desktop;
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  WindowGeometry main;
};

}  // namespace browser_e2e
