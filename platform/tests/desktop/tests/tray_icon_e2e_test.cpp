// The notification-area icon on a real X display: a probe program's icon
// appears in the tray panel, and clicks on it come back as the callback
// messages the platform sends (left: 513 514, right: 516 517, a double
// click: one 515 in place of its second press). The icon also waits for a
// panel that starts late, and gives up when none comes.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "desktop.h"
#include "log_lines.h"
#include "wait_until.h"

using namespace std::chrono_literals;
using quorla_desktop::Desktop;
using quorla_desktop::DesktopOptions;
using quorla_desktop::WaitUntil;

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "; ";
  return out;
}

class TrayIconProbe {
 public:
  TrayIconProbe(Desktop& desktop, std::vector<std::string> extraArguments = {})
      : desktop_(desktop), log_(desktop.folder() + "/probe.log") {
    std::vector<std::string> argv = {std::string(QUORLA_TEST_DIR) + "/tray_icon_probe", "--log", log_};
    argv.insert(argv.end(), extraArguments.begin(), extraArguments.end());
    std::string error;
    process_ = desktop.Launch(argv, {}, "", &error);
    EXPECT_TRUE(process_) << error;
  }

  std::vector<std::string> Log() const { return quorla_desktop::LogLines(log_); }
  // The callback lines after the first (the result of adding the icon).
  std::vector<std::string> Callbacks() const {
    std::vector<std::string> lines = Log();
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }
  bool WaitForLines(size_t count, std::chrono::milliseconds timeout) const {
    return WaitUntil([&] { return Log().size() >= count; }, timeout);
  }
  quorla_desktop::ChildProcess& process() { return *process_; }

  // The icon's window once the panel has taken it in (it sits in the
  // panel's strip at the top of the screen).
  std::optional<quorla_desktop::WindowGeometry> IconInPanel() const {
    for (quorla_desktop::WindowId id : desktop_.WindowsOfProcess(process_->pid())) {
      auto g = desktop_.Geometry(id);
      if (g && g->y >= 0 && g->y + g->height <= 24 && g->width > 0 && g->width <= 32) return g;
    }
    return std::nullopt;
  }

 private:
  Desktop& desktop_;
  std::string log_;
  std::unique_ptr<quorla_desktop::ChildProcess> process_;
};

TEST(TrayIconOnADesktop, IconShowsInThePanelAndReportsClicks) {
  Desktop desktop;
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  TrayIconProbe probe(desktop);
  ASSERT_TRUE(probe.WaitForLines(1, 40s)) << probe.process().Errors();
  ASSERT_EQ(probe.Log().front(), "added");

  std::optional<quorla_desktop::WindowGeometry> icon;
  ASSERT_TRUE(WaitUntil([&] { return (icon = probe.IconInPanel()).has_value(); }, 20s));
  int x = icon->x + icon->width / 2, y = icon->y + icon->height / 2;
  EXPECT_GT(x, 1024 / 2) << "the panel's icons are aligned right";

  // The probe's icon is red with a clear top-left pixel.
  std::optional<quorla_desktop::ScreenImage> screen;
  ASSERT_TRUE(WaitUntil([&] {
    screen = desktop.Capture(quorla_desktop::OutputPath("tray_icon_in_panel.png"));
    return screen && screen->Pixel(x, y) == 0xFF0000u;
  }, 10s)) << "pixel at the icon: " << std::hex << (screen ? screen->Pixel(x, y) : 0);
  EXPECT_EQ(screen->width(), 1024);
  EXPECT_EQ(screen->height(), 768);
  EXPECT_EQ(screen->Pixel(512, 600), 0x000000u) << "the desktop's background is black";

  struct Step {
    const char* what;
    int kind;  // 0 click, 1 double click
    int button;
    std::vector<std::string> adds;
  } steps[] = {
      {"left click", 0, 1, {"100 513", "100 514"}},
      {"right click", 0, 3, {"100 516", "100 517"}},
      {"double click", 1, 1, {"100 513", "100 514", "100 515"}},
      {"another double click", 1, 1, {"100 513", "100 514", "100 515"}},
      {"left click after double clicks", 0, 1, {"100 513", "100 514"}},
  };
  std::vector<std::string> expected;
  for (const Step& s : steps) {
    ASSERT_TRUE(s.kind == 0 ? desktop.Click(x, y, s.button) : desktop.DoubleClick(x, y, s.button)) << s.what;
    expected.insert(expected.end(), s.adds.begin(), s.adds.end());
    EXPECT_TRUE(WaitUntil([&] { return probe.Callbacks().size() >= expected.size(); }, 10s)) << s.what;
    // Let anything extra the action might cause arrive before comparing.
    std::this_thread::sleep_for(700ms);
    ASSERT_EQ(probe.Callbacks(), expected) << s.what << ": " << Joined(probe.Callbacks());
  }

  // The icon leaves the panel with its program.
  probe.process().Terminate();
  EXPECT_TRUE(WaitUntil([&] {
    auto now = desktop.Capture();
    return now && now->Pixel(x, y) != 0xFF0000u;
  }, 10s));
}

TEST(TrayIconOnADesktop, IconWaitsForAPanelThatStartsLate) {
  Desktop desktop(DesktopOptions{1024, 768, false});
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  TrayIconProbe probe(desktop);
  std::this_thread::sleep_for(3s);
  EXPECT_TRUE(probe.Log().empty()) << "the icon is added only once there is a panel";
  EXPECT_TRUE(probe.process().Running());
  ASSERT_TRUE(desktop.StartTray(&error)) << error;
  ASSERT_TRUE(probe.WaitForLines(1, 30s));
  EXPECT_EQ(probe.Log().front(), "added");
  EXPECT_TRUE(WaitUntil([&] { return probe.IconInPanel().has_value(); }, 20s));
}

TEST(TrayIconOnADesktop, AddingFailsWhenNoPanelComes) {
  Desktop desktop(DesktopOptions{1024, 768, false});
  std::string error;
  ASSERT_TRUE(desktop.Start(&error)) << error;
  auto start = std::chrono::steady_clock::now();
  TrayIconProbe probe(desktop, {"--wait-ms", "2000"});
  std::optional<int> status = probe.process().Wait(30s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 3);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2s);
  ASSERT_EQ(probe.Log().size(), 1u);
  EXPECT_EQ(probe.Log().front(), "add-failed 1460");
}

}  // namespace
