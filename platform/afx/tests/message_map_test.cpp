#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"

namespace {

using afx_test::MessagesReaching;
using afx_test::RawClass;

constexpr UINT WM_PRIVATE = WM_USER + 77;
constexpr WORD CODE_CHANGED = 0x300;

// What the handlers were given, as text, one line per call.
class CCracked : public CWnd {
 public:
  std::vector<std::string> calls;
  bool defaultFromLButtonDown = false;

 protected:
  void Note(const std::string& line) { calls.push_back(line); }
  static std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

  int OnCreate(LPCREATESTRUCT create) {
    Note("create " + std::to_string(create->style & WS_CHILD ? 1 : 0));
    return CWnd::OnCreate(create);
  }
  void OnLButtonDown(UINT flags, CPoint point) {
    Note("ldown " + std::to_string(flags) + " " + Pt(point));
    // The default gets the message as it came, whatever is passed here.
    if (defaultFromLButtonDown) CWnd::OnLButtonDown(0, CPoint(0, 0));
  }
  void OnMouseMove(UINT, CPoint point) { Note("move " + Pt(point)); }
  void OnRButtonUp(UINT, CPoint point) { Note("rup " + Pt(point)); }
  void OnSize(UINT type, int cx, int cy) { Note("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy)); }
  void OnMove(int x, int y) { Note("movewin " + std::to_string(x) + "," + std::to_string(y)); }
  void OnTimer(UINT_PTR id) { Note("timer " + std::to_string(id)); }
  LRESULT OnNcHitTest(CPoint point) {
    Note("hit " + Pt(point));
    return HTCAPTION;
  }
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message) {
    Note("cursor " + std::string(window == this ? "self" : "other") + " " + std::to_string(static_cast<int>(hitTest)) +
         " " + std::to_string(message));
    return TRUE;
  }
  void OnNcLButtonDown(UINT hitTest, CPoint point) { Note("ncdown " + std::to_string(hitTest) + " " + Pt(point)); }
  void OnSysCommand(UINT id, LPARAM lParam) { Note("sys " + std::to_string(id) + " " + std::to_string(lParam)); }
  void OnGetMinMaxInfo(MINMAXINFO* info) {
    Note("minmax " + std::to_string(*reinterpret_cast<const int*>(info)));
  }
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point) {
    Note("wheel " + std::to_string(flags) + " " + std::to_string(delta) + " " + Pt(point));
    return TRUE;
  }
  void OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    Note("key " + std::to_string(ch) + " " + std::to_string(repeat) + " " + std::to_string(flags));
  }
  void OnActivate(UINT state, CWnd* other, BOOL minimized) {
    Note("activate " + std::to_string(state) + " " + (other ? "other" : "none") + " " + std::to_string(minimized));
  }
  void OnCaptionButton(UINT id) { Note("range " + std::to_string(id)); }
  void OnClose4() { Note("command 1004"); }
  void OnChanged() { Note("changed"); }
  LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
    Note("private " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 11111;
  }
  BOOL OnEraseBkgnd(CDC* dc) {
    Note(dc && dc->m_hDC ? "erase dc" : "erase none");
    return TRUE;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCracked, CWnd)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONUP()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_TIMER()
  ON_WM_NCHITTEST()
  ON_WM_SETCURSOR()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_SYSCOMMAND()
  ON_WM_GETMINMAXINFO()
  ON_WM_MOUSEWHEEL()
  ON_WM_KEYDOWN()
  ON_WM_ACTIVATE()
  ON_WM_ERASEBKGND()
  ON_COMMAND_RANGE(1001, 1003, OnCaptionButton)
  ON_COMMAND(1004, OnClose4)
  ON_CONTROL(CODE_CHANGED, 2000, OnChanged)
  ON_MESSAGE(WM_PRIVATE, OnPrivate)
END_MESSAGE_MAP()

// A derived class replaces one handler and keeps its base's others.
class CDerived : public CCracked {
 protected:
  void OnMouseMove(UINT, CPoint point) { Note("derived move " + Pt(point)); }
  void OnLater() { Note("later"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerived, CCracked)
  ON_WM_MOUSEMOVE()
  ON_COMMAND(1005, OnLater)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, RawClass(), u"cracked", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    control = CreateWindowExW(0, RawClass(), u"", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(2000)), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    wnd.calls.clear();
    afx_test::ReachedClassProcedure().clear();
  }
  CCracked wnd;
  HWND control = nullptr;
};

TEST_F(MessageMapTest, CrackersGiveTheHandlersTheirArguments) {
  HDC dc = CreateCompatibleDC(nullptr);
  int minMaxRecord[10] = {910};
  const auto self = reinterpret_cast<WPARAM>(wnd.m_hWnd);
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected;
    LRESULT result;
  } cases[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), "ldown 1 10,20", 0},
      // A drag past the left or top edge under capture: negative 16-bit values.
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-5), 7), "move -5,7", 0},
      {WM_RBUTTONUP, 0, MAKELPARAM(0xFFFF, 0x8000), "rup -1,-32768", 0},
      {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1920, 1040), "size 2 1920x1040", 0},
      {WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 0), "size 0 40000x0", 0},
      {WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(-10), static_cast<WORD>(-20)), "movewin -10,-20", 0},
      {WM_TIMER, 300, 0, "timer 300", 0},
      {WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(-3), 50), "hit -3,50", HTCAPTION},
      {WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(5, 6), "ncdown 2 5,6", 0},
      {WM_SYSCOMMAND, 0xF012, 0, "sys 61458 0", 0},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(300, 400), "wheel 8 -120 300,400", TRUE},
      {WM_KEYDOWN, VK_RETURN, MAKELPARAM(1, 0x1C), "key 13 1 28", 0},
      {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 none 1", 0},
      // Handles become temporary objects for the handler.
      {WM_ACTIVATE, WA_ACTIVE, static_cast<LPARAM>(self), "activate 1 other 0", 0},
      {WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, "erase dc", TRUE},
      // Hit codes keep their sign.
      {WM_SETCURSOR, self, MAKELPARAM(static_cast<WORD>(HTERROR), WM_LBUTTONDOWN), "cursor self -2 513", TRUE},
      {WM_SETCURSOR, 0, MAKELPARAM(17, WM_MOUSEMOVE), "cursor other 17 512", TRUE},
      {WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(minMaxRecord), "minmax 910", 0},
      {WM_COMMAND, 1001, 0, "range 1001", 1},
      {WM_COMMAND, 1003, 0, "range 1003", 1},
      {WM_COMMAND, 1004, 0, "command 1004", 1},
      {WM_COMMAND, MAKEWPARAM(2000, CODE_CHANGED), reinterpret_cast<LPARAM>(control), "changed", 1},
      {WM_PRIVATE, 3, -4, "private 3 -4", 11111},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    wnd.calls.clear();
    LRESULT result = SendMessageW(wnd.m_hWnd, c.message, c.wParam, c.lParam);
    ASSERT_EQ(wnd.calls.size(), 1u);
    EXPECT_EQ(wnd.calls[0], c.expected);
    EXPECT_EQ(result, c.result);
  }
  DeleteDC(dc);
  // The class procedure saw none of them: every one was taken by the map.
  EXPECT_TRUE(MessagesReaching(wnd.m_hWnd).empty());
}

