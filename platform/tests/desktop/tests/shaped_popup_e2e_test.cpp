// A shaped pop-up on a real X display: the notice window's shape (rounded
// 7 x 7 corners, one more pixel cut next to each) is its shape on screen,
// so the desktop shows through the cut corners and a press there misses the
// pop-up, while a press just inside reaches it.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "desktop.h"
#include "log_lines.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla_desktop::Desktop;
using quorla_desktop::WaitUntil;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

TEST(ShapedPopupOnADesktop, CutCornersShowTheDesktopAndLetPressesThrough) {
  Desktop desktop;
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  const std::string log = desktop.folder() + "/popup.log";
  auto probe = desktop.Launch({std::string(QUORLA_TEST_DIR) + "/shaped_popup_probe", "--log", log}, {}, "", &error);
  ASSERT_TRUE(probe) << error;
  ASSERT_TRUE(WaitUntil([&] { return !quorla_desktop::LogLines(log).empty(); }, 30s)) << probe->Errors();
  // Without a window manager's work area the work area is the whole screen:
  // the pop-up's bottom-right corner is 5 pixels from the screen's.
  ASSERT_EQ(quorla_desktop::LogLines(log).front(), "shown 622 446 1019 763");
  const int left = 622, top = 446, right = 1018, bottom = 762;  // its outermost pixels

  std::optional<quorla_desktop::ScreenImage> screen;
  ASSERT_TRUE(WaitUntil([&] {
    screen = desktop.Capture(quorla_desktop::OutputPath("shaped_popup.png"));
    return screen && screen->Pixel(left + 10, top + 10) == kWhite;
  }, 20s)) << "the pop-up never showed";
  struct Pixel {
    const char* what;
    int x, y;
    std::uint32_t colour;
  } pixels[] = {
      {"top-left corner", left, top, kBlack},
      {"top-right corner", right, top, kBlack},
      {"bottom-left corner", left, bottom, kBlack},
      {"bottom-right corner", right, bottom, kBlack},
      {"cut pixel top left", left + 1, top + 1, kBlack},
      {"cut pixel bottom right", right - 1, bottom - 1, kBlack},
      {"first pixel of the top row", left + 2, top, kWhite},
      {"last pixel of the top row", right - 2, top, kWhite},
      {"first pixel of the third row", left, top + 2, kWhite},
      {"last pixel of the third row from the bottom", right, bottom - 2, kWhite},
      {"left of the pop-up", left - 1, top + 100, kBlack},
      {"below the pop-up", left + 100, bottom + 1, kBlack},
  };
  for (const Pixel& p : pixels) EXPECT_EQ(screen->Pixel(p.x, p.y), p.colour) << p.what;

  // Presses on cut pixels go to the desktop below; the one inside arrives.
  const std::pair<int, int> misses[] = {{left, top}, {right, bottom}, {left + 1, top + 1}, {right - 1, top + 1}, {left, bottom}};
  for (auto [x, y] : misses) {
    ASSERT_TRUE(desktop.Click(x, y));
  }
  ASSERT_TRUE(desktop.Click(left + 2, top + 1));
  ASSERT_TRUE(WaitUntil([&] { return quorla_desktop::LogLines(log).size() >= 2; }, 10s));
  std::this_thread::sleep_for(500ms);
  std::vector<std::string> lines = quorla_desktop::LogLines(log);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "down 2 1");
}

}  // namespace
