#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"

namespace {

using afx_test::MessagesReaching;
using afx_test::RawClass;

// Records every message its WindowProc sees, in order.
class CWatcher : public CWnd {
 public:
  std::vector<UINT> seen;
  std::vector<std::string>* events = nullptr;
  int createResult = 0;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_CREATE && createResult) return createResult;
    return CWnd::WindowProc(message, wParam, lParam);
  }

 protected:
  void PostNcDestroy() override {
    if (events) events->push_back("post nc destroy");
  }
};

// A class whose procedure is the default one, as "QuorlaMainFrame" is.
LPCWSTR DefaultProcedureClass() {
  static bool registered = [] {
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = u"AfxTestDefaultProcedure";
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
  return u"AfxTestDefaultProcedure";
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override { afx_test::ReachedClassProcedure().clear(); }
};

TEST_F(BindingTest, TheObjectSeesEveryMessageFromTheWindowsFirst) {
  // What a window of the same kind gets, seen by its class procedure, is
  // what the object must see: from the first message (WM_GETMINMAXINFO
  // where the layer sends it for an overlapped window) to WM_CREATE.
  const struct {
    const char* name;
    DWORD style;
  } cases[] = {{"overlapped", WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
               {"pop-up", WS_POPUP}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    afx_test::ReachedClassProcedure().clear();
    HWND plain = CreateWindowExW(0, RawClass(), u"", c.style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    std::vector<UINT> expected = MessagesReaching(plain);
    DestroyWindow(plain);
    auto create = std::find(expected.begin(), expected.end(), WM_CREATE);
    ASSERT_NE(create, expected.end());
    expected.erase(create + 1, expected.end());
    ASSERT_NE(std::find(expected.begin(), expected.end(), WM_NCCREATE), expected.end());

    CWatcher frame;
    ASSERT_TRUE(frame.CreateEx(0, DefaultProcedureClass(), u"", c.style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr));
    ASSERT_GE(frame.seen.size(), expected.size());
    EXPECT_EQ(std::vector<UINT>(frame.seen.begin(), frame.seen.begin() + static_cast<long>(expected.size())),
              expected);
    EXPECT_EQ(GetWindowLongPtrW(frame.m_hWnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&AfxWndProc));
    EXPECT_EQ(CWnd::FromHandlePermanent(frame.m_hWnd), &frame);
  }
}

TEST_F(BindingTest, AFailedCreationLeavesNothingBound) {
  std::vector<std::string> events;
  {
    CWatcher refused;
    refused.events = &events;
    refused.createResult = -1;
    EXPECT_FALSE(refused.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(events, std::vector<std::string>{"post nc destroy"});
  }
  CWatcher missing;
  EXPECT_FALSE(missing.CreateEx(0, u"AfxTestNoSuchClass", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(missing.m_hWnd, nullptr);
  // The offer did not outlive the failed creation.
  HWND later = CreateWindowExW(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(later), nullptr);
  EXPECT_TRUE(missing.seen.empty());
  DestroyWindow(later);
}

TEST_F(BindingTest, UnhandledMessagesReachTheClassProcedureAndDestroyingUnbinds) {
  std::vector<std::string> events;
  CWatcher wnd;
  wnd.events = &events;
  ASSERT_TRUE(wnd.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND hwnd = wnd.m_hWnd;
  // Everything the object saw went on to the class procedure: its map is empty.
  EXPECT_EQ(MessagesReaching(hwnd), wnd.seen);
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  EXPECT_EQ(events, std::vector<std::string>{"post nc destroy"});
  EXPECT_EQ(wnd.seen.back(), WM_NCDESTROY);
}

// Destroys its window from a message nested inside another of its own.
class CNested : public CWnd {
 public:
  std::vector<std::string> events;

 protected:
  LRESULT OnOuter(WPARAM, LPARAM) {
    SendMessage(WM_USER + 2);
    events.push_back(m_hWnd ? "outer ends bound" : "outer ends unbound");
    return 0;
  }
  LRESULT OnInner(WPARAM, LPARAM) {
    DestroyWindow();
    events.push_back("inner destroyed");
    return 0;
  }
  void PostNcDestroy() override { events.push_back("post nc destroy"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNested, CWnd)
  ON_MESSAGE(WM_USER + 1, OnOuter)
  ON_MESSAGE(WM_USER + 2, OnInner)
END_MESSAGE_MAP()

TEST_F(BindingTest, PostNcDestroyWaitsForTheObjectsOutermostMessage) {
  CNested wnd;
  ASSERT_TRUE(wnd.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND hwnd = wnd.m_hWnd;
  SendMessageW(hwnd, WM_USER + 1, 0, 0);
  EXPECT_EQ(wnd.events, (std::vector<std::string>{"inner destroyed", "outer ends unbound", "post nc destroy"}));
  EXPECT_FALSE(IsWindow(hwnd));
}

// Deletes itself from its own handler, as a discarded view does.
class CSelfDeleting : public CWnd {
 public:
  explicit CSelfDeleting(bool* destroyed) : destroyed_(destroyed) {}
  ~CSelfDeleting() override { *destroyed_ = true; }

 protected:
  void OnDiscard() { delete this; }
  DECLARE_MESSAGE_MAP()

 private:
  bool* destroyed_;
};

BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
  ON_COMMAND(16, OnDiscard)
END_MESSAGE_MAP()

TEST_F(BindingTest, AHandlerMayDeleteItsObject) {
  const struct {
    const char* name;
    bool posted;
  } cases[] = {{"sent", false}, {"posted", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool destroyed = false;
    auto* view = new CSelfDeleting(&destroyed);
    ASSERT_TRUE(view->CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = view->m_hWnd;
    if (c.posted) {
      PostMessageW(hwnd, WM_COMMAND, 16, 0);
      afx_test::Drain();
    } else {
      SendMessageW(hwnd, WM_COMMAND, 16, 0);
    }
    EXPECT_TRUE(destroyed);
    // Deleting the object destroyed its window.
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  }
}

TEST_F(BindingTest, SubclassingAnExistingWindowAndGivingItBack) {
  HWND hwnd = CreateWindowExW(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  auto original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
  CWatcher wnd;
  ASSERT_TRUE(wnd.SubclassWindow(hwnd));
  EXPECT_FALSE(CWatcher().SubclassWindow(hwnd));  // one object per window
  SendMessageW(hwnd, WM_USER + 9, 0, 0);
  EXPECT_EQ(wnd.seen, std::vector<UINT>{WM_USER + 9});
  EXPECT_EQ(MessagesReaching(hwnd).back(), WM_USER + 9u);

  EXPECT_EQ(wnd.UnsubclassWindow(), hwnd);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
  SendMessageW(hwnd, WM_USER + 10, 0, 0);
  EXPECT_EQ(wnd.seen.size(), 1u);
  EXPECT_TRUE(IsWindow(hwnd));
  DestroyWindow(hwnd);
}

TEST_F(BindingTest, FromHandleGivesTheBoundObjectOrOneTemporaryObjectPerWindow) {
  CWatcher bound;
  ASSERT_TRUE(bound.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND foreign = CreateWindowExW(0, RawClass(), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(CWnd::FromHandle(bound.m_hWnd), &bound);
  CWnd* temporary = CWnd::FromHandle(foreign);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(temporary->m_hWnd, foreign);
  EXPECT_EQ(CWnd::FromHandle(foreign), temporary);
  EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  // The application frees temporary objects when idle; the window stays.
  CWinApp app(u"binding");
  app.OnIdle(0);
  EXPECT_TRUE(IsWindow(foreign));
  DestroyWindow(foreign);
}

TEST_F(BindingTest, ChildWindowsFromCreate) {
  CWatcher parent;
  ASSERT_TRUE(parent.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  CWatcher child;
  ASSERT_TRUE(child.Create(nullptr, u"child", WS_VISIBLE, CRect(5, 6, 25, 36), &parent, 42));
  EXPECT_EQ(child.GetParent(), &parent);
  EXPECT_EQ(child.GetDlgCtrlID(), 42);
  EXPECT_EQ(parent.GetDlgItem(42), &child);
  EXPECT_TRUE(child.GetStyle() & WS_CHILD);
  CRect rect;
  child.GetWindowRect(rect);
  parent.ScreenToClient(rect);
  EXPECT_EQ(rect, CRect(5, 6, 25, 36));
  EXPECT_EQ(child.GetTopLevelParent(), &parent);
  // The class made for windows without one of their own.
  EXPECT_EQ(std::u16string(AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW))).substr(0, 4), u"Afx:");
  EXPECT_EQ(AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)),
            AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW)));
  EXPECT_NE(std::u16string(AfxRegisterWndClass(CS_DBLCLKS)), std::u16string(AfxRegisterWndClass(CS_HREDRAW)));
}

}  // namespace
