// An overlapped window on a bare X display, as the browser's main window
// lives: its first place and size, its icon and its undecorated frame as X
// properties, the frame following a style changed later, a caption dragged
// and double-clicked with the real pointer, minimised windows taken off the
// screen (nobody would iconify them), brought back on top and focused at
// another process's request, maximised again when they were, and Alt+F4.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "desktop.h"
#include "log_lines.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla_desktop::Desktop;
using quorla_desktop::WaitUntil;
using quorla_desktop::WindowGeometry;
using quorla_desktop::WindowId;

namespace {

constexpr std::uint32_t kProbeGreen = 0x00FF00, kCoverBlue = 0x0000FF;

class FrameOnADesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(desktop_.Start(&error)) << error;
    log_ = desktop_.folder() + "/frame.log";
    probe_ = desktop_.Launch({Probe(), "--log", log_}, {}, "", &error);
    ASSERT_TRUE(probe_) << error;
    ASSERT_TRUE(WaitUntil([&] { return Has("shown"); }, 30s)) << probe_->Errors();
    ASSERT_TRUE(WaitUntil([&] { return Window().has_value(); }, 20s)) << "the probe's window never mapped";
  }

  static std::string Probe() { return std::string(QUORLA_TEST_DIR) + "/frame_probe"; }

  // Whether a line starting so is in the log.
  bool Has(const std::string& start) const {
    for (const std::string& line : quorla_desktop::LogLines(log_))
      if (line.rfind(start, 0) == 0) return true;
    return false;
  }
  std::vector<std::string> Lines() const { return quorla_desktop::LogLines(log_); }

  // The probe's mapped window (nothing while it is off the screen).
  std::optional<WindowId> Window() const {
    auto windows = desktop_.WindowsOfProcess(probe_->pid());
    if (windows.size() != 1) return std::nullopt;
    return windows.front();
  }
  bool At(const WindowGeometry& expected) const {
    auto window = Window();
    auto g = window ? desktop_.Geometry(*window) : std::nullopt;
    return g && g->x == expected.x && g->y == expected.y && g->width == expected.width &&
           g->height == expected.height;
  }
  std::string Where() const {
    auto window = Window();
    auto g = window ? desktop_.Geometry(*window) : std::nullopt;
    if (!g) return "off the screen";
    return std::to_string(g->x) + "," + std::to_string(g->y) + " " + std::to_string(g->width) + "x" +
           std::to_string(g->height);
  }
  std::string Property(const std::string& name) const {
    auto window = Window();
    if (!window) return "";
    return desktop_.Tool({"xprop", "-id", std::to_string(*window), name}).output;
  }
  // Asks the probe something from another process.
  void Request(int n) {
    const size_t before = Lines().size();
    auto result = desktop_.Tool({Probe(), "--request", std::to_string(n)});
    ASSERT_EQ(result.exitCode, 0) << "request " << n;
    ASSERT_TRUE(WaitUntil([&] { return Lines().size() > before && Has("request " + std::to_string(n)); }, 10s));
  }
  std::uint32_t PixelAt(int x, int y, const std::string& savePath = "") const {
    auto screen = desktop_.Capture(savePath);
    return screen ? screen->Pixel(x, y) : 0xFF000000;
  }

  Desktop desktop_{quorla_desktop::DesktopOptions{1024, 768, false}};
  std::string log_;
  std::unique_ptr<quorla_desktop::ChildProcess> probe_;
};

