#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx/tooltip_ctrl.h"
#include "afx_test_support.h"
#include "win/time.h"
#include "win/waits.h"

namespace {

using afx_test::RawClass;

// A row of buttons in one window, as the browser's bars are: tools by the
// bar and a command identifier. Records the tooltip's notifications and
// answers text callbacks with "tool <id>".
class CToolBarWindow : public CWnd {
 public:
  std::vector<std::string> notices;

 protected:
  void OnShow(UINT id, NMHDR*, LRESULT* result) {
    notices.push_back("show " + std::to_string(id));
    *result = FALSE;
  }
  BOOL OnNeedText(UINT id, NMHDR* header, LRESULT*) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    CString text;
    text.Format(u"tool %u", id);
    std::copy(text.GetString(), text.GetString() + text.GetLength() + 1, info->szText);
    info->lpszText = info->szText;
    notices.push_back("asked " + std::to_string(id));
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolBarWindow, CWnd)
  ON_NOTIFY_RANGE(TTN_SHOW, 0, 0xFFFF, OnShow)
  ON_NOTIFY_EX_RANGE(TTN_GETDISPINFOW, 0, 0xFFFF, OnNeedText)
END_MESSAGE_MAP()

// The main window relays every message of the loop to its tooltip control
// before the framework's own pre-translation, as the browser's does.
class CRelayingFrame : public CWnd {
 public:
  CToolTipCtrl tips;
  int relayed = 0;

  BOOL PreTranslateMessage(MSG* msg) override {
    if (tips.m_hWnd) {
      tips.RelayEvent(msg);
      ++relayed;
    }
    return CWnd::PreTranslateMessage(msg);
  }
};

class ToolTipCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateEx(0, RawClass(), u"frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, nullptr));
    ASSERT_TRUE(bar.Create(RawClass(), u"bar", WS_VISIBLE, CRect(20, 10, 220, 60), &frame, 7));
    ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(250, 10, 300, 40), &frame, 1030));
    ASSERT_TRUE(frame.tips.Create(&frame));
    frame.tips.SetDelayTime(TTDT_INITIAL, 20);
    app.m_pMainWnd = &frame;
    afx_test::Drain();
  }
  void TearDown() override { app.m_pMainWnd = nullptr; }

  // Runs the loop until the tip's visibility is as wanted, at most a while.
  bool PumpUntilShown(bool shown, DWORD limit = 3000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit) {
      afx_test::Drain();
      if ((frame.tips.IsWindowVisible() != FALSE) == shown) return true;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return false;
  }

  // A mouse message of the window at a client point, as the loop takes
  // it, offered to the application's pre-translation.
  BOOL Offer(CWnd& window, UINT message, int x, int y) {
    POINT screen{x, y};
    window.ClientToScreen(&screen);
    MSG msg{window.m_hWnd, message, 0, MAKELPARAM(x, y), GetTickCount(), screen};
    return app.PreTranslateMessage(&msg);
  }

  CWinApp app{u"tooltips"};
  CRelayingFrame frame;
  CToolBarWindow bar;
  CButton button;
};

