// The browser's main window, with the maximised window covering the whole
// screen, panel included: it opens maximised with its title and icon, its
// close button ends it with code 1, a second browser hands "/tray" to the
// first and ends without a window, an address opens a window of its own,
// and the tray program is started once, soon after the start, unless it
// runs.
#include <filesystem>

#include "browser_e2e_support.h"
#include "log_lines.h"

namespace browser_e2e {
namespace {

class BrowserOnADesktop : public BrowserTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartDesktop()); }

  // The visible window of a process, once it has one.
  std::optional<WindowId> WindowOf(ChildProcess& program, std::chrono::milliseconds timeout = 30s) {
    std::optional<WindowId> found;
    WaitUntil([&] {
      auto windows = desktop.WindowsOfProcess(program.pid());
      if (!windows.empty()) found = windows.front();
      return found.has_value();
    }, timeout);
    return found;
  }
  bool CoversTheScreen(WindowId window) {
    return WaitUntil([&] {
      auto g = desktop.Geometry(window);
      return g && g->x == 0 && g->y == 0 && g->width == kScreenWidth && g->height == kScreenHeight;
    }, 20s);
  }
  // The browser alone (on its start page), once its window covers the
  // screen, as a maximised window without a window manager does.
  void StartMaximised() {
    browser = Launch({BrowserPath()});
    ASSERT_TRUE(browser);
    // Once its first tab's page has started, which starts the web engine,
    // the caption shows a page title before the product's name. The engine
    // draws through OpenGL, for which the toolkit makes the window's X
    // window anew, so the window is looked for again after that; input that
    // arrives while the engine starts may be lost.
    const auto named = [&] {
      for (WindowId each : desktop.WindowsOfProcess(browser->pid())) {
        if (Property(each, "_NET_WM_NAME").find(" - Quorla购物浏览器") == std::string::npos) continue;
        window = each;
        return true;
      }
      return false;
    };
    ASSERT_TRUE(WaitUntil(named, 30s)) << browser->Errors();
    std::this_thread::sleep_for(2s);
    ASSERT_TRUE(WaitUntil(named, 30s)) << browser->Errors();
    ASSERT_TRUE(CoversTheScreen(window));
    std::this_thread::sleep_for(500ms);
  }
  std::string Property(WindowId id, const std::string& name) {
    return desktop.Tool({"xprop", "-id", std::to_string(id), name}).output;
  }
};

TEST_F(BrowserOnADesktop, OpensMaximisedWithItsSkinTitleAndIconAndItsCloseButtonEndsItWithCodeOne) {
  ASSERT_NO_FATAL_FAILURE(StartMaximised());
  EXPECT_NE(Property(window, "_NET_WM_NAME").find("Quorla购物浏览器"), std::string::npos);
  EXPECT_NE(Property(window, "_NET_WM_ICON").find("_NET_WM_ICON(CARDINAL)"), std::string::npos);

  std::optional<ScreenImage> screen;
  // The skin is drawn: the page area white, the caption a warm band above
  // it, the status bar at the bottom, the window's edge at its left.
  ASSERT_TRUE(WaitUntil([&] {
    screen = Capture("browser_maximised.png");
    return screen && screen->Pixel(512, 400) == 0xFFFFFF;
  }, 20s));
  EXPECT_NE(screen->Pixel(512, 10), 0xFFFFFFu);
  EXPECT_NE(screen->Pixel(512, 10), 0x000000u);
  EXPECT_NE(screen->Pixel(512, kScreenHeight - 10), 0xFFFFFFu);
  EXPECT_NE(screen->Pixel(0, 400), 0xFFFFFFu);
  EXPECT_TRUE(browser->Running());

  desktop.MoveMouse(CaptionButtonX(2), kCaptionButtonY);
  std::this_thread::sleep_for(1500ms);
  Shot("browser_close_hovered_tooltip.png");
  desktop.Press(1);
  std::this_thread::sleep_for(300ms);
  Shot("browser_close_pressed.png");
  desktop.Release(1);
  EXPECT_EQ(browser->Wait(20s), std::optional<int>(1));
}

