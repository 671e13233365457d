#include <gtest/gtest.h>

#include "capture.h"
#include "window_test_support.h"

namespace {

using quorla_test::WindowLog;

TEST(Capture, TheLoserIsToldAfterTheChange) {
  HWND a = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  HWND b = quorla_test::MakeTopLevel(WS_POPUP, 0, 0, 10, 10);
  WindowLog log;
  HWND seenDuring = reinterpret_cast<HWND>(1);
  log.handlers[WM_CAPTURECHANGED] = [&](HWND, UINT, WPARAM, LPARAM) {
    seenDuring = GetCapture();
    return 0;
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    HWND loser;   // who gets WM_CAPTURECHANGED (null: nobody)
    HWND holder;  // GetCapture afterwards, and inside the notification
  } steps[] = {
      {"take while nobody holds it", [&] { EXPECT_EQ(SetCapture(a), nullptr); }, nullptr, a},
      {"take again", [&] { EXPECT_EQ(SetCapture(a), a); }, nullptr, a},
      {"take from another window", [&] { EXPECT_EQ(SetCapture(b), a); }, a, b},
      {"release", [&] { EXPECT_TRUE(ReleaseCapture()); }, b, nullptr},
      {"release with no holder", [&] { EXPECT_TRUE(ReleaseCapture()); }, nullptr, nullptr},
      {"a modal loop takes over the mouse", [&] {
         SetCapture(b);
         log.Clear();
         quorla::CancelCaptureForModalLoop();
       }, b, nullptr},
      {"a modal loop while nobody holds it", [&] { quorla::CancelCaptureForModalLoop(); }, nullptr, nullptr},
      {"holder destroyed: told before its WM_DESTROY", [&] {
         SetCapture(a);
         log.Clear();
         DestroyWindow(a);
         EXPECT_EQ(log.MessagesOf(a, {WM_CAPTURECHANGED, WM_DESTROY, WM_NCDESTROY}),
                   (std::vector<UINT>{WM_CAPTURECHANGED, WM_DESTROY, WM_NCDESTROY}));
       }, a, nullptr},
  };
  for (const Step& s : steps) {
    log.Clear();
    seenDuring = reinterpret_cast<HWND>(1);
    s.act();
    std::vector<quorla_test::Seen> changed;
    for (const auto& seen : log.seen)
      if (seen.message == WM_CAPTURECHANGED) changed.push_back(seen);
    if (s.loser) {
      ASSERT_EQ(changed.size(), 1u) << s.what;
      EXPECT_EQ(changed[0].hwnd, s.loser) << s.what;
      EXPECT_EQ(changed[0].lParam, reinterpret_cast<LPARAM>(s.holder)) << s.what;
      EXPECT_EQ(seenDuring, s.holder) << s.what;
    } else {
      EXPECT_TRUE(changed.empty()) << s.what;
    }
    EXPECT_EQ(GetCapture(), s.holder) << s.what;
  }
  ReleaseCapture();
  DestroyWindow(b);
}

}  // namespace