TEST_F(FrameOnADesktop, TheMainWindowsLifeOnABareDisplay) {
  // Three quarters of the work area (the whole screen here), in its middle.
  EXPECT_EQ(Lines().front(), "shown 128 96 896 672");
  EXPECT_TRUE(At({128, 96, 768, 576})) << Where();
  EXPECT_FALSE(Has("no-icon"));

  // The icons of WM_SETICON are the X window's, and the caption dropped in
  // WM_CREATE left it undecorated from its first map.
  const std::string icon = Property("_NET_WM_ICON");
  EXPECT_NE(icon.find("16 x 16"), std::string::npos) << icon;
  EXPECT_NE(icon.find("32 x 32"), std::string::npos) << icon;
  const std::string frameless = Property("_MOTIF_WM_HINTS");
  EXPECT_NE(frameless.find("= 0x2, 0x0, 0x0"), std::string::npos) << frameless;

  // A caption given and taken away later changes the frame at once, in place.
  Request(3);
  EXPECT_TRUE(WaitUntil([&] { return Property("_MOTIF_WM_HINTS") != frameless && Window(); }, 10s))
      << Property("_MOTIF_WM_HINTS");
  EXPECT_TRUE(WaitUntil([&] { return At({128, 96, 768, 576}); }, 5s)) << Where();
  Request(4);
  EXPECT_TRUE(WaitUntil([&] { return Property("_MOTIF_WM_HINTS") == frameless && Window(); }, 10s))
      << Property("_MOTIF_WM_HINTS");
  EXPECT_TRUE(WaitUntil([&] { return At({128, 96, 768, 576}); }, 5s)) << Where();

  // Another program's window on top of it.
  std::string error;
  auto cover = desktop_.Launch({Probe(), "--cover", "100", "80", "300", "200"}, {}, "", &error);
  ASSERT_TRUE(cover) << error;
  ASSERT_TRUE(WaitUntil([&] { return PixelAt(200, 150) == kCoverBlue; }, 20s));

  // Minimised with no window manager: off the screen, and back on top of
  // the other program, focused, when a second process asks as the
  // browser's second start does.
  Request(1);
  EXPECT_TRUE(WaitUntil([&] { return !Window(); }, 10s)) << "still mapped";
  EXPECT_TRUE(Has("size 1 0 0 0"));
  Request(2);
  ASSERT_TRUE(WaitUntil([&] { return At({128, 96, 768, 576}); }, 10s)) << Where();
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(200, 150) == kProbeGreen; }, 10s)) << "not on top";
  PixelAt(0, 0, quorla_desktop::OutputPath("frame_brought_to_top.png"));
  EXPECT_TRUE(WaitUntil([&] {
    auto focus = desktop_.Tool({"xdotool", "getwindowfocus"});
    return focus.exitCode == 0 && Window() && std::stoul(focus.output) == *Window();
  }, 10s)) << "not focused";
  EXPECT_TRUE(Has("syscommand f120"));
  EXPECT_EQ(Lines().back().rfind("size 0 768 576 0", 0) == 0 || Has("size 0 768 576 0"), true);

  // The caption follows a held left button, as non-client input only.
  ASSERT_TRUE(desktop_.MoveMouse(400, 100));
  ASSERT_TRUE(desktop_.Press(1));
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(desktop_.MoveMouse(430, 120));
  std::this_thread::sleep_for(100ms);
  ASSERT_TRUE(desktop_.MoveMouse(450, 140));
  std::this_thread::sleep_for(200ms);
  ASSERT_TRUE(desktop_.Release(1));
  EXPECT_TRUE(WaitUntil([&] { return At({178, 136, 768, 576}); }, 10s)) << Where();
  EXPECT_TRUE(Has("syscommand f012"));
  EXPECT_FALSE(Has("client-press"));

  // A double click on the caption maximises over the whole work area.
  ASSERT_TRUE(desktop_.DoubleClick(500, 145));
  EXPECT_TRUE(WaitUntil([&] { return At({0, 0, 1024, 768}); }, 10s)) << Where();
  EXPECT_TRUE(Has("syscommand f030"));
  EXPECT_TRUE(Has("size 2 1024 768 1"));

  // Minimised from maximised, it comes back maximised.
  Request(1);
  EXPECT_TRUE(WaitUntil([&] { return !Window(); }, 10s)) << "still mapped";
  Request(2);
  EXPECT_TRUE(WaitUntil([&] { return At({0, 0, 1024, 768}); }, 10s)) << Where();
  auto lines = Lines();
  auto lastSize = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& l) { return l.rfind("size", 0) == 0; });
  ASSERT_NE(lastSize, lines.rend());
  EXPECT_EQ(*lastSize, "size 2 1024 768 1");

  // Alt+F4: SC_CLOSE, whose default sends WM_CLOSE.
  ASSERT_TRUE(WaitUntil([&] {
    auto focus = desktop_.Tool({"xdotool", "getwindowfocus"});
    return focus.exitCode == 0 && Window() && std::stoul(focus.output) == *Window();
  }, 10s));
  ASSERT_TRUE(desktop_.Key("alt+F4"));
  auto code = probe_->Wait(10s);
  ASSERT_TRUE(code.has_value()) << "still running";
  EXPECT_EQ(*code, 1);
  EXPECT_TRUE(Has("syscommand f060"));
  EXPECT_TRUE(Has("close"));
}

}  // namespace
