// A window destroyed while its own handlers run: the object stays whole
// until the outermost of its messages returns, and only then hears
// OnFinalMessage (which may delete it).
#include <gtest/gtest.h>

#include <vector>

#include "atl/window_impl.h"

namespace {

using ATL::CWindow;
using ATL::CWindowImpl;

constexpr UINT kNest = WM_APP + 10;  // wParam: how many levels still to go down

struct Observation {
  int depth;
  bool windowAlive;
  HWND handle;
  int finalCalls;
};

class NestingWindow : public CWindowImpl<NestingWindow> {
 public:
  DECLARE_WND_CLASS_EX(u"QuorlaAtlNesting", 0, COLOR_WINDOW)
  BEGIN_MSG_MAP(NestingWindow)
    MESSAGE_HANDLER(kNest, OnNest)
    MESSAGE_HANDLER(WM_NCDESTROY, OnNcDestroy)
  END_MSG_MAP()

  LRESULT OnNest(UINT, WPARAM levels, LPARAM depth, BOOL&) {
    HWND self = m_hWnd;
    if (levels > 0) {
      SendMessageW(self, kNest, levels - 1, depth + 1);
    } else {
      DestroyWindow();
    }
    // Back in a handler of a window that is gone: the object must still be
    // usable and still know its handle.
    afterDestroy.push_back({static_cast<int>(depth), IsWindow() != FALSE, m_hWnd, finalCalls});
    return depth;
  }
  LRESULT OnNcDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    finalCallsAtNcDestroy = finalCalls;
    bHandled = FALSE;
    return 0;
  }
  void OnFinalMessage(HWND hWnd) override {
    ++finalCalls;
    finalHandle = hWnd;
    handleDuringFinal = m_hWnd;
    if (deleteSelf) delete this;
  }

  std::vector<Observation> afterDestroy;
  int finalCalls = 0;
  int finalCallsAtNcDestroy = -1;
  HWND finalHandle = nullptr;
  HWND handleDuringFinal = reinterpret_cast<HWND>(1);
  bool deleteSelf = false;
};

TEST(FinalMessageTest, WaitsForTheOutermostMessageOfTheObject) {
  for (WPARAM levels : {0, 1, 3}) {
    SCOPED_TRACE(levels);
    NestingWindow window;
    HWND hwnd = window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    SendMessageW(hwnd, kNest, levels, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    ASSERT_EQ(window.afterDestroy.size(), levels + 1);
    for (const Observation& seen : window.afterDestroy) {
      SCOPED_TRACE(seen.depth);
      EXPECT_FALSE(seen.windowAlive);
      EXPECT_EQ(seen.handle, hwnd);
      EXPECT_EQ(seen.finalCalls, 0);
    }
    EXPECT_EQ(window.finalCallsAtNcDestroy, 0);
    EXPECT_EQ(window.finalCalls, 1);
    EXPECT_EQ(window.finalHandle, hwnd);
    EXPECT_EQ(window.handleDuringFinal, nullptr);
    EXPECT_EQ(window.m_hWnd, nullptr);
  }
  // Destroyed from outside its own messages: at once.
  NestingWindow window;
  HWND hwnd = window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(window.finalCalls, 1);
  EXPECT_EQ(window.m_hWnd, nullptr);
}

TEST(FinalMessageTest, AnObjectMayDeleteItselfThere) {
  auto* window = new NestingWindow;
  window->deleteSelf = true;
  HWND hwnd = window->Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP);
  ASSERT_NE(hwnd, nullptr);
  // Deleted after the outermost message; the sanitizers see any later use.
  SendMessageW(hwnd, kNest, 2, 0);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(FinalMessageTest, AWindowOutlivingItsObjectFallsBackToTheDefault) {
  HWND hwnd;
  {
    NestingWindow window;
    hwnd = window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
  }
  EXPECT_EQ(SendMessageW(hwnd, kNest, 0, 5), 0);  // no object answers any more
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_TRUE(DestroyWindow(hwnd));
}

}  // namespace
