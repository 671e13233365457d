#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "win/last_error.h"
#include "win/messages.h"
#include "win/window_objects.h"

namespace {

std::vector<std::pair<HWND, UINT>> g_seen;
LRESULT g_createResult = 0;
BOOL g_nccreateResult = TRUE;

LRESULT CALLBACK LifecycleProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  g_seen.emplace_back(hwnd, message);
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return g_nccreateResult;
  }
  if (message == WM_CREATE) return g_createResult;
  if (message == WM_DESTROY) DestroyWindow(hwnd);  // re-entry is harmless
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LifecycleProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = u"QuorlaLifecycle";
    if (!atom) atom = RegisterClassExW(&wc);
  }
  void SetUp() override {
    g_seen.clear();
    g_createResult = 0;
    g_nccreateResult = TRUE;
  }
  static HWND Make(HWND parent = HWND_MESSAGE, LPCWSTR title = u"", void* param = nullptr) {
    return CreateWindowExW(0, u"quorlalifecycle", title, 0, 0, 0, 0, 0, parent, nullptr, nullptr, param);
  }
  static ATOM atom;
};
ATOM WindowsTest::atom = 0;

TEST_F(WindowsTest, ClassesAreFoundWithoutRegardToCaseAndRegisteredOnce) {
  ASSERT_GE(atom, 0xC000);
  WNDCLASSEXW again{};
  again.cbSize = sizeof again;
  again.lpfnWndProc = LifecycleProc;
  again.lpszClassName = u"QUORLALIFECYCLE";
  EXPECT_EQ(RegisterClassExW(&again), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  WNDCLASSEXW info{};
  EXPECT_TRUE(GetClassInfoExW(nullptr, MAKEINTATOM(atom), &info));
  EXPECT_EQ(info.lpfnWndProc, &LifecycleProc);
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(WindowsTest, CreationAndDestructionMessagesInOrder) {
  int param = 0;
  HWND hwnd = Make(HWND_MESSAGE, u"", &param);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&param));
  PostMessageW(hwnd, WM_USER, 0, 0);
  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_FALSE(IsWindow(hwnd));
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "messages of a destroyed window are dropped";
  std::vector<UINT> order;
  for (auto& [h, m] : g_seen) order.push_back(m);
  EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(DestroyWindow(hwnd));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(WindowsTest, RefusedCreationTable) {
  struct Case {
    BOOL nccreate;
    LRESULT create;
  } cases[] = {{FALSE, 0}, {TRUE, -1}};
  for (const Case& c : cases) {
    g_nccreateResult = c.nccreate;
    g_createResult = c.create;
    EXPECT_EQ(Make(), nullptr);
    ASSERT_FALSE(g_seen.empty());
    EXPECT_FALSE(IsWindow(g_seen.front().first));
    g_seen.clear();
  }
}

TEST_F(WindowsTest, ChildrenAreDestroyedWithTheirParent) {
  HWND parent = Make(nullptr);
  HWND child = Make(parent);
  ASSERT_NE(child, nullptr);
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(CreateWindowExW(0, u"QuorlaLifecycle", u"", 0, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(WindowsTest, ExtraBytesAndBadIndexes) {
  HWND hwnd = Make();
  EXPECT_EQ(SetWindowLongPtrW(hwnd, sizeof(LONG_PTR), 77), 0);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, sizeof(LONG_PTR)), 77);
  EXPECT_EQ(SetWindowLongPtrW(hwnd, sizeof(LONG_PTR), 78), 77);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, 2 * sizeof(LONG_PTR)), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LifecycleProc));
  DestroyWindow(hwnd);
}

TEST_F(WindowsTest, OnlyTheOwnerDestroysAndFindWindowSkipsMessageOnlyWindows) {
  HWND top = Make(nullptr, u"Quorla top");
  HWND hidden = Make(HWND_MESSAGE, u"Quorla hidden");
  EXPECT_EQ(FindWindowW(u"QuorlaLifecycle", nullptr), top);
  EXPECT_EQ(FindWindowW(nullptr, u"Quorla top"), top);
  EXPECT_EQ(FindWindowW(nullptr, u"Quorla hidden"), nullptr);
  EXPECT_EQ(FindWindowW(u"VXBrowser", nullptr), nullptr);
  BOOL destroyedElsewhere = TRUE;
  DWORD error = 0;
  std::thread([&] {
    destroyedElsewhere = DestroyWindow(top);
    error = GetLastError();
  }).join();
  EXPECT_FALSE(destroyedElsewhere);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED);
  DWORD pid = 0;
  EXPECT_NE(GetWindowThreadProcessId(top, &pid), 0u);
  EXPECT_NE(pid, 0u);
  DestroyWindow(top);
  DestroyWindow(hidden);
  EXPECT_TRUE(IsWindow(GetDesktopWindow()));
}

TEST_F(WindowsTest, UnregisteringAClassWithWindowsFails) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"QuorlaShortLived";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND hwnd = CreateWindowExW(0, u"QuorlaShortLived", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(UnregisterClassW(u"QuorlaShortLived", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(hwnd);
  EXPECT_TRUE(UnregisterClassW(u"QuorlaShortLived", nullptr));
  EXPECT_FALSE(UnregisterClassW(u"QuorlaShortLived", nullptr));
}

}  // namespace