TEST_F(BrowserOnADesktop, RestoresSizesByItsEdgeAndOpensTheWindowMenu) {
  ASSERT_NO_FATAL_FAILURE(StartMaximised());
  desktop.Click(CaptionButtonX(1), kCaptionButtonY);
  std::optional<WindowGeometry> restored;
  ASSERT_TRUE(WaitUntil([&] {
    restored = desktop.Geometry(window);
    return restored && restored->width < kScreenWidth;
  }, 20s));
  std::this_thread::sleep_for(500ms);
  Shot("browser_restored.png");

  // The left edge dragged far to the right stops at 910 wide.
  const int right = restored->x + restored->width;
  const int y = restored->y + restored->height / 2;
  desktop.MoveMouse(restored->x + 1, y);
  desktop.Press(1);
  desktop.MoveMouse(restored->x + 100, y);
  desktop.MoveMouse(right - 10, y);
  std::this_thread::sleep_for(500ms);
  Shot("browser_outline_mid_drag.png");
  desktop.Release(1);
  ASSERT_TRUE(WaitUntil([&] {
    auto g = desktop.Geometry(window);
    return g && g->width == 910 && g->x + g->width == right;
  }, 10s)) << "the left edge stops 910 pixels short of the right one";

  // The logo's spot opens the window menu.
  auto now = desktop.Geometry(window);
  ASSERT_TRUE(now);
  desktop.Click(now->x + 10, now->y + 10);
  std::this_thread::sleep_for(800ms);
  Shot("browser_window_menu.png");
  desktop.Key("Escape");
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserOnADesktop, ASecondBrowserAskedForTheTrayRestoresTheFirstAndEndsWithoutAWindow) {
  ASSERT_NO_FATAL_FAILURE(StartMaximised());
  desktop.Click(CaptionButtonX(0), kCaptionButtonY);
  ASSERT_TRUE(WaitUntil([&] { return desktop.WindowsOfProcess(browser->pid()).empty(); }, 20s))
      << "minimised without a window manager: unmapped";

  auto second = Launch({BrowserPath(), "/tray"});
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Wait(30s), std::optional<int>(0));
  EXPECT_TRUE(desktop.WindowsOfProcess(second->pid(), false).empty()) << "the second made no window";
  auto back = WindowOf(*browser, 20s);
  ASSERT_TRUE(back) << "the first window is back";
  EXPECT_TRUE(CoversTheScreen(*back)) << "maximised, as it was";
}

TEST_F(BrowserOnADesktop, AnAddressOpensASecondProcessWithItsOwnWindow) {
  auto first = Launch({BrowserPath()});
  ASSERT_TRUE(first);
  ASSERT_TRUE(WindowOf(*first));
  // Two blanks before "/tray": an address, not the option.
  for (const char* address : {"http://shop.example/item?id=7", " /tray"}) {
    SCOPED_TRACE(address);
    auto other = Launch({BrowserPath(), address});
    ASSERT_TRUE(other);
    EXPECT_TRUE(WindowOf(*other)) << "a window of its own";
    EXPECT_TRUE(first->Running());
    EXPECT_TRUE(other->Running());
  }
}

// A copy of the program in a folder of its own, beside a stand-in for the
// tray program that writes down each start.
class TrayStart : public BrowserOnADesktop {
 protected:
  void SetUp() override {
    BrowserOnADesktop::SetUp();
    folder = desktop.folder() + "/program";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(BrowserPath(), folder + "/VXBrowser");
    std::filesystem::copy_file(std::string(QUORLA_BROWSER_TEST_DIR) + "/tray_standin", folder + "/VXTray");
    log = desktop.folder() + "/tray_starts.log";
  }
  std::unique_ptr<ChildProcess> StartCopy() {
    return Launch({folder + "/VXBrowser"}, {"QUORLA_TRAY_STANDIN_LOG=" + log});
  }
  static long long Now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
  }

  std::string folder;
  std::string log;
};

TEST_F(TrayStart, TheTrayProgramStartsOnceSoonAfterTheBrowser) {
  const long long launched = Now();
  auto copy = StartCopy();
  ASSERT_TRUE(copy);
  ASSERT_TRUE(WaitUntil([&] { return !quorla_desktop::LogLines(log).empty(); }, 30s)) << copy->Errors();
  std::this_thread::sleep_for(3s);
  const auto lines = quorla_desktop::LogLines(log);
  ASSERT_EQ(lines.size(), 1u) << "started once";
  long long started = 0;
  int commandLineLength = 0;
  ASSERT_EQ(std::sscanf(lines[0].c_str(), "started %lld %d", &started, &commandLineLength), 2);
  EXPECT_GE(started - launched, 300) << "after the start timer";
  EXPECT_LT(started - launched, 15000);
  EXPECT_EQ(commandLineLength, static_cast<int>(folder.size() + std::string("/VXTray").size() + 2))
      << "the quoted path, no arguments";
  EXPECT_TRUE(copy->Running());
}

TEST_F(TrayStart, NotWhileTheTrayProgramRuns) {
  auto holder = Launch({std::string(QUORLA_BROWSER_TEST_DIR) + "/tray_mutex_holder"});
  ASSERT_TRUE(holder);
  ASSERT_TRUE(WaitUntil([&] { return holder->Output().find("held") != std::string::npos; }, 20s));
  auto copy = StartCopy();
  ASSERT_TRUE(copy);
  ASSERT_TRUE(WindowOf(*copy));
  std::this_thread::sleep_for(3s);
  EXPECT_TRUE(quorla_desktop::LogLines(log).empty());
  EXPECT_TRUE(copy->Running());
}

}  // namespace
}  // namespace browser_e2e