TEST_F(ToolTipCtrlTest, ToolsAreNamedByWindowAndIdentifier) {
  const CRect first(0, 0, 28, 25);
  struct Case {
    const char* what;
    std::function<BOOL()> add;
    CWnd* wnd;
    UINT_PTR id;
    BOOL added;
    UINT flags;
    HWND hwnd;         // the record's window
    UINT_PTR uId;      // the record's identifier
    CRect rect;        // in the tool's window
    std::u16string text;
    bool callback;
  };
  const CRect barClient(0, 0, 200, 50);
  const Case cases[] = {
      {"a rectangle with a text", [&] { return frame.tips.AddTool(&bar, u"关闭", &first, 1004); }, &bar, 1004, TRUE, 0,
       bar.m_hWnd, 1004, first, u"关闭", false},
      {"no rectangle: the window's client area",
       [&] { return frame.tips.AddTool(&bar, u"whole", nullptr, 1010); }, &bar, 1010, TRUE, 0, bar.m_hWnd, 1010,
       barClient, u"whole", false},
      {"a string of the table", [&] { return frame.tips.AddTool(&bar, 1003u, &first, 1003); }, &bar, 1003, TRUE, 0,
       bar.m_hWnd, 1003, first, u"最大化", false},
      {"a string the table lacks: an empty text",
       [&] { return frame.tips.AddTool(&bar, 4999u, &first, 4999); }, &bar, 4999, TRUE, 0, bar.m_hWnd, 4999, first,
       u"", false},
      {"a callback", [&] { return frame.tips.AddTool(&bar, LPSTR_TEXTCALLBACKW, &first, 1); }, &bar, 1, TRUE, 0,
       bar.m_hWnd, 1, first, u"", true},
      {"identifier 0: the whole window, named by its parent",
       [&] { return frame.tips.AddTool(&button, u"搜索"); }, &button, 0, TRUE, TTF_IDISHWND, frame.m_hWnd,
       reinterpret_cast<UINT_PTR>(button.m_hWnd), CRect(), u"搜索", false},
      {"identifier 0 of a window without a parent", [&] { return frame.tips.AddTool(&frame, u"x"); }, &frame, 0,
       FALSE, 0, nullptr, 0, CRect(), u"", false},
      {"no window", [&] { return frame.tips.AddTool(nullptr, u"x", &first, 5); }, nullptr, 5, FALSE, 0, nullptr, 0,
       CRect(), u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = frame.tips.GetToolCount();
    EXPECT_EQ(c.add(), c.added);
    EXPECT_EQ(frame.tips.GetToolCount(), before + (c.added ? 1 : 0));
    TOOLINFOW info{};
    EXPECT_EQ(frame.tips.GetToolInfo(info, c.wnd, c.id), c.added);
    CString text;
    frame.tips.GetText(text, c.wnd, c.id);
    EXPECT_EQ(text.str(), c.text);
    if (!c.added) continue;
    EXPECT_EQ(info.uFlags, c.flags);
    EXPECT_EQ(info.hwnd, c.hwnd);
    EXPECT_EQ(info.uId, c.uId);
    EXPECT_EQ(CRect(info.rect), c.rect);
    EXPECT_EQ(info.lpszText == LPSTR_TEXTCALLBACKW, c.callback);
  }
}

TEST_F(ToolTipCtrlTest, ABarSwappingAButtonKeepsOneToolWhoseTextFollowsTheIdentifier) {
  // The maximise button becomes the restore button and back: the old tool
  // goes, the new one takes the new identifier's string.
  const CRect middle(28, 0, 56, 25);
  ASSERT_TRUE(frame.tips.AddTool(&bar, 1001u, CRect(0, 0, 28, 25), 1001));
  ASSERT_TRUE(frame.tips.AddTool(&bar, 1003u, &middle, 1003));
  const struct {
    UINT from, to;
    const char16_t* text;
  } swaps[] = {{1003, 1002, u"恢复"}, {1002, 1003, u"最大化"}, {1003, 1002, u"恢复"}};
  for (const auto& swap : swaps) {
    SCOPED_TRACE(swap.to);
    frame.tips.DelTool(&bar, swap.from);
    ASSERT_TRUE(frame.tips.AddTool(&bar, swap.to, &middle, swap.to));
    EXPECT_EQ(frame.tips.GetToolCount(), 2);
    TOOLINFOW info{};
    EXPECT_FALSE(frame.tips.GetToolInfo(info, &bar, swap.from));
    CString text;
    frame.tips.GetText(text, &bar, swap.to);
    EXPECT_EQ(text.str(), swap.text);
    frame.tips.GetText(text, &bar, 1001);
    EXPECT_EQ(text.str(), u"最小化") << "the other button's tool is untouched";
  }
}

TEST_F(ToolTipCtrlTest, TextsAndRectanglesChangeInPlace) {
  ASSERT_TRUE(frame.tips.AddTool(&bar, u"old", CRect(0, 0, 10, 10), 3));
  ASSERT_TRUE(frame.tips.AddTool(&button, u"button"));
  const struct {
    const char* what;
    std::function<void()> change;
    CWnd* wnd;
    UINT_PTR id;
    std::u16string text;
    CRect rect;
  } cases[] = {
      {"a new text", [&] { frame.tips.UpdateTipText(u"新的", &bar, 3); }, &bar, 3, u"新的", CRect(0, 0, 10, 10)},
      {"a string of the table", [&] { frame.tips.UpdateTipText(1004u, &bar, 3); }, &bar, 3, u"关闭",
       CRect(0, 0, 10, 10)},
      {"a new rectangle", [&] { frame.tips.SetToolRect(&bar, 3, CRect(40, 0, 60, 20)); }, &bar, 3, u"关闭",
       CRect(40, 0, 60, 20)},
      {"a whole-window tool's text", [&] { frame.tips.UpdateTipText(u"go", &button); }, &button, 0, u"go", CRect()},
      {"an unknown tool changes nothing", [&] { frame.tips.UpdateTipText(u"x", &bar, 99); }, &bar, 3, u"关闭",
       CRect(40, 0, 60, 20)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    CString text;
    frame.tips.GetText(text, c.wnd, c.id);
    EXPECT_EQ(text.str(), c.text);
    TOOLINFOW info{};
    ASSERT_TRUE(frame.tips.GetToolInfo(info, c.wnd, c.id));
    EXPECT_EQ(CRect(info.rect), c.rect);
  }
  EXPECT_EQ(frame.tips.GetToolCount(), 2);
  // A tool added twice is two tools; each DelTool takes one.
  ASSERT_TRUE(frame.tips.AddTool(&bar, u"again", CRect(0, 0, 10, 10), 3));
  EXPECT_EQ(frame.tips.GetToolCount(), 3);
  frame.tips.DelTool(&bar, 3);
  EXPECT_EQ(frame.tips.GetToolCount(), 2);
  frame.tips.DelTool(&bar, 3);
  frame.tips.DelTool(&button);
  EXPECT_EQ(frame.tips.GetToolCount(), 0);
}

TEST_F(ToolTipCtrlTest, TheOwnersPreTranslationShowsAndHidesTips) {
  // Tools 1 and 2 of the bar ask their text; the button's tool keeps one.
  ASSERT_TRUE(frame.tips.AddTool(&bar, LPSTR_TEXTCALLBACKW, CRect(0, 0, 50, 50), 1));
  ASSERT_TRUE(frame.tips.AddTool(&bar, LPSTR_TEXTCALLBACKW, CRect(50, 0, 100, 50), 2));
  ASSERT_TRUE(frame.tips.AddTool(&button, u"搜索"));
  const struct {
    const char* what;
    CWnd* window;
    int x, y;
    bool active;
    bool shows;
    std::vector<std::string> barHeard;
  } cases[] = {
      {"resting on a bar tool", &bar, 20, 20, true, true, {"asked 1", "show 1"}},
      {"the next tool", &bar, 70, 20, true, true, {"asked 2", "show 2"}},
      {"a whole-window tool", &button, 10, 10, true, true, {}},
      {"off every tool", &bar, 150, 20, true, false, {}},
      {"deactivated", &bar, 20, 20, false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bar.notices.clear();
    frame.tips.Activate(c.active);
    const int relayedBefore = frame.relayed;
    EXPECT_FALSE(Offer(*c.window, WM_MOUSEMOVE, c.x, c.y)) << "relaying swallows nothing";
    EXPECT_EQ(frame.relayed, relayedBefore + 1) << "the main window sees its children's messages";
    EXPECT_EQ(PumpUntilShown(true, c.shows ? 3000 : 300), c.shows);
    EXPECT_EQ(bar.notices, c.barHeard);
    if (c.shows) {
      // A press takes it away at once.
      Offer(*c.window, WM_LBUTTONDOWN, c.x, c.y);
      EXPECT_FALSE(frame.tips.IsWindowVisible());
    }
    Offer(bar, WM_MOUSEMOVE, 150, 20);  // off the tools, so the next case starts afresh
    frame.tips.Pop();
  }
  frame.tips.Activate(TRUE);
}

}  // namespace
