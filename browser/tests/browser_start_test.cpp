// The browser program's start, in processes of its own: the process-wide
// objects come in their order and go in the reverse order only through the
// ordinary exit; a second browser hands "/tray" and "/price" to the running
// one's window without waiting and ends with code 0 without a window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <string>
#include <vector>

#include "browser_ids.h"
#include "child_process.h"
#include "win/messages.h"
#include "win/window_classes.h"
#include "win/window_objects.h"

using namespace std::chrono_literals;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Environment(const std::vector<std::string>& extra) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) environment.push_back(*entry);
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

TEST(ProcessObjects, ComeInOrderAndGoInReverseOnlyThroughTheOrdinaryExit) {
  const std::string probe = std::string(QUORLA_BROWSER_TEST_DIR) + "/process_objects_probe";
  const std::vector<std::string> built = {
      "built fonts",       "built settings path",    "built price engine", "built start argument", "built application",
      "built start page address", "built favourites list", "application registered", "start argument ''",
  };
  const auto ordinary = quorla_desktop::RunCommand({probe}, Environment({"QT_QPA_PLATFORM=offscreen"}));
  std::vector<std::string> expected = built;
  for (const char* gone : {"gone favourites list", "gone start page address", "gone application", "gone start argument",
                           "gone price engine", "gone settings path",
                           "gone fonts"})
    expected.push_back(gone);
  EXPECT_EQ(ordinary.exitCode, 0);
  EXPECT_EQ(Lines(ordinary.output), expected);

  const auto terminated = quorla_desktop::RunCommand({probe, "terminate"}, Environment({"QT_QPA_PLATFORM=offscreen"}));
  EXPECT_EQ(terminated.exitCode, 1);
  EXPECT_EQ(Lines(terminated.output), built) << "nothing is torn down";
}

// A window standing in for a running browser's main window: of the main
// window's class, hidden, writing down what reaches it.
struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> g_received;

LRESULT RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RESTORE_MAIN_WINDOW || message == WM_COMMAND) g_received.push_back({message, wParam, lParam});
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class SecondBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = kMainFrameClassName;
    RegisterClassW(&windowClass);
    running = CreateWindowExW(0, kMainFrameClassName, u"", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_NE(running, nullptr);
    // The class may be the main window's own, registered by an earlier test
    // of this process.
    SetWindowLongPtrW(running, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProcedure));
    g_received.clear();
  }
  void TearDown() override { DestroyWindow(running); }

  // Runs the program with the argument after its quoted path and one blank.
  quorla_desktop::CommandResult RunBrowser(const std::string& argument) {
    return quorla_desktop::RunCommand({std::string(QUORLA_BIN_DIR) + "/VXBrowser", argument},
                                      Environment({"QT_QPA_PLATFORM=offscreen"}), 60s);
  }
  // Handles what reached this process until the message came or time ran out.
  bool WaitForMessage(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (g_received.empty() && std::chrono::steady_clock::now() < deadline) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      std::this_thread::sleep_for(20ms);
    }
    return !g_received.empty();
  }

  HWND running = nullptr;
};

TEST_F(SecondBrowser, HandsItsRequestToTheRunningWindowAndEndsWithoutOne) {
  struct Case {
    const char* argument;
    UINT message;
    WPARAM wParam;
  };
  const Case cases[] = {
      // The options in any case are the start argument's own test.
      {"/TRAY", WM_RESTORE_MAIN_WINDOW, 0},
      {"/price", WM_COMMAND, ID_SHOW_CUTPRICE_DLG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    g_received.clear();
    const auto result = RunBrowser(c.argument);
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_TRUE(WaitForMessage(10s));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, c.message);
    EXPECT_EQ(g_received[0].wParam, c.wParam);
    EXPECT_EQ(g_received[0].lParam, 0);
  }
}

}  // namespace
