// The control's tests on a screen: a desktop of the program's own (an Xvfb
// server, no panel) is started before anything starts Qt, and the program
// runs on it with Qt's xcb platform, so the engine's views are shown and
// take input. Listing the tests starts nothing. Like the control's other
// test program, it ends at once after its leak check, with the server ended
// first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "desktop.h"

extern "C" __attribute__((weak)) void __lsan_do_leak_check();

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<quorla_desktop::Desktop> desktop;
  if (!GTEST_FLAG_GET(list_tests)) {
    quorla_desktop::DesktopOptions options;
    options.tray = false;
    desktop = std::make_unique<quorla_desktop::Desktop>(options);
    std::string error;
    if (!desktop->Start(&error)) {
      std::fprintf(stderr, "no desktop: %s\n", error.c_str());
      return 1;
    }
    ::setenv("DISPLAY", desktop->display().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/quorla-no-bus", 1);
  }
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  if (__lsan_do_leak_check) __lsan_do_leak_check();
  desktop.reset();
  _exit(result);
}
