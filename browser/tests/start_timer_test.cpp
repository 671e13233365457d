// The main window's start timer, once, 300 ms after the window was made:
// "/price" asks the window itself for the watch list, and an empty start
// argument becomes the start page address.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "main_frame_test_support.h"
#include "process_objects.h"
#include "start_page.h"

namespace browser_test {
namespace {

TEST(StartTimer, TurnsTheStartArgumentIntoWhatTheFirstTabOpens) {
  struct Case {
    const char* name;
    const char16_t* argument;
    const char16_t* opened;
    int watchListRequests;
  };
  const Case cases[] = {
      {"empty", u"", kStartPageAddress, 0},
      {"price", u"/price", kStartPageAddress, 1},
      {"a blank before price", u" /price", u" /price", 0},
      {"an address", u"http://shop.example/item?id=7", u"http://shop.example/item?id=7", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartArgument() = c.argument;
    const auto made = std::chrono::steady_clock::now();
    auto frame = std::make_unique<RecordingFrame>();
    ASSERT_NE(frame->GetSafeHwnd(), nullptr);
    // Until the timer fires the argument is as the start left it.
    Drain();
    if (std::chrono::steady_clock::now() - made < std::chrono::milliseconds(250)) {
      EXPECT_EQ(std::u16string(StartArgument().GetString()), std::u16string(c.argument));
    }
    const auto deadline = made + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < deadline) {
      Drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(std::u16string(StartArgument().GetString()), std::u16string(c.opened));
    EXPECT_EQ(frame->watchListRequests, c.watchListRequests) << "once, from the one run of the timer";
    frame.reset();
    Drain();
  }
}

}  // namespace
}  // namespace browser_test
