// The thread's message loop and the application module's register of loops.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "atl/app_module.h"
#include "atl/message_loop.h"
#include "atl/window_impl.h"

namespace {

using ATL::CWindow;
using ATL::CWindowImpl;
using WTL::CAppModule;
using WTL::CMessageLoop;

class CountingWindow : public CWindowImpl<CountingWindow> {
 public:
  DECLARE_WND_CLASS_EX(u"QuorlaAtlCounting", 0, COLOR_WINDOW)
  BEGIN_MSG_MAP(CountingWindow)
    MESSAGE_HANDLER(WM_APP, OnApp)
  END_MSG_MAP()
  LRESULT OnApp(UINT, WPARAM wParam, LPARAM, BOOL&) {
    seen.push_back(static_cast<int>(wParam));
    if (wParam == 3) PostQuitMessage(quitCode);
    return 0;
  }
  std::vector<int> seen;
  int quitCode = 0;
};

TEST(MessageLoopTest, RunDispatchesUntilQuitAndReturnsItsCode) {
  for (int code : {0, 42, -1, 0x7FFFFFFF}) {
    SCOPED_TRACE(code);
    CountingWindow window;
    window.quitCode = code;
    ASSERT_NE(window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP), nullptr);
    for (int i = 1; i <= 3; ++i) window.PostMessage(WM_APP, i);
    CMessageLoop loop;
    EXPECT_EQ(loop.Run(), code);
    EXPECT_EQ(window.seen, (std::vector<int>{1, 2, 3}));
    window.DestroyWindow();
  }
}

TEST(AppModuleTest, OneLoopPerThreadFoundFromAnyThread) {
  CAppModule module;
  ASSERT_EQ(module.Init(nullptr, nullptr), S_OK);
  EXPECT_EQ(module.GetModuleInstance(), GetModuleHandleW(nullptr));
  CMessageLoop mine, second, theirs;
  EXPECT_TRUE(module.AddMessageLoop(&mine));
  EXPECT_FALSE(module.AddMessageLoop(&second));
  EXPECT_EQ(module.GetMessageLoop(), &mine);

  DWORD workerId = 0;
  CMessageLoop* seenByWorker = nullptr;
  std::thread worker([&] {
    workerId = GetCurrentThreadId();
    seenByWorker = module.GetMessageLoop();
    EXPECT_TRUE(module.AddMessageLoop(&theirs));
  });
  worker.join();
  EXPECT_EQ(seenByWorker, nullptr);
  EXPECT_EQ(module.GetMessageLoop(workerId), &theirs);
  EXPECT_EQ(module.GetMessageLoop(), &mine);

  EXPECT_TRUE(module.RemoveMessageLoop());
  EXPECT_FALSE(module.RemoveMessageLoop());
  EXPECT_EQ(module.GetMessageLoop(), nullptr);
  module.Term();
  EXPECT_EQ(module.GetMessageLoop(workerId), nullptr);
}

}  // namespace