TEST_F(MessageMapTest, CommandsAndMessagesWithoutAnEntryGetTheDefaultHandling) {
  const struct {
    WPARAM wParam;
    LPARAM lParam;
    bool taken;
  } commands[] = {
      {1000, 0, false},                                                     // below the range
      {1006, 0, false},                                                     // no entry
      {MAKEWPARAM(2000, CODE_CHANGED), 0, false},                           // a code needs its control
      {MAKEWPARAM(2000, 0x301), reinterpret_cast<LPARAM>(control), false},  // another code
      {MAKEWPARAM(1002, 1), 0, true},  // an accelerator's command: no control, code ignored
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.wParam);
    wnd.calls.clear();
    afx_test::ReachedClassProcedure().clear();
    SendMessageW(wnd.m_hWnd, WM_COMMAND, c.wParam, c.lParam);
    EXPECT_EQ(wnd.calls.empty(), !c.taken);
    EXPECT_EQ(MessagesReaching(wnd.m_hWnd).size(), c.taken ? 0u : 1u);
  }
  // Default text handling of the class procedure.
  wnd.SetWindowText(u"新标题");
  CString title;
  wnd.GetWindowText(title);
  EXPECT_EQ(title, u"新标题");
}

TEST_F(MessageMapTest, DefaultHandsOnTheMessageAsItCame) {
  wnd.defaultFromLButtonDown = true;
  SendMessageW(wnd.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-7), 9));
  auto& reached = afx_test::ReachedClassProcedure();
  ASSERT_EQ(reached.size(), 1u);
  EXPECT_EQ(reached[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(reached[0].wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(reached[0].lParam, MAKELPARAM(static_cast<WORD>(-7), 9));
}

TEST(MessageMapInheritance, DerivedMapsComeFirstAndFallBackToTheirBase) {
  CDerived wnd;
  ASSERT_TRUE(wnd.CreateEx(0, RawClass(), u"derived", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
  wnd.calls.clear();
  SendMessageW(wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 2));
  SendMessageW(wnd.m_hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 4));
  SendMessageW(wnd.m_hWnd, WM_COMMAND, 1005, 0);
  SendMessageW(wnd.m_hWnd, WM_COMMAND, 1002, 0);
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"derived move 1,2", "ldown 0 3,4", "later", "range 1002"}));
}

}  // namespace
