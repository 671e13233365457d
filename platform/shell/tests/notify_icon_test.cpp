// The notification-area icon without a display: adding fails at once
// (there is no panel to wait for), whatever the wait is set to; bad records
// and calls from the wrong thread fail too. Icons on a display are tested
// end to end under Xvfb with a tray (platform/tests/desktop).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "win/common_controls.h"
#include "win/last_error.h"
#include "win/notify_icon.h"
#include "win/window_classes.h"
#include "win/window_objects.h"

namespace {

HWND MakeWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"QuorlaNotifyIconTest";
    return RegisterClassW(&wc);
  }();
  EXPECT_NE(atom, 0);
  return CreateWindowExW(0, u"QuorlaNotifyIconTest", u"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

NOTIFYICONDATAW Record(HWND window, DWORD size) {
  NOTIFYICONDATAW data{};
  data.cbSize = size;
  data.hWnd = window;
  data.uID = 100;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = 11024;
  return data;
}

TEST(NotifyIcon, WithoutADisplayAddingFailsAtOnce) {
  HWND window = MakeWindow();
  ASSERT_NE(window, nullptr);
  quorla::SetNotificationAreaWait(60000);
  for (DWORD size : {DWORD{956}, DWORD{sizeof(NOTIFYICONDATAW)}, DWORD{0}}) {
    NOTIFYICONDATAW data = Record(window, size);
    auto start = std::chrono::steady_clock::now();
    SetLastError(0);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data)) << size;
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT) << size;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << size;
    // Nothing was added, so there is nothing to change or delete.
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &data)) << size;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &data)) << size;
  }
  quorla::SetNotificationAreaWait(30000);
  DestroyWindow(window);
}

TEST(NotifyIcon, BadCallsFail) {
  HWND window = MakeWindow();
  HWND gone = MakeWindow();
  DestroyWindow(gone);
  NOTIFYICONDATAW good = Record(window, 956);
  NOTIFYICONDATAW noWindow = Record(nullptr, 956);
  NOTIFYICONDATAW deadWindow = Record(gone, 956);
  struct Case {
    const char* what;
    DWORD message;
    NOTIFYICONDATAW* data;
    DWORD error;
  } cases[] = {
      {"no record", NIM_ADD, nullptr, ERROR_INVALID_PARAMETER},
      {"unknown message", 7, &good, ERROR_INVALID_PARAMETER},
      {"add without a window", NIM_ADD, &noWindow, ERROR_INVALID_PARAMETER},
      {"add for a destroyed window", NIM_ADD, &deadWindow, ERROR_INVALID_PARAMETER},
      {"modify an icon never added", NIM_MODIFY, &good, ERROR_INVALID_PARAMETER},
      {"delete an icon never added", NIM_DELETE, &good, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(Shell_NotifyIconW(c.message, c.data)) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
  // Icons belong to the user-interface thread, which is this one here.
  DWORD otherThreadError = 0;
  std::thread([&] {
    NOTIFYICONDATAW data = Record(window, 956);
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &data));
    otherThreadError = GetLastError();
  }).join();
  EXPECT_EQ(otherThreadError, ERROR_ACCESS_DENIED);
  DestroyWindow(window);
}

TEST(CommonControls, InitialisationChecksOnlyTheRecordSize) {
  struct Case {
    DWORD size, classes;
    BOOL result;
  } cases[] = {{8, ICC_BAR_CLASSES, TRUE}, {8, ICC_WIN95_CLASSES, TRUE}, {8, 0, TRUE},
               {0, ICC_BAR_CLASSES, FALSE}, {16, ICC_BAR_CLASSES, FALSE}, {4, ICC_BAR_CLASSES, FALSE}};
  for (const Case& c : cases) {
    INITCOMMONCONTROLSEX controls{c.size, c.classes};
    EXPECT_EQ(InitCommonControlsEx(&controls), c.result) << c.size << " " << c.classes;
  }
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
}

}  // namespace
