// The favourites bar and the page icons on a real X display (the desktop
// fixture's Xvfb and tray panel, no window manager: the window covers the
// whole 1024 x 768 screen). The browser runs from a copy of the output
// folder whose config/collect.xml (code page 936) points at a local server:
// a group's menu, a link in it and one in its nested submenu open new tabs;
// forty groups overflow the bar, and the overflow menu's links open too. A
// page whose server answers /favicon.ico with an icon of one colour shows
// that colour in its tab and beside the address; a site without an icon
// keeps the default one. Screenshots for a person go to build/tests.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "desktop.h"
#include "../favourites/favourites_test_support.h"
#include "http_test_server.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla::testing::HttpTestServer;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowId;

namespace {

constexpr int kScreenWidth = 1024;
// The rows of the maximised window: caption 30, navigation row 36, the
// favourites bar (26 high, from x 4 to 1020) and the tab strip under it.
constexpr int kNavigationTop = 30, kNavigationBottom = 66;
constexpr int kFavouritesY = 66 + 13;
constexpr int kFirstGroupX = 4 + 12;
constexpr int kOverflowX = 1020 - 10;
constexpr int kTabRowTop = 92, kTabRowBottom = 92 + 32;

// The one colour of the test's icon, unlike anything of the window's own.
constexpr unsigned char kRed = 0xE0, kGreen = 0x20, kBlue = 0xA0;
constexpr std::uint32_t kIconColour = (kRed << 16) | (kGreen << 8) | kBlue;

std::string Page(const std::string& title) {
  return "<html><head><meta charset='utf-8'><title>" + title + "</title></head><body>" + title + "</body></html>";
}

class BrowserFavourites : public ::testing::Test {
 protected:
  void SetUp() override {
    pages.ServeBody("/a", Page("page a"));
    for (const char* path : {"/fav/one", "/fav/nested"}) pages.ServeBody(path, Page(path));
    for (int g = 0; g < 40; ++g) pages.ServeBody("/fav/g" + std::to_string(g), Page("group " + std::to_string(g)));
    pages.ServeBody("/favicon.ico", favourites_test::OneColourIco(kRed, kGreen, kBlue), 200, "image/x-icon");
    ASSERT_TRUE(pages.Start());
    iconless.ServeBody("/plain", Page("plain"));
    ASSERT_TRUE(iconless.Start());
    std::string error;
    ASSERT_TRUE(desktop.Start(&error)) << error;
  }

  // A copy of the output folder with the test's favourites in it.
  std::string ProgramCopy(int groups) {
    const std::filesystem::path copy = std::filesystem::path(desktop.folder()) / "程序";
    std::filesystem::copy(QUORLA_BIN_DIR, copy, std::filesystem::copy_options::recursive);
    std::u16string body =
        u"<item name=\"测试组\"><subitem name=\"链接一\" url=\"" + Wide(pages.Url("/fav/one")) +
        u"\"/><item name=\"子菜单\"><subitem name=\"嵌套链接\" url=\"" + Wide(pages.Url("/fav/nested")) +
        u"\"/></item></item>";
    for (int g = 1; g < groups; ++g) {
      body += u"<item name=\"组" + Wide(std::to_string(g)) + u"\"><subitem name=\"链接" + Wide(std::to_string(g)) +
              u"\" url=\"" + Wide(pages.Url("/fav/g" + std::to_string(g))) + u"\"/></item>";
    }
    std::ofstream(copy / "config" / "collect.xml", std::ios::binary | std::ios::trunc)
        << favourites_test::CollectXml(body.c_str());
    return (copy / "VXBrowser").string();
  }
  static std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

  void StartBrowser(const std::string& program, const std::string& address) {
    std::string error;
    browser = desktop.Launch({program, address},
                             {"XDG_DATA_HOME=" + desktop.folder() + "/data", "XDG_CACHE_HOME=" + desktop.folder() + "/cache",
                              "no_proxy=127.0.0.1,localhost", "NO_PROXY=127.0.0.1,localhost"},
                             "", &error);
    ASSERT_TRUE(browser) << error;
    ASSERT_TRUE(WaitUntil([&] {
      auto windows = desktop.WindowsOfProcess(browser->pid());
      if (windows.empty()) return false;
      auto g = desktop.Geometry(windows.front());
      return g && g->width == kScreenWidth;
    }, 60s)) << browser->Errors();
  }

