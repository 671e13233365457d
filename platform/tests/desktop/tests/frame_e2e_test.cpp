// An overlapped window on a bare X display, as the browser's main window
// lives: its first place and size, its icon and its undecorated frame as X
// properties, the frame following a style changed later, minimised windows
// taken off the screen (nobody would iconify them) and brought back on top
// and focused at another process's request, a caption dragged and
// double-clicked with the real pointer, maximised again after a minimise
// from maximised, and Alt+F4.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
// Three quarters of the work area (the whole screen here), in its middle.
const WindowGeometry kFirstPlace{128, 96, 768, 576};
const WindowGeometry kWholeScreen{0, 0, 1024, 768};

// The five numbers of a _MOTIF_WM_HINTS property as xprop prints it
// (flags, functions, decorations, input mode, status); empty without one.
std::vector<unsigned long> MotifHints(const std::string& xprop) {
  std::vector<unsigned long> values;
  auto equals = xprop.find('=');
  if (equals == std::string::npos) return values;
  std::string list = xprop.substr(equals + 1);
  std::replace(list.begin(), list.end(), ',', ' ');
  std::istringstream in(list);
  std::string item;
  while (in >> item) values.push_back(std::stoul(item, nullptr, 16));
  return values;
}

// The window manager is told to draw nothing around the window: the
// decorations field is valid (flag 2) and empty.
bool Undecorated(const std::vector<unsigned long>& hints) {
  return hints.size() >= 3 && (hints[0] & 2) && hints[2] == 0;
}

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

  std::vector<std::string> Lines() const { return quorla_desktop::LogLines(log_); }
  // Whether a line starting so is in the log.
  bool Has(const std::string& start) const { return !Last(start).empty(); }
  // The last line starting so, or nothing.
  std::string Last(const std::string& start) const {
    auto lines = Lines();
    auto found = std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    return found == lines.rend() ? "" : *found;
  }

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
  bool Focused() const {
    auto focus = desktop_.Tool({"xdotool", "getwindowfocus"});
    auto window = Window();
    return focus.exitCode == 0 && window && std::stoul(focus.output) == *window;
  }
  // Asks the probe something from another process and waits for its answer.
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
  // Another program's window, on top and active, over part of the probe's.
  void Cover() {
    std::string error;
    cover_ = desktop_.Launch({Probe(), "--cover", "100", "80", "300", "200"}, {}, "", &error);
    ASSERT_TRUE(cover_) << error;
    ASSERT_TRUE(WaitUntil([&] { return PixelAt(200, 150) == kCoverBlue; }, 20s));
    ASSERT_TRUE(WaitUntil([&] { return !Focused(); }, 10s)) << "the cover took no focus";
  }
  // Minimised (off the screen without a window manager), then restored as a
  // second browser asks: on top of the cover, and focused.
  void MinimiseAndBringBack(const WindowGeometry& expected, const std::string& screenshot) {
    Request(1);
    EXPECT_TRUE(WaitUntil([&] { return !Window(); }, 10s)) << "still mapped";
    EXPECT_EQ(Last("size"), "size 1 0 0 0");
    Request(2);
    ASSERT_TRUE(WaitUntil([&] { return At(expected); }, 10s)) << Where();
    EXPECT_TRUE(WaitUntil([&] { return PixelAt(200, 150) == kProbeGreen; }, 10s)) << "not on top";
    if (!screenshot.empty()) PixelAt(0, 0, quorla_desktop::OutputPath(screenshot));
    EXPECT_TRUE(WaitUntil([&] { return Focused(); }, 10s)) << "not focused";
    EXPECT_EQ(Last("syscommand"), "syscommand f120");
  }

  Desktop desktop_{quorla_desktop::DesktopOptions{1024, 768, false}};
  std::string log_;
  std::unique_ptr<quorla_desktop::ChildProcess> probe_, cover_;
};

TEST_F(FrameOnADesktop, FirstPlaceIconAndAFrameFollowingTheStyle) {
  EXPECT_EQ(Last("shown"), "shown 128 96 896 672");
  EXPECT_TRUE(At(kFirstPlace)) << Where();
  EXPECT_FALSE(Has("no-icon"));

  // The icons of WM_SETICON are the X window's.
  const std::string icon = Property("_NET_WM_ICON");
  EXPECT_NE(icon.find("16 x 16"), std::string::npos) << icon;
  EXPECT_NE(icon.find("32 x 32"), std::string::npos) << icon;

  // The caption dropped in WM_CREATE left it undecorated from its first map.
  EXPECT_TRUE(Undecorated(MotifHints(Property("_MOTIF_WM_HINTS")))) << Property("_MOTIF_WM_HINTS");

  // A caption given and taken away later changes the frame at once, in place.
  Request(3);
  EXPECT_TRUE(WaitUntil([&] { return Window() && !Undecorated(MotifHints(Property("_MOTIF_WM_HINTS"))); }, 10s))
      << Property("_MOTIF_WM_HINTS");
  EXPECT_TRUE(WaitUntil([&] { return At(kFirstPlace); }, 5s)) << Where();
  Request(4);
  EXPECT_TRUE(WaitUntil([&] { return Window() && Undecorated(MotifHints(Property("_MOTIF_WM_HINTS"))); }, 10s))
      << Property("_MOTIF_WM_HINTS");
  EXPECT_TRUE(WaitUntil([&] { return At(kFirstPlace); }, 5s)) << Where();
}

TEST_F(FrameOnADesktop, MinimisedOffTheScreenAndBroughtBackOnTopAtAnotherProcesssRequest) {
  Cover();
  MinimiseAndBringBack(kFirstPlace, "frame_brought_to_top.png");
  EXPECT_EQ(Last("size"), "size 0 768 576 0");
}

TEST_F(FrameOnADesktop, CaptionDragDoubleClickMinimiseFromMaximisedAndAltF4) {
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
  EXPECT_EQ(Last("syscommand"), "syscommand f012");
  EXPECT_FALSE(Has("client-press"));

  // A double click on the caption maximises over the whole work area.
  ASSERT_TRUE(desktop_.DoubleClick(500, 145));
  EXPECT_TRUE(WaitUntil([&] { return At(kWholeScreen); }, 10s)) << Where();
  EXPECT_EQ(Last("syscommand"), "syscommand f030");
  EXPECT_EQ(Last("size"), "size 2 1024 768 1");
  EXPECT_FALSE(Has("client-press"));

  // Minimised from maximised, it comes back maximised.
  Cover();
  MinimiseAndBringBack(kWholeScreen, "");
  EXPECT_EQ(Last("size"), "size 2 1024 768 1");

  // Alt+F4: SC_CLOSE, whose default sends WM_CLOSE.
  ASSERT_TRUE(desktop_.Key("alt+F4"));
  auto code = probe_->Wait(10s);
  ASSERT_TRUE(code.has_value()) << "still running";
  EXPECT_EQ(*code, 1);
  EXPECT_EQ(Last("syscommand"), "syscommand f060");
  EXPECT_TRUE(Has("close"));
}

}  // namespace
