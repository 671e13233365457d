// The tray program on a desktop of its own, from its start to its exit, at
// its real pace: a copy of the built programs with a stand-in browser that
// writes down how it was started, a watch list of two products whose local
// shop pages are now cheaper, and a tray panel. The icon, the single
// instance, the icon's clicks and menu, the two notices a minute after the
// start (shape, place, share menu, drag, open, close) and the exit with
// its save. Screenshots go to build/tests/.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desktop.h"
#include "http_test_server.h"
#include "log_lines.h"
#include "share_address.h"
#include "tray_test_support.h"
#include "wait_until.h"
#include "win/geometry.h"
#include "win/time.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using quorla_desktop::Desktop;
using quorla_desktop::OutputPath;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowGeometry;
using quorla_desktop::WindowId;
using tray_test::LocalDate;

// Both titles hold "&" and "#" and run past the 20 units a share message
// takes: a price check reports its drops in the order their pages came in,
// so either product may be the first notice.
constexpr char16_t kFirstTitle[] = u"超值套装 Tom & Jerry #2 限量版纪念礼盒装";
constexpr char16_t kSecondTitle[] = u"无线降噪耳机 A&B #9 旗舰版 2024 新款礼盒";
constexpr int kNoticeWidth = 397, kNoticeHeight = 317;
// 5 pixels from the right and bottom edges of the 1024 x 768 screen (the
// panel at the top takes nothing from them).
constexpr int kNoticeLeft = 1024 - 5 - kNoticeWidth, kNoticeTop = 768 - 5 - kNoticeHeight;

// The built programs and libraries copied into folder, with the fixture
// shop's site table and the stand-in browser.
void MakeProgramFolder(const fs::path& folder) {
  fs::create_directories(folder / "config");
  for (const auto& entry : fs::directory_iterator(QUORLA_BIN_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name != "VXBrowser") fs::copy_file(entry.path(), folder / name);
  }
  fs::copy_file(fs::path(QUORLA_SOURCE_DIR) / "tray/tests/fixtures/domainList.xml", folder / "config/domainList.xml");
  fs::copy_file(fs::path(QUORLA_TRAY_TEST_DIR) / "VXBrowser", folder / "VXBrowser");
}


class TrayOnADesktop : public ::testing::Test {
 protected:
  // The tray program's windows on screen: its icon in the panel's strip,
  // a notice, a menu (anything else).
  std::optional<WindowGeometry> Icon() const { return Find([](const WindowGeometry& g) { return IsIcon(g); }); }
  std::optional<WindowGeometry> Notice() const {
    return Find([](const WindowGeometry& g) { return g.width == kNoticeWidth && g.height == kNoticeHeight; });
  }
  // Both menus hold two items; the icon's tip, a single line about 21
  // pixels high, shows when the pointer rests on the icon and is no menu.
  std::optional<WindowGeometry> Menu() const {
    return Find([](const WindowGeometry& g) {
      return !IsIcon(g) && !(g.width == kNoticeWidth && g.height == kNoticeHeight) && g.width > 40 && g.height > 30;
    });
  }
  static bool IsIcon(const WindowGeometry& g) { return g.y >= 0 && g.y + g.height <= 24 && g.width <= 32; }
  template <class Match>
  std::optional<WindowGeometry> Find(Match match) const {
    for (WindowId id : desktop.WindowsOfProcess(tray->pid())) {
      std::optional<WindowGeometry> g = desktop.Geometry(id);
      if (g && match(*g)) return g;
    }
    return std::nullopt;
  }

  std::vector<std::string> Starts() const { return quorla_desktop::LogLines(startsLog); }
  std::string StartLine(const std::string& parameters) const {
    return "\"" + (programs / "VXBrowser").string() + "\" " + parameters;
  }
  // Waits for count starts in all, then, for a moment, for one too many.
  std::vector<std::string> AwaitStarts(std::size_t count) const {
    WaitUntil([&] { return Starts().size() >= count; }, 10s);
    WaitUntil([&] { return Starts().size() > count; }, 1500ms);
    return Starts();
  }
  // The screen once the window at g is drawn: most of a grid of points in
  // it off the desktop's black (text and frames are a few of them). Saved
  // under build/tests/ when a name is given.
  std::optional<quorla_desktop::ScreenImage> AwaitPainted(const WindowGeometry& g,
                                                         const std::string& name = "") const {
    std::optional<quorla_desktop::ScreenImage> screen;
    const bool painted = WaitUntil([&] {
      screen = desktop.Capture(name.empty() ? "" : OutputPath(name));
      if (!screen) return false;
      int lit = 0;
      for (int row = 1; row <= 5; ++row)
        for (int column = 1; column <= 5; ++column)
          lit += screen->Pixel(g.x + g.width * column / 6, g.y + g.height * row / 6) != 0x000000u;
      return lit >= 18;
    }, 20s);
    if (!painted) return std::nullopt;
    return screen;
  }
  std::string Url(const std::string& path) const {
    return "http://rules.localhost:" + std::to_string(server.Port()) + path;
  }
  // The share address (first menu item) of the product at path, its prices
  // as the check left them (the exact text is pinned by the share tests).
  std::string ShareAddress(const std::string& path) const {
    const bool first = path == "/p1";
    const ReducePriceItem item = tray_test::MakeItem(tray_test::Wide(Url(path)), first ? 80.5 : 150.0,
                                                     first ? 99.2 : 200.0, first ? 99.2 : 200.0,
                                                     first ? kFirstTitle : kSecondTitle);
    const std::u16string address = BuildShareAddress(ID_SHARE_SINA, item);
    return std::string(address.begin(), address.end());
  }
  std::string Screenshot(const std::string& name) const {
    const std::string path = OutputPath(name);
    desktop.SaveScreenshot(path);
    return path;
  }

