// The browser on a real X display (the desktop fixture's Xvfb with its tray
// panel and no window manager, so the maximised window covers the whole
// screen, panel included): it opens maximised with its title and icon, the
// caption buttons and Alt+F4 end it with code 1, a second browser hands
// "/tray" to the first and ends without a window, an address opens a window
// of its own, and the tray program is started once, soon after the start,
// unless it runs. Screenshots for a person go to build/tests.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "desktop.h"
#include "log_lines.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowGeometry;
using quorla_desktop::WindowId;

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// The caption buttons of a maximised window: 28 wide each, ending 4 pixels
// short of the right edge, 3 below the top.
constexpr int kCaptionButtonY = 15;
int CaptionButtonX(int windowRight, int index) { return windowRight - 4 - 84 + 28 * index + 14; }

std::string BrowserPath() { return std::string(QUORLA_BIN_DIR) + "/VXBrowser"; }

class BrowserOnADesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(desktop.Start(&error)) << error;
  }

  std::unique_ptr<ChildProcess> Start(std::vector<std::string> argv, std::vector<std::string> environment = {}) {
    std::string error;
    auto program = desktop.Launch(argv, environment, "", &error);
    EXPECT_TRUE(program) << error;
    return program;
  }
  // The visible window of a process, once it has one.
  std::optional<WindowId> WindowOf(ChildProcess& program, std::chrono::milliseconds timeout = 30s) {
    std::optional<WindowId> found;
    WaitUntil([&] {
      auto windows = desktop.WindowsOfProcess(program.pid());
      if (windows.empty()) return false;
      found = windows.front();
      return true;
    }, timeout);
    return found;
  }
  // Waits until the window covers the rectangle.
  bool CoversWithin(WindowId window, WindowGeometry want, std::chrono::milliseconds timeout = 20s) {
    return WaitUntil([&] {
      auto g = desktop.Geometry(window);
      return g && g->x == want.x && g->y == want.y && g->width == want.width && g->height == want.height;
    }, timeout);
  }
  // Starts the browser alone and waits until its window covers the screen,
  // as a maximised window without a window manager does.
  void StartMaximised(std::unique_ptr<ChildProcess>& program, WindowId& window) {
    program = Start({BrowserPath()});
    ASSERT_TRUE(program);
    // Once its first tab's page has started, which starts the web engine,
    // the caption shows a page title before the product's name. The engine
    // draws through OpenGL, for which the toolkit makes the window's X
    // window anew, so the window is looked for again after that; input that
    // arrives while the engine starts may be lost.
    const auto named = [&] {
      for (WindowId each : desktop.WindowsOfProcess(program->pid())) {
        if (Property(each, "_NET_WM_NAME").find(" - Quorla购物浏览器") == std::string::npos) continue;
        window = each;
        return true;
      }
      return false;
    };
    ASSERT_TRUE(WaitUntil(named, 30s)) << program->Errors();
    std::this_thread::sleep_for(2s);
    ASSERT_TRUE(WaitUntil(named, 30s)) << program->Errors();
    ASSERT_TRUE(CoversWithin(window, {0, 0, kScreenWidth, kScreenHeight}));
  }
  std::string Property(WindowId window, const std::string& name) {
    return desktop.Tool({"xprop", "-id", std::to_string(window), name}).output;
  }
  void Screenshot(const std::string& name) { desktop.SaveScreenshot(quorla_desktop::OutputPath(name)); }

  Desktop desktop;
};

TEST_F(BrowserOnADesktop, OpensMaximisedWithItsSkinTitleAndIcon) {
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  ASSERT_NO_FATAL_FAILURE(StartMaximised(browser, window));
  EXPECT_NE(Property(window, "_NET_WM_NAME").find("Quorla购物浏览器"), std::string::npos);
  EXPECT_NE(Property(window, "_NET_WM_ICON").find("_NET_WM_ICON(CARDINAL)"), std::string::npos);

  std::optional<quorla_desktop::ScreenImage> screen;
  // The skin is drawn: the page area white, the caption a warm band above
  // it, the status bar at the bottom, the window's edge at its left.
  ASSERT_TRUE(WaitUntil([&] {
    screen = desktop.Capture(quorla_desktop::OutputPath("browser_maximised.png"));
    return screen && screen->Pixel(512, 400) == 0xFFFFFF;
  }, 20s));
  EXPECT_NE(screen->Pixel(512, 10), 0xFFFFFFu);
  EXPECT_NE(screen->Pixel(512, 10), 0x000000u);
  EXPECT_NE(screen->Pixel(512, kScreenHeight - 10), 0xFFFFFFu);
  EXPECT_NE(screen->Pixel(0, 400), 0xFFFFFFu);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserOnADesktop, TheCloseButtonEndsTheProgramWithCodeOne) {
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  ASSERT_NO_FATAL_FAILURE(StartMaximised(browser, window));
  std::this_thread::sleep_for(500ms);
  desktop.MoveMouse(CaptionButtonX(kScreenWidth, 2), kCaptionButtonY);
  std::this_thread::sleep_for(1500ms);
  Screenshot("browser_close_hovered_tooltip.png");
  desktop.Press(1);
  std::this_thread::sleep_for(300ms);
  Screenshot("browser_close_pressed.png");
  desktop.Release(1);
  EXPECT_EQ(browser->Wait(20s), std::optional<int>(1));
}

