#include <gtest/gtest.h>

#include "win/handles.h"
#include "win/last_error.h"
#include "win/messages.h"
#include "win/mutexes.h"
#include "win/process_exit.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "window_probe_process.h"

namespace {

using quorla::testing::TemporaryFolder;
using quorla::testing::WindowProbeProcess;

// The probe ends itself from inside its message loop while three workers
// run (and, with a window on screen, while its loop runs Qt's): its status is
// the code's low byte, no static destructor runs, and its window and mutex
// are gone for everyone else.
TEST(TerminateProcessTest, EndsARunningProcessAtOnceWithItsCode) {
  const struct {
    WPARAM code;
    int status;
    bool onScreen;
  } cases[] = {{0, 0, false}, {7, 7, false}, {255, 255, false}, {0x1234, 0x34, false}, {9, 9, true}, {0x1FF, 0xFF, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << (c.onScreen ? " on screen" : " hidden"));
    TemporaryFolder folder;
    WindowProbeProcess probe(folder, "QuorlaEnding", "ending", "{VXTray-ending}", c.onScreen);
    HWND window = probe.AwaitWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(IsWindowVisible(window), c.onScreen ? TRUE : FALSE);
    HANDLE held = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-ending}");
    ASSERT_NE(held, nullptr);
    CloseHandle(held);

    ASSERT_TRUE(PostMessageW(window, WM_USER + 1, c.code, 0));
    auto status = probe.Child().WaitFor(std::chrono::seconds(20));
    ASSERT_TRUE(status);
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), c.status);
    EXPECT_FALSE(probe.DestructorRan());
    EXPECT_EQ(FindWindowW(u"QuorlaEnding", nullptr), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, u"{VXTray-ending}"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  }
}

TEST(TerminateProcessTest, OnlyTheCurrentProcessCanBeEnded) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_FALSE(TerminateProcess(mutex, 1));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(TerminateProcess(nullptr, 1));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(mutex);
}

}  // namespace
