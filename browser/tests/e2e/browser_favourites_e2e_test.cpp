// The favourites bar and the page icons. The browser runs from a copy of
// the output folder whose config/collect.xml (code page 936) points at a
// local server: a group's menu, a link in it and one in its nested submenu
// open new tabs; forty groups overflow the bar, and the overflow menu's
// links open too. A page whose server answers /favicon.ico with an icon of
// one colour shows that colour in its tab and beside the address; a site
// without an icon keeps the default one.
#include <filesystem>
#include <fstream>

#include "../favourites/favourites_test_support.h"
#include "browser_e2e_support.h"

namespace browser_e2e {
namespace {

constexpr int kTabRowBottom = kTabRowTop + 32;

// The one colour of the test's icon, unlike anything of the window's own.
constexpr unsigned char kRed = 0xE0, kGreen = 0x20, kBlue = 0xA0;
constexpr std::uint32_t kIconColour = (kRed << 16) | (kGreen << 8) | kBlue;

class BrowserFavourites : public BrowserTest {
 protected:
  void SetUp() override {
    pages.ServeBody("/a", Page("page a"));
    for (const char* path : {"/fav/one", "/fav/nested"}) pages.ServeBody(path, Page(path));
    for (int g = 0; g < 40; ++g) pages.ServeBody("/fav/g" + std::to_string(g), Page("group " + std::to_string(g)));
    pages.ServeBody("/favicon.ico", favourites_test::OneColourIco(kRed, kGreen, kBlue), 200, "image/x-icon");
    iconless.ServeBody("/plain", Page("plain"));
    ASSERT_TRUE(iconless.Start());
    ASSERT_NO_FATAL_FAILURE(StartDesktop());
  }

  // A copy of the output folder with the test's favourites in it.
  std::string ProgramCopy(int groups) {
    const std::filesystem::path copy = std::filesystem::path(desktop.folder()) / "程序";
    std::filesystem::copy(QUORLA_BIN_DIR, copy, std::filesystem::copy_options::recursive);
    std::u16string body =
        u"<item name=\"测试组\"><subitem name=\"链接一\" url=\"" + Utf16(pages.Url("/fav/one")) +
        u"\"/><item name=\"子菜单\"><subitem name=\"嵌套链接\" url=\"" + Utf16(pages.Url("/fav/nested")) +
        u"\"/></item></item>";
    for (int g = 1; g < groups; ++g) {
      body += u"<item name=\"组" + Utf16(std::to_string(g)) + u"\"><subitem name=\"链接" + Utf16(std::to_string(g)) +
              u"\" url=\"" + Utf16(pages.Url("/fav/g" + std::to_string(g))) + u"\"/></item>";
    }
    std::ofstream(copy / "config" / "collect.xml", std::ios::binary | std::ios::trunc)
        << favourites_test::CollectXml(body.c_str());
    return (copy / "VXBrowser").string();
  }

  // Pixels of the icon's colour between the rows top and bottom.
  int IconPixels(int top, int bottom) {
    auto screen = Capture();
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
    if (!shot.empty()) Shot(shot);
    for (const std::string& key : keys) {
      desktop.Key(key);
      std::this_thread::sleep_for(250ms);
    }
  }

  HttpTestServer iconless;
};

TEST_F(BrowserFavourites, ASitesIconShowsInItsTabAndBesideTheAddress) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/a"), ProgramCopy(1)));
  ASSERT_TRUE(Requested(pages, "/favicon.ico")) << Seen(pages);
  ASSERT_TRUE(WaitUntil([&] { return IconPixels(kTabRowTop, kTabRowBottom) >= 200; }, 20s))
      << IconPixels(kTabRowTop, kTabRowBottom) << " in the tab";
  EXPECT_GE(IconPixels(kNavigationTop, kNavigationBottom), 200) << "beside the address";
  Shot("favourites_tab_icon.png");
}

// From the output folder itself, with the shipped favourites: pictures of
// their bar and of their first group's menu for a person to look at.
TEST_F(BrowserFavourites, ASiteWithoutAnIconKeepsTheDefaultOne) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(iconless.Url("/plain")));
  ASSERT_TRUE(Requested(iconless, "/favicon.ico"));
  std::this_thread::sleep_for(2s);
  EXPECT_EQ(IconPixels(kTabRowTop, kTabRowBottom), 0);
  EXPECT_EQ(IconPixels(kNavigationTop, kNavigationBottom), 0);
  Shot("favourites_shipped_bar.png");
  ChooseFromMenu(kFirstGroupX, {"Down", "Right"});
  Shot("favourites_shipped_menu.png");
  desktop.Key("Escape");
  desktop.Key("Escape");
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserFavourites, GroupMenusNestedSubmenusAndTheOverflowMenuOpenTheirLinks) {
  ASSERT_NO_FATAL_FAILURE(StartBrowser(pages.Url("/a"), ProgramCopy(40)));
  ASSERT_TRUE(Requested(pages, "/a"));
  std::this_thread::sleep_for(1s);
  Shot("favourites_bar.png");

  // The group's first link.
  ChooseFromMenu(kFirstGroupX, {"Down", "Return"}, "favourites_group_menu.png");
  EXPECT_TRUE(Requested(pages, "/fav/one")) << Seen(pages);

  // The link in the group's nested submenu.
  ChooseFromMenu(kFirstGroupX, {"Down", "Down", "Right", "Return"});
  EXPECT_TRUE(Requested(pages, "/fav/nested")) << Seen(pages);

  // The overflow menu: the first hidden group's submenu, its link.
  ChooseFromMenu(kOverflowX, {"Down", "Right", "Return"}, "favourites_overflow_menu.png");
  EXPECT_TRUE(WaitUntil([&] {
    for (const auto& request : pages.Requests())
      if (request.path.rfind("/fav/g", 0) == 0) return true;
    return false;
  }, 30s)) << Seen(pages);
  // The groups the bar shows are not in the overflow menu: the one opened
  // is a later group.
  EXPECT_EQ(Requests(pages, "/fav/g1"), 0) << Seen(pages);
  EXPECT_TRUE(browser->Running());
}

}  // namespace
}  // namespace browser_e2e