  Desktop desktop;
  quorla::testing::HttpTestServer server;
  fs::path programs;
  std::string startsLog;
  std::unique_ptr<quorla_desktop::ChildProcess> tray;
};

TEST_F(TrayOnADesktop, FromItsStartToItsExit) {
  const auto testStart = std::chrono::steady_clock::now();
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  server.ServeBody("/p1", tray_test::ShopPage("80.50"));
  server.ServeBody("/p2", tray_test::ShopPage("150.00"));
  ASSERT_TRUE(server.Start());
  programs = fs::path(desktop.folder()) / "programs";
  MakeProgramFolder(programs);
  startsLog = desktop.folder() + "/browser-starts.log";

  // The watch list, written through the deployed shopping library into the
  // desktop's settings folder, without a last check time.
  setenv("XDG_CONFIG_HOME", desktop.configHome().c_str(), 1);
  fs::create_directories(desktop.configHome());
  IReducePriceMgr* list = tray_test::SharedManager();
  ASSERT_NE(list, nullptr);
  list->Load();
  ReducePriceItem first = tray_test::MakeItem(tray_test::Wide(Url("/p1")), 99.2, 99.2, 99.2, kFirstTitle);
  first.AddedTime = LocalDate(2024, 3, 7);
  ReducePriceItem second = tray_test::MakeItem(tray_test::Wide(Url("/p2")), 200.0, 200.0, 200.0, kSecondTitle);
  second.AddedTime = LocalDate(2024, 5, 1);
  list->AddItem(&first);
  list->AddItem(&second);
  ASSERT_EQ(list->Save(), S_OK);
  const fs::path listFile = fs::path(desktop.configHome()) / "vxbrowser" / "reduceprice.fg";
  const std::vector<std::u16string> bothUrls = {tray_test::Wide(Url("/p1")), tray_test::Wide(Url("/p2"))};
  ASSERT_EQ(tray_test::UrlsInFile(listFile), bothUrls);

  const std::vector<std::string> environment = {"QUORLA_BROWSER_STANDIN_LOG=" + startsLog};
  tray = desktop.Launch({(programs / "VXTray").string()}, environment, "", &error);
  ASSERT_TRUE(tray) << error;
  const auto trayStart = std::chrono::steady_clock::now();

  // The icon in the panel.
  std::optional<WindowGeometry> icon;
  ASSERT_TRUE(WaitUntil([&] { return (icon = Icon()).has_value(); }, 40s)) << tray->Errors();
  // The icon is added as the worker and the notice timer start: the
  // program's own start, whatever time its loading took.
  const auto iconShown = std::chrono::steady_clock::now();
  std::printf("icon shown %.1f s after the launch\n", std::chrono::duration<double>(iconShown - trayStart).count());
  const int iconX = icon->x + icon->width / 2, iconY = icon->y + icon->height / 2;
  EXPECT_GT(iconX, 1024 / 2);
  Screenshot("tray_e2e_icon.png");

  // A second instance ends at once; one icon stays.
  auto second_instance = desktop.Launch({(programs / "VXTray").string()}, environment, "", &error);
  ASSERT_TRUE(second_instance) << error;
  const std::optional<int> secondStatus = second_instance->Wait(15s);
  ASSERT_TRUE(secondStatus.has_value());
  EXPECT_EQ(*secondStatus, 0);
  EXPECT_TRUE(desktop.WindowsOfProcess(second_instance->pid()).empty());
  EXPECT_TRUE(Icon().has_value());
  EXPECT_TRUE(tray->Running());

  // Left click: the browser with "/tray"; a double click starts it once.
  ASSERT_TRUE(desktop.Click(iconX, iconY));
  EXPECT_EQ(AwaitStarts(1), std::vector<std::string>{StartLine("/tray")});
  ASSERT_TRUE(desktop.DoubleClick(iconX, iconY));
  EXPECT_EQ(AwaitStarts(2), (std::vector<std::string>{StartLine("/tray"), StartLine("/tray")}));

  // Right click: the menu, which Esc dismisses.
  ASSERT_TRUE(desktop.Click(iconX, iconY, 3));
  std::optional<WindowGeometry> menu;
  ASSERT_TRUE(WaitUntil([&] { return (menu = Menu()).has_value(); }, 10s)) << "no menu";
  EXPECT_TRUE(AwaitPainted(*menu, "tray_e2e_icon_menu.png")) << "the menu never painted";
  EXPECT_LE(menu->x + menu->width, 1024);
  ASSERT_TRUE(desktop.Key("Escape"));
  EXPECT_TRUE(WaitUntil([&] { return !Menu().has_value(); }, 10s)) << "the menu stayed";
  EXPECT_EQ(Starts().size(), 2u);

  // The first check comes at the worker's first wake, a minute after the
  // start; its first notice at the notice timer's next tick (at most 20 s
  // later). Not before a minute after the launch, and within 85 s of the
  // icon: a busy machine may take seconds to load the program.
  std::optional<WindowGeometry> notice;
  ASSERT_TRUE(WaitUntil([&] { return (notice = Notice()).has_value(); }, 100s)) << "no notice";
  const auto noticeShown = std::chrono::steady_clock::now();
  std::printf("first notice %.1f s after the launch, %.1f s after the icon\n",
              std::chrono::duration<double>(noticeShown - trayStart).count(),
              std::chrono::duration<double>(noticeShown - iconShown).count());
  EXPECT_GE(noticeShown - trayStart, 60s);
  EXPECT_LE(noticeShown - iconShown, 85s);
  EXPECT_EQ(notice->x, kNoticeLeft);
  EXPECT_EQ(notice->y, kNoticeTop);
  const int left = notice->x, top = notice->y, right = left + kNoticeWidth - 1, bottom = top + kNoticeHeight - 1;
  const std::optional<quorla_desktop::ScreenImage> screen = AwaitPainted(*notice, "tray_e2e_notice.png");
  ASSERT_TRUE(screen) << "the notice never painted";
  const POINT corners[] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
  for (const POINT& corner : corners)
    EXPECT_EQ(screen->Pixel(corner.x, corner.y), 0x000000u) << "corner " << corner.x << ", " << corner.y;
  for (const POINT& inside : {POINT{left + 2, top}, POINT{right, bottom - 2}})
    EXPECT_NE(screen->Pixel(inside.x, inside.y), 0x000000u) << "just inside " << inside.x << ", " << inside.y;

  // The share link's menu; its first item shares on Sina Weibo.
  ASSERT_TRUE(desktop.Click(left + 13 + 40, top + 287 + 8));
  ASSERT_TRUE(WaitUntil([&] { return (menu = Menu()).has_value(); }, 10s)) << "no share menu";
  EXPECT_TRUE(AwaitPainted(*menu, "tray_e2e_share_menu.png")) << "the share menu never painted";
  ASSERT_TRUE(desktop.Click(menu->x + menu->width / 2, menu->y + menu->height / 4));
  std::vector<std::string> starts = AwaitStarts(3);
  ASSERT_EQ(starts.size(), 3u);
  // Which product this notice shows, as its share address names it.
  const std::string shown = starts[2].find("%3A" + std::to_string(server.Port()) + "%2Fp2&") != std::string::npos
                                ? "/p2"
                                : "/p1";
  const std::string other = shown == "/p1" ? "/p2" : "/p1";
  EXPECT_EQ(starts[2], StartLine(ShareAddress(shown)));
  EXPECT_TRUE(Notice().has_value()) << "the notice stays";

  // A press on the background drags it.
  ASSERT_TRUE(desktop.MoveMouse(left + 200, top + 120));
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(desktop.Press(1));
  // The move loop follows the pointer from where it is when the loop starts,
  // as a person's drag does: give the press time to reach it on a busy machine.
  std::this_thread::sleep_for(300ms);
  for (int step = 1; step <= 10; ++step) {
    ASSERT_TRUE(desktop.MoveMouse(left + 200 - 10 * step, top + 120 - 8 * step));
    std::this_thread::sleep_for(50ms);
  }
  ASSERT_TRUE(desktop.Release(1));
  EXPECT_TRUE(WaitUntil([&] {
    notice = Notice();
    return notice && notice->x == left - 100 && notice->y == top - 80;
  }, 10s)) << "at " << (notice ? notice->x : -1) << ", " << (notice ? notice->y : -1);
  const int movedLeft = notice ? notice->x : left, movedTop = notice ? notice->y : top;
  Screenshot("tray_e2e_notice_moved.png");

  // Pressed on the open button and released off it: nothing.
  const int openX = movedLeft + 246 + 63, openY = movedTop + 270 + 15;
  ASSERT_TRUE(desktop.MoveMouse(openX, openY));
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(desktop.Press(1));
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(desktop.MoveMouse(openX, openY - 60));
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(desktop.Release(1));
  EXPECT_EQ(AwaitStarts(3).size(), 3u) << "no browser for a missed click";
  EXPECT_TRUE(Notice().has_value());

  // The open button: the browser on the product, and the notice ends.
  ASSERT_TRUE(desktop.Click(openX, openY));
  starts = AwaitStarts(4);
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(starts[3], StartLine(Url(shown)));
  // (The next notice may open at once, at the usual place: the moved one is
  // the one that must go.)
  EXPECT_TRUE(WaitUntil([&] {
    return !Find([&](const WindowGeometry& g) {
      return g.width == kNoticeWidth && g.height == kNoticeHeight && g.x == movedLeft && g.y == movedTop;
    });
  }, 10s)) << "the notice stayed";
  EXPECT_EQ(tray_test::UrlsInFile(listFile), bothUrls) << "removal is not saved before the exit";
  const auto firstClosed = std::chrono::steady_clock::now();

  // The second notice at the timer's next tick, within its 20 s period
  // (and the few seconds a busy machine takes to map and find it); closed
  // by its button.
  ASSERT_TRUE(WaitUntil([&] { return (notice = Notice()).has_value(); }, 30s)) << "no second notice";
  const auto secondShown = std::chrono::steady_clock::now();
  std::printf("second notice %.1f s after the first closed\n",
              std::chrono::duration<double>(secondShown - firstClosed).count());
  EXPECT_LE(secondShown - firstClosed, 23s);
  EXPECT_EQ(notice->x, kNoticeLeft);
  EXPECT_EQ(notice->y, kNoticeTop);
  EXPECT_TRUE(AwaitPainted(*notice, "tray_e2e_second_notice.png")) << "the second notice never painted";
  // The other product's notice: its share item names it (and the notice stays).
  ASSERT_TRUE(desktop.Click(notice->x + 13 + 40, notice->y + 287 + 8));
  ASSERT_TRUE(WaitUntil([&] { return (menu = Menu()).has_value(); }, 10s)) << "no share menu";
  ASSERT_TRUE(AwaitPainted(*menu)) << "the share menu never painted";
  ASSERT_TRUE(desktop.Click(menu->x + menu->width / 2, menu->y + menu->height / 4));
  starts = AwaitStarts(5);
  ASSERT_EQ(starts.size(), 5u);
  EXPECT_EQ(starts[4], StartLine(ShareAddress(other)));
  ASSERT_TRUE(desktop.Click(notice->x + 371 + 10, notice->y + 1 + 10));
  EXPECT_TRUE(WaitUntil([&] { return !Notice().has_value(); }, 10s)) << "the close button did not close it";
  EXPECT_EQ(Starts().size(), 5u);

  // The menu's exit: status 0, the icon gone, the list saved without both.
  ASSERT_TRUE(desktop.Click(iconX, iconY, 3));
  ASSERT_TRUE(WaitUntil([&] { return (menu = Menu()).has_value(); }, 10s)) << "no menu";
  ASSERT_TRUE(AwaitPainted(*menu)) << "the menu never painted";
  ASSERT_TRUE(desktop.Click(menu->x + menu->width / 2, menu->y + menu->height - 12));
  const std::optional<int> status = tray->Wait(20s);
  ASSERT_TRUE(status.has_value()) << "still running";
  EXPECT_EQ(*status, 0) << tray->Errors();
  EXPECT_TRUE(WaitUntil([&] {
    auto now = desktop.Capture();
    return now && now->Pixel(iconX, iconY) != screen->Pixel(iconX, iconY);
  }, 10s)) << "the icon stayed in the panel";
  Screenshot("tray_e2e_after_exit.png");
  EXPECT_TRUE(tray_test::UrlsInFile(listFile).empty());
  EXPECT_EQ(Starts().size(), 5u);

  const auto testTime = std::chrono::steady_clock::now() - testStart;
  std::printf("the whole run took %.1f s\n", std::chrono::duration<double>(testTime).count());
  EXPECT_LT(testTime, 180s);
}

}  // namespace