  static int Requests(HttpTestServer& server, const std::string& path) {
    int n = 0;
    for (const auto& request : server.Requests()) n += request.path == path;
    return n;
  }
  bool Requested(HttpTestServer& server, const std::string& path, int atLeast = 1) {
    return WaitUntil([&] { return Requests(server, path) >= atLeast; }, 30s);
  }
  std::string Seen() {
    std::string seen;
    for (const auto& request : pages.Requests()) seen += request.path + " ";
    return seen;
  }

  // Pixels of the icon's colour between the rows top and bottom.
  int IconPixels(int top, int bottom) {
    auto screen = desktop.Capture();
    if (!screen) return -1;
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < kScreenWidth; ++x) n += screen->Pixel(x, y) == kIconColour;
    return n;
  }

  // Opens the menu of the button at x and walks it with keys.
  void ChooseFromMenu(int x, const std::vector<std::string>& keys, const std::string& shot = "") {
    desktop.Click(x, kFavouritesY);
    std::this_thread::sleep_for(800ms);
    if (!shot.empty()) desktop.SaveScreenshot(quorla_desktop::OutputPath(shot));
    for (const std::string& key : keys) {
      desktop.Key(key);
      std::this_thread::sleep_for(250ms);
    }
  }

  HttpTestServer pages;
  HttpTestServer iconless;
  Desktop desktop;
  std::unique_ptr<ChildProcess> browser;
};

TEST_F(BrowserFavourites, ASitesIconShowsInItsTabAndBesideTheAddress) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(ProgramCopy(1), pages.Url("/a")));
  ASSERT_TRUE(Requested(pages, "/favicon.ico")) << Seen();
  ASSERT_TRUE(WaitUntil([&] { return IconPixels(kTabRowTop, kTabRowBottom) >= 200; }, 20s))
      << IconPixels(kTabRowTop, kTabRowBottom) << " in the tab";
  EXPECT_GE(IconPixels(kNavigationTop, kNavigationBottom), 200) << "beside the address";
  desktop.SaveScreenshot(quorla_desktop::OutputPath("favourites_tab_icon.png"));
}

// From the output folder itself, with the shipped favourites: pictures of
// their bar and of their first group's menu for a person to look at.
TEST_F(BrowserFavourites, ASiteWithoutAnIconKeepsTheDefaultOne) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(std::string(QUORLA_BIN_DIR) + "/VXBrowser", iconless.Url("/plain")));
  ASSERT_TRUE(Requested(iconless, "/favicon.ico"));
  std::this_thread::sleep_for(2s);
  EXPECT_EQ(IconPixels(kTabRowTop, kTabRowBottom), 0);
  EXPECT_EQ(IconPixels(kNavigationTop, kNavigationBottom), 0);
  desktop.SaveScreenshot(quorla_desktop::OutputPath("favourites_shipped_bar.png"));
  ChooseFromMenu(kFirstGroupX, {"Down", "Right"}, "");
  desktop.SaveScreenshot(quorla_desktop::OutputPath("favourites_shipped_menu.png"));
  desktop.Key("Escape");
  desktop.Key("Escape");
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserFavourites, GroupMenusNestedSubmenusAndTheOverflowMenuOpenTheirLinks) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(ProgramCopy(40), pages.Url("/a")));
  ASSERT_TRUE(Requested(pages, "/a"));
  std::this_thread::sleep_for(1s);
  desktop.SaveScreenshot(quorla_desktop::OutputPath("favourites_bar.png"));

  // The group's first link.
  ChooseFromMenu(kFirstGroupX, {"Down", "Return"}, "favourites_group_menu.png");
  EXPECT_TRUE(Requested(pages, "/fav/one")) << Seen();

  // The link in the group's nested submenu.
  ChooseFromMenu(kFirstGroupX, {"Down", "Down", "Right", "Return"});
  EXPECT_TRUE(Requested(pages, "/fav/nested")) << Seen();

  // The overflow menu: the first hidden group's submenu, its link.
  ChooseFromMenu(kOverflowX, {"Down", "Right", "Return"}, "favourites_overflow_menu.png");
  EXPECT_TRUE(WaitUntil([&] {
    for (const auto& request : pages.Requests()) {
      if (request.path.rfind("/fav/g", 0) == 0) return true;
    }
    return false;
  }, 30s)) << Seen();
  // The groups the bar shows are not in the overflow menu: the one opened
  // is a later group.
  EXPECT_EQ(Requests(pages, "/fav/g1"), 0) << Seen();
  EXPECT_TRUE(browser->Running());
}

}  // namespace
