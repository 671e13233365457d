// The browser's pictures on a real X display (the desktop fixture's Xvfb,
// no panel), drawn by the program's own loaders and controls: a toolbar
// too narrow for its buttons hides the rest behind its overflow button,
// whose click hands the bar's owner the hidden range to show; and every
// image of the program at 1:1 and 4x with its frames marked, the opaque
// ones pixel for pixel as their files hold them. Screenshots for a person
// go to build/tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "desktop.h"
#include "log_lines.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla_desktop::ChildProcess;
using quorla_desktop::Desktop;
using quorla_desktop::ScreenImage;
using quorla_desktop::WaitUntil;

namespace {

std::string Probe() { return std::string(QUORLA_BROWSER_TEST_DIR) + "/browser_art_probe"; }
std::string ResourceFolder() { return std::string(QUORLA_SOURCE_DIR) + "/browser/res"; }

// The lines of a log starting with `start`.
std::vector<std::string> LinesStarting(const std::string& log, const std::string& start) {
  std::vector<std::string> found;
  for (const std::string& line : quorla_desktop::LogLines(log))
    if (line.rfind(start, 0) == 0) found.push_back(line);
  return found;
}

// The probe's pop-up and its bar on the screen (see the probe).
constexpr int kBarX = 40 + 20, kBarY = 40 + 30;
// The overflow button's strip is 80 wide in four faces.
constexpr int kOverflowWidth = 20;
// The right slice of the test skin (the icon covers the left one): normal
// and hover.
constexpr std::uint32_t kSkinNormal = 0xE6E6E6, kSkinHover = 0xFFA000;

struct ShownButton {
  int id, left, right;
};

TEST(BrowserArtOnADesktop, AToolbarTooNarrowShowsItsHiddenButtonsThroughTheOverflowButton) {
  Desktop desktop{quorla_desktop::DesktopOptions{1024, 768, false}};
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  const std::string log = desktop.folder() + "/toolbar.log";
  auto probe = desktop.Launch({Probe(), "--toolbar", log}, {}, "", &error);
  ASSERT_TRUE(probe) << error;
  ASSERT_TRUE(WaitUntil([&] { return LinesStarting(log, "button").size() == 7; }, 30s)) << probe->Errors();

  int barWidth = 0;
  ASSERT_EQ(std::sscanf(LinesStarting(log, "bar")[0].c_str(), "bar %d", &barWidth), 1);
  std::vector<ShownButton> buttons;
  for (const std::string& line : LinesStarting(log, "button")) {
    ShownButton b{};
    ASSERT_EQ(std::sscanf(line.c_str(), "button %d %d %d", &b.id, &b.left, &b.right), 3) << line;
    buttons.push_back(b);
  }
  // The buttons that fit before the overflow button show side by side from
  // the left; every one after the first that does not is hidden.
  size_t shown = 0;
  while (shown < buttons.size() && buttons[shown].right > 0) ++shown;
  ASSERT_GT(shown, 0u);
  ASSERT_LT(shown, buttons.size()) << "the bar is meant to be too narrow";
  for (size_t i = 0; i < shown; ++i) {
    EXPECT_EQ(buttons[i].left, i == 0 ? 0 : buttons[i - 1].right);
    EXPECT_LE(buttons[i].right, barWidth - kOverflowWidth);
  }
  for (size_t i = shown; i < buttons.size(); ++i) EXPECT_EQ(buttons[i].right, 0) << buttons[i].id;

  // On the screen: the first button's skin, then hovered under the pointer.
  auto skinAt = [&] {
    auto screen = desktop.Capture();
    return screen ? screen->Pixel(kBarX + buttons[0].right - 2, kBarY + 13) : 0xFF000000u;
  };
  ASSERT_TRUE(WaitUntil([&] { return skinAt() == kSkinNormal; }, 20s)) << std::hex << skinAt();
  desktop.SaveScreenshot(quorla_desktop::OutputPath("browser_toolbar_overflow.png"));
  ASSERT_TRUE(desktop.MoveMouse(kBarX + (buttons[0].left + buttons[0].right) / 2, kBarY + 13));
  EXPECT_TRUE(WaitUntil([&] { return skinAt() == kSkinHover; }, 10s)) << std::hex << skinAt();
  desktop.SaveScreenshot(quorla_desktop::OutputPath("browser_toolbar_hovered.png"));

  // The overflow button hands its record over: the hidden range and where
  // the button is in the bar.
  ASSERT_TRUE(desktop.Click(kBarX + barWidth - kOverflowWidth / 2, kBarY + 13));
  ASSERT_TRUE(WaitUntil([&] { return !LinesStarting(log, "overflow").empty(); }, 10s));
  char expected[128];
  std::snprintf(expected, sizeof expected, "overflow %d %d %d 0 %d 26", buttons[shown].id, buttons.back().id,
                barWidth - kOverflowWidth, barWidth);
  EXPECT_EQ(LinesStarting(log, "overflow")[0], expected);

  // Its owner's menu lists the hidden buttons; the first chosen is the
  // first hidden one's command.
  ASSERT_TRUE(WaitUntil([&] { return desktop.WindowsOfProcess(probe->pid()).size() == 2; }, 10s)) << "no menu";
  std::this_thread::sleep_for(300ms);
  desktop.SaveScreenshot(quorla_desktop::OutputPath("browser_toolbar_overflow_menu.png"));
  ASSERT_TRUE(desktop.Key("Down"));
  ASSERT_TRUE(desktop.Key("Return"));
  ASSERT_TRUE(WaitUntil([&] { return !LinesStarting(log, "command").empty(); }, 10s));
  EXPECT_EQ(LinesStarting(log, "command")[0], "command " + std::to_string(buttons[shown].id));
}

struct SheetEntry {
  int id, width, height, frames, opaque, x1, y1, x4, y4;
};

TEST(BrowserArtOnADesktop, EveryImageAtOneToOneAndFourTimesOpaqueOnesAsTheirFilesHoldThem) {
  // Large enough for every image in a few columns, 4x copies included.
  const int screenWidth = 3840, screenHeight = 1440;
  Desktop desktop{quorla_desktop::DesktopOptions{screenWidth, screenHeight, false}};
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  const std::string log = desktop.folder() + "/images.log";
  auto probe = desktop.Launch({Probe(), "--images", ResourceFolder() + "/images.txt", log}, {}, "", &error);
  ASSERT_TRUE(probe) << error;
  ASSERT_TRUE(WaitUntil([&] { return !LinesStarting(log, "sheet").empty(); }, 30s)) << probe->Errors();
  EXPECT_TRUE(LinesStarting(log, "unloaded").empty()) << LinesStarting(log, "unloaded")[0];
  int sheetWidth = 0, sheetHeight = 0;
  ASSERT_EQ(std::sscanf(LinesStarting(log, "sheet")[0].c_str(), "sheet %d %d", &sheetWidth, &sheetHeight), 2);
  EXPECT_LE(sheetWidth, screenWidth);
  EXPECT_LE(sheetHeight, screenHeight);

  // The list's file names, by id and size (an icon file holds several).
  std::map<std::pair<int, int>, std::string> files;
  int listed = 0;
  for (const std::string& line : quorla_desktop::LogLines(ResourceFolder() + "/images.txt")) {
    int id = 0, width = 0;
    char type[16], file[128];
    if (line[0] == '#' || std::sscanf(line.c_str(), "%d %15s %127s %d", &id, type, file, &width) != 4) continue;
    files[{id, width}] = file;
    ++listed;
  }
  std::vector<SheetEntry> entries;
  for (const std::string& line : LinesStarting(log, "image")) {
    SheetEntry e{};
    ASSERT_EQ(std::sscanf(line.c_str(), "image %d %d %d %d %d %d %d %d %d", &e.id, &e.width, &e.height, &e.frames,
                          &e.opaque, &e.x1, &e.y1, &e.x4, &e.y4), 9)
        << line;
    entries.push_back(e);
  }
  ASSERT_EQ(static_cast<int>(entries.size()), listed);

  std::optional<ScreenImage> screen;
  ASSERT_TRUE(WaitUntil([&] {
    screen = desktop.Capture(quorla_desktop::OutputPath("browser_images.png"));
    // The sheet is up once the first image's outline is.
    return screen && screen->Pixel(entries[0].x1 - 1, entries[0].y1 - 1) == 0x808080;
  }, 60s));  // a wide screen takes a while to capture on a busy machine

  int opaque = 0;
  for (const SheetEntry& e : entries) {
    if (!e.opaque) continue;
    ++opaque;
    const std::string name = files[std::make_pair(e.id, e.width)];
    SCOPED_TRACE(name);
    auto file = ScreenImage::Load(ResourceFolder() + "/" + name);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->width(), e.width);
    ASSERT_EQ(file->height(), e.height);
    int wrong = 0;
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x) {
        const std::uint32_t want = file->Pixel(x, y);
        wrong += screen->Pixel(e.x1 + x, e.y1 + y) != want;
        if (e.x4 < 0) continue;  // a large image has no 4x copy
        for (int k : {0, 3}) wrong += screen->Pixel(e.x4 + 4 * x + k, e.y4 + 4 * y + 3 - k) != want;
      }
    EXPECT_EQ(wrong, 0);
  }
  EXPECT_GE(opaque, 6) << "the rows, the caption's bar and the overflow strip are opaque";
}

}  // namespace
