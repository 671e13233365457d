#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"
#include "win/common_controls.h"
#include "win/time.h"
#include "win/waits.h"

namespace {

using quorla_test::WindowLog;

// An owner at (0,0)-(300,200) on screen with two rectangle tools side by
// side, (10,10)-(110,60) id 1 and (110,10)-(210,60) id 2, and a child at
// (20,100)-(120,150); a tooltip owned by it.
struct Scene {
  WindowLog log;
  HWND owner = nullptr, child = nullptr, tooltip = nullptr;
  bool relay = true;  // the program relays its mouse messages, as a pre-translate step does
  int asked = 0;      // TTN_GETDISPINFOW
  std::vector<std::pair<UINT, UINT_PTR>> notices;  // TTN_SHOW, TTN_POP and their tools
  std::function<void(NMTTDISPINFOW*)> answer;

  Scene() {
    log.handlers[WM_NOTIFY] = [this](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      EXPECT_EQ(header->hwndFrom, tooltip);
      EXPECT_EQ(wParam, header->idFrom);
      if (header->code == TTN_GETDISPINFOW) {
        ++asked;
        if (answer) answer(reinterpret_cast<NMTTDISPINFOW*>(lParam));
      } else {
        notices.emplace_back(header->code, header->idFrom);
      }
      return 0;
    };
    owner = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    child = quorla_test::MakeChild(owner, WS_VISIBLE, 20, 100, 100, 50);
    tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    EXPECT_NE(tooltip, nullptr);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 60);
    SetActiveWindow(owner);
    SetFocus(owner);
    Pump(0);
  }
  ~Scene() {
    DestroyWindow(tooltip);
    DestroyWindow(owner);
  }

  TOOLINFOW Info(UINT_PTR id, LPCWSTR text, UINT flags = 0, HWND hwnd = nullptr) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = flags;
    info.hwnd = hwnd ? hwnd : owner;
    info.uId = id;
    info.rect = id == 2 ? RECT{110, 10, 210, 60} : RECT{10, 10, 110, 60};
    info.lpszText = const_cast<LPWSTR>(text);
    return info;
  }
  BOOL Add(TOOLINFOW info) { return static_cast<BOOL>(SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))); }

  // Takes and dispatches messages for a while, relaying mouse messages.
  void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (relay && ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) || msg.message == WM_MOUSELEAVE))
          SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      const DWORD spent = GetTickCount() - start;
      if (spent >= milliseconds) return;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(milliseconds - spent, 10), QS_ALLINPUT);
    }
  }
  // Pumps until the tip's visibility is as wanted, at most for a while.
  bool PumpUntil(bool visible, DWORD limit = 3000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit) {
      Pump(5);
      if ((IsWindowVisible(tooltip) != FALSE) == visible) return true;
    }
    return false;
  }

  void Mouse(QEvent::Type type, QPoint screen, Qt::MouseButton button = Qt::LeftButton) {
    quorla_test::SendMouse(owner, type, screen, type == QEvent::MouseMove ? Qt::NoButton : button);
    Pump(0);
  }
  void MoveTo(QPoint screen) { Mouse(QEvent::MouseMove, screen); }
  void Click(QPoint screen, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, screen, button);
    Mouse(QEvent::MouseButtonRelease, screen, button);
  }

  RECT TipRect() const {
    RECT r{};
    GetWindowRect(tooltip, &r);
    return r;
  }
  bool Noticed(UINT code, UINT_PTR id) const {
    return std::find(notices.begin(), notices.end(), std::make_pair(code, id)) != notices.end();
  }
};