TEST_F(BrowserOnADesktop, AltF4EndsTheProgramWithCodeOne) {
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  ASSERT_NO_FATAL_FAILURE(StartMaximised(browser, window));
  // Without a window manager the click gives the window the keyboard; the
  // status bar's, not the page's, which keeps its keys to itself.
  desktop.Click(512, kScreenHeight - 10);
  std::this_thread::sleep_for(300ms);
  desktop.Key("alt+F4");
  EXPECT_EQ(browser->Wait(20s), std::optional<int>(1));
}

TEST_F(BrowserOnADesktop, RestoresSizesByItsEdgeAndOpensTheWindowMenu) {
  std::unique_ptr<ChildProcess> browser;
  WindowId window{};
  ASSERT_NO_FATAL_FAILURE(StartMaximised(browser, window));
  std::this_thread::sleep_for(500ms);
  desktop.Click(CaptionButtonX(kScreenWidth, 1), kCaptionButtonY);
  std::optional<WindowGeometry> restored;
  ASSERT_TRUE(WaitUntil([&] {
    restored = desktop.Geometry(window);
    return restored && restored->width < kScreenWidth;
  }, 20s));
  std::this_thread::sleep_for(500ms);
  Screenshot("browser_restored.png");

  // The left edge dragged far to the right stops at 910 wide.
  const int right = restored->x + restored->width;
  const int y = restored->y + restored->height / 2;
  desktop.MoveMouse(restored->x + 1, y);
  desktop.Press(1);
  desktop.MoveMouse(restored->x + 100, y);
  desktop.MoveMouse(right - 10, y);
  std::this_thread::sleep_for(500ms);
  Screenshot("browser_outline_mid_drag.png");
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
  Screenshot("browser_window_menu.png");
  desktop.Key("Escape");
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(browser->Running());
}

TEST_F(BrowserOnADesktop, ASecondBrowserAskedForTheTrayRestoresTheFirstAndEndsWithoutAWindow) {
  std::unique_ptr<ChildProcess> first;
  WindowId window{};
  ASSERT_NO_FATAL_FAILURE(StartMaximised(first, window));
  std::this_thread::sleep_for(500ms);
  desktop.Click(CaptionButtonX(kScreenWidth, 0), kCaptionButtonY);
  ASSERT_TRUE(WaitUntil([&] { return desktop.WindowsOfProcess(first->pid()).empty(); }, 20s))
      << "minimised without a window manager: unmapped";

  auto second = Start({BrowserPath(), "/tray"});
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Wait(30s), std::optional<int>(0));
  EXPECT_TRUE(desktop.WindowsOfProcess(second->pid(), false).empty()) << "the second made no window";
  auto back = WindowOf(*first, 20s);
  ASSERT_TRUE(back) << "the first window is back";
  EXPECT_TRUE(CoversWithin(*back, {0, 0, kScreenWidth, kScreenHeight})) << "maximised, as it was";
}

TEST_F(BrowserOnADesktop, AnAddressOpensASecondProcessWithItsOwnWindow) {
  auto first = Start({BrowserPath()});
  ASSERT_TRUE(first);
  ASSERT_TRUE(WindowOf(*first));
  auto second = Start({BrowserPath(), "http://shop.example/item?id=7"});
  ASSERT_TRUE(second);
  EXPECT_TRUE(WindowOf(*second)) << "a window of its own";
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(second->Running());
  // Two blanks before "/tray": an address, not the option.
  auto third = Start({BrowserPath(), " /tray"});
  ASSERT_TRUE(third);
  EXPECT_TRUE(WindowOf(*third)) << "a window of its own";
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
    return Start({folder + "/VXBrowser"}, {"QUORLA_TRAY_STANDIN_LOG=" + log});
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
  auto browser = StartCopy();
  ASSERT_TRUE(browser);
  ASSERT_TRUE(WaitUntil([&] { return !quorla_desktop::LogLines(log).empty(); }, 30s)) << browser->Errors();
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
  EXPECT_TRUE(browser->Running());
}

TEST_F(TrayStart, NotWhileTheTrayProgramRuns) {
  auto holder = Start({std::string(QUORLA_BROWSER_TEST_DIR) + "/tray_mutex_holder"});
  ASSERT_TRUE(holder);
  ASSERT_TRUE(WaitUntil([&] { return holder->Output().find("held") != std::string::npos; }, 20s));
  auto browser = StartCopy();
  ASSERT_TRUE(browser);
  ASSERT_TRUE(WindowOf(*browser));
  std::this_thread::sleep_for(3s);
  EXPECT_TRUE(quorla_desktop::LogLines(log).empty());
  EXPECT_TRUE(browser->Running());
}

}  // namespace