TEST(TooltipControl, ShownAfterTheRestingDelayBelowThePointerAndNeverActive) {
  Scene scene;
  ASSERT_TRUE(scene.Add(scene.Info(1, u"第一个按钮")));
  scene.MoveTo({40, 30});
  EXPECT_FALSE(IsWindowVisible(scene.tooltip)) << "not before the delay";
  ASSERT_TRUE(scene.PumpUntil(true));
  RECT r = scene.TipRect();
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 50) << "below the pointer";
  EXPECT_GT(r.right - r.left, 30);
  EXPECT_GE(r.bottom - r.top, 12);
  EXPECT_TRUE(scene.Noticed(TTN_SHOW, 1));
  // Never the active or the focus window, above the others, passed through.
  EXPECT_EQ(GetActiveWindow(), scene.owner);
  EXPECT_EQ(GetFocus(), scene.owner);
  const LONG_PTR ex = GetWindowLongPtrW(scene.tooltip, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no taskbar entry";
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_EQ(WindowFromPoint(POINT{r.left + 3, r.top + 3}), scene.owner) << "the pointer goes through the tip";
  QWidget* widget = quorla::WidgetOfWindow(scene.tooltip);
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(widget->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  // Drawn in the information colours, with its text.
  scene.Pump(20);
  EXPECT_EQ(quorla_test::PixelOf(scene.tooltip, 2, 2), GetSysColor(COLOR_INFOBK));
  int ink = 0;
  for (int x = 2; x < r.right - r.left - 2; ++x)
    for (int y = 2; y < r.bottom - r.top - 2; ++y) ink += GetRValue(quorla_test::PixelOf(scene.tooltip, x, y)) < 128;
  EXPECT_GT(ink, 10) << "the text is drawn";
}

TEST(TooltipControl, HiddenByAPressOrByLeavingTheTool) {
  struct Case {
    const char* what;
    std::function<void(Scene&)> then;
    bool backOnSameToolShows;  // resting again on the same tool, without leaving it
  } cases[] = {
      {"a press", [](Scene& s) { s.Click({40, 30}); }, false},
      {"a right press", [](Scene& s) { s.Click({40, 30}, Qt::RightButton); }, false},
      {"a move off the tools", [](Scene& s) { s.MoveTo({250, 150}); }, true},
      {"the pointer leaving the program",
       [](Scene& s) {
         QEvent leave(QEvent::Leave);
         QCoreApplication::sendEvent(quorla::WidgetOfWindow(s.owner), &leave);
         s.Pump(0);
         s.MoveTo({250, 150});  // wherever it went, it is no longer on the tool
       },
       true},
      {"a move no one relays",
       [](Scene& s) {
         s.relay = false;
         s.MoveTo({250, 150});
         s.relay = true;
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    ASSERT_TRUE(scene.Add(scene.Info(1, u"tip")));
    scene.MoveTo({40, 30});
    ASSERT_TRUE(scene.PumpUntil(true));
    c.then(scene);
    ASSERT_TRUE(scene.PumpUntil(false)) << "hidden";
    EXPECT_TRUE(scene.Noticed(TTN_POP, 1));
    scene.MoveTo({42, 32});  // on the tool again, or still on the one it was pressed on
    EXPECT_EQ(scene.PumpUntil(true, 400), c.backOnSameToolShows);
    if (!c.backOnSameToolShows) {
      // Leaving the tool and coming back brings the tip again.
      scene.MoveTo({250, 150});
      scene.MoveTo({45, 35});
      EXPECT_TRUE(scene.PumpUntil(true));
    }
  }
}

TEST(TooltipControl, TextCallbackAsksTheToolsWindowEachTimeUnlessToldToKeep) {
  struct Case {
    const char* what;
    bool keep;
    int askedAfterTwoShows;
  } cases[] = {{"asked each time", false, 2}, {"kept with TTF_DI_SETITEM", true, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    scene.answer = [&](NMTTDISPINFOW* info) {
      EXPECT_EQ(info->hdr.idFrom, 1u);
      EXPECT_EQ(info->lpszText, info->szText);
      const char16_t text[] = u"回调的文字";
      std::copy(std::begin(text), std::end(text), info->szText);
      if (c.keep) info->uFlags |= TTF_DI_SETITEM;
    };
    ASSERT_TRUE(scene.Add(scene.Info(1, LPSTR_TEXTCALLBACKW)));
    for (int show = 0; show < 2; ++show) {
      scene.MoveTo({40 + show, 30});
      ASSERT_TRUE(scene.PumpUntil(true));
      scene.MoveTo({250, 150});
      ASSERT_TRUE(scene.PumpUntil(false));
    }
    EXPECT_EQ(scene.asked, c.askedAfterTwoShows);
    WCHAR buffer[80] = {};
    TOOLINFOW info = scene.Info(1, buffer);
    SendMessageW(scene.tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    if (c.keep) {
      EXPECT_EQ(std::u16string(info.lpszText), u"回调的文字");
    } else {
      EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKW);
    }
  }
}

TEST(TooltipControl, WhatShowsNothing) {
  struct Case {
    const char* what;
    LPCWSTR text;
    bool inactive;
  } cases[] = {
      {"a tool without text", u"", false},
      {"a callback that answers nothing", LPSTR_TEXTCALLBACKW, false},
      {"an inactive tooltip", u"tip", true},
      {"a string id the program lacks", reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(4999)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    scene.Add(scene.Info(1, c.text));
    if (c.inactive) SendMessageW(scene.tooltip, TTM_ACTIVATE, FALSE, 0);
    scene.MoveTo({40, 30});
    EXPECT_FALSE(scene.PumpUntil(true, 300));
    if (c.inactive) {
      SendMessageW(scene.tooltip, TTM_ACTIVATE, TRUE, 0);
      scene.MoveTo({45, 30});
      EXPECT_TRUE(scene.PumpUntil(true)) << "active again";
    }
  }
}

TEST(TooltipControl, WholeWindowToolsRelayedOrSubclassed) {
  for (bool subclass : {false, true}) {
    SCOPED_TRACE(subclass ? "subclassed, nothing relayed" : "relayed");
    Scene scene;
    scene.relay = !subclass;
    TOOLINFOW info = scene.Info(reinterpret_cast<UINT_PTR>(scene.child), u"child", TTF_IDISHWND | (subclass ? TTF_SUBCLASS : 0));
    ASSERT_TRUE(scene.Add(info));
    scene.MoveTo({50, 120});
    ASSERT_TRUE(scene.PumpUntil(true));
    EXPECT_EQ(scene.TipRect().top, 140);
    scene.Click({50, 120});
    EXPECT_TRUE(scene.PumpUntil(false));
    if (subclass) {
      const LONG_PTR wrapped = GetWindowLongPtrW(scene.child, GWLP_WNDPROC);
      SendMessageW(scene.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
      EXPECT_NE(GetWindowLongPtrW(scene.child, GWLP_WNDPROC), wrapped) << "the wrapper steps aside";
    }
  }
}

TEST(TooltipControl, MovingToTheNextToolWhileShownReshowsAfterTheShortDelay) {
  Scene scene;
  SendMessageW(scene.tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 1500);
  SendMessageW(scene.tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, 10);
  scene.Add(scene.Info(1, u"one"));
  scene.Add(scene.Info(2, u"two"));
  scene.MoveTo({40, 30});
  ASSERT_TRUE(scene.PumpUntil(true));
  const DWORD start = GetTickCount();
  scene.MoveTo({150, 30});
  EXPECT_TRUE(scene.Noticed(TTN_POP, 1));
  ASSERT_TRUE(scene.PumpUntil(true));
  EXPECT_LT(GetTickCount() - start, 1500u) << "the reshow delay, not the initial one";
  EXPECT_TRUE(scene.Noticed(TTN_SHOW, 2));
  EXPECT_EQ(scene.TipRect().left, 150);
}

TEST(TooltipControl, TheAutomaticPopHidesItUntilThePointerLeaves) {
  Scene scene;
  SendMessageW(scene.tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 80);
  scene.Add(scene.Info(1, u"tip"));
  scene.MoveTo({40, 30});
  ASSERT_TRUE(scene.PumpUntil(true));
  ASSERT_TRUE(scene.PumpUntil(false));
  scene.MoveTo({41, 30});
  EXPECT_FALSE(scene.PumpUntil(true, 300));
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 80);
  SendMessageW(scene.tooltip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, -1);
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
}

TEST(TooltipControl, ToolsAreKeptByWindowAndIdentifier) {
  Scene scene;
  WCHAR buffer[80];
  auto textOf = [&](UINT_PTR id) {
    std::fill(std::begin(buffer), std::end(buffer), u'\0');
    TOOLINFOW info = scene.Info(id, buffer);
    SendMessageW(scene.tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    return std::u16string(buffer);
  };
  EXPECT_TRUE(scene.Add(scene.Info(1, u"one")));
  EXPECT_TRUE(scene.Add(scene.Info(2, u"two")));
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(textOf(2), u"two");
  TOOLINFOW update = scene.Info(2, u"second");
  SendMessageW(scene.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&update));
  EXPECT_EQ(textOf(2), u"second");
  // A string resource by number.
  TOOLINFOW fromTable = scene.Info(2, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(1001)));
  SendMessageW(scene.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&fromTable));
  EXPECT_EQ(textOf(2), u"最小化");
  // A new rectangle moves the tool.
  TOOLINFOW moved = scene.Info(1, nullptr);
  moved.rect = RECT{200, 100, 290, 190};
  SendMessageW(scene.tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&moved));
  TOOLINFOW query = scene.Info(1, buffer);
  ASSERT_TRUE(SendMessageW(scene.tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&query)));
  EXPECT_EQ(query.rect.left, 200);
  EXPECT_EQ(std::u16string(buffer), u"one");
  scene.MoveTo({40, 30});
  EXPECT_FALSE(scene.PumpUntil(true, 250)) << "the old place is no tool now";
  scene.MoveTo({250, 150});
  EXPECT_TRUE(scene.PumpUntil(true));
  // Deleting the shown tool hides it.
  TOOLINFOW gone = scene.Info(1, nullptr);
  SendMessageW(scene.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&gone));
  EXPECT_FALSE(IsWindowVisible(scene.tooltip));
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_FALSE(SendMessageW(scene.tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&query)));
  // Records of a size no version has are refused; older versions are taken.
  TOOLINFOW bad = scene.Info(3, u"bad");
  bad.cbSize = 20;
  EXPECT_FALSE(scene.Add(bad));
  TOOLINFOW old = scene.Info(4, u"old");
  old.cbSize = TTTOOLINFOW_V1_SIZE;
  EXPECT_TRUE(scene.Add(old));
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
}

TEST(TooltipControl, AMaximumWidthWrapsLongText) {
  Scene scene;
  scene.Add(scene.Info(1, u"a rather long tip text that needs more than one line at a narrow width"));
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_SETMAXTIPWIDTH, 0, 120), -1);
  scene.MoveTo({40, 30});
  ASSERT_TRUE(scene.PumpUntil(true));
  RECT wrapped = scene.TipRect();
  EXPECT_LE(wrapped.right - wrapped.left, 120);
  scene.Click({40, 30});
  EXPECT_EQ(SendMessageW(scene.tooltip, TTM_SETMAXTIPWIDTH, 0, -1), 120);
  scene.MoveTo({250, 150});
  scene.MoveTo({40, 30});
  ASSERT_TRUE(scene.PumpUntil(true));
  RECT single = scene.TipRect();
  EXPECT_GT(single.right - single.left, 120);
  EXPECT_LT(single.bottom - single.top, wrapped.bottom - wrapped.top);
}

}  // namespace
