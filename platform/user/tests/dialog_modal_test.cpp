// Modal dialogs: the loop, its end, showing, the owner, keys, results and
// the quit request.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "dialog_template_writer.h"
#include "window_test_support.h"
#include "win/dialogs.h"
#include "win/input.h"
#include "win/timers.h"
#include "win/window_classes.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"

namespace {

using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

// The dialog procedure of these tests: records every message and lets the
// test answer chosen ones.
struct DialogScript {
  std::vector<UINT> seen;
  std::map<UINT, std::function<INT_PTR(HWND, WPARAM, LPARAM)>> handlers;
};
DialogScript* g_script = nullptr;

INT_PTR ScriptedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogScript* script = g_script;
  if (!script) return FALSE;
  script->seen.push_back(message);
  auto found = script->handlers.find(message);
  return found == script->handlers.end() ? FALSE : found->second(hwnd, wParam, lParam);
}

std::vector<DWORD> NoticeTemplate(DWORD style = WS_POPUP) {
  TemplateSpec spec;
  spec.style = style;
  spec.exStyle = WS_EX_TOOLWINDOW;
  spec.cx = 187;
  spec.cy = 98;
  spec.withFont = true;
  return TemplateWriter().Write(spec);
}

INT_PTR RunDialog(DialogScript& script, HWND owner = nullptr, LPARAM initParam = 0,
                  DWORD style = WS_POPUP) {
  g_script = &script;
  auto storage = NoticeTemplate(style);
  INT_PTR result =
      DialogBoxIndirectParamW(nullptr, quorla_test::AsTemplate(storage), owner, ScriptedProcedure, initParam);
  g_script = nullptr;
  return result;
}

size_t PositionOf(const std::vector<UINT>& seen, UINT message) {
  return static_cast<size_t>(std::find(seen.begin(), seen.end(), message) - seen.begin());
}

HWND MakeOwner() { return quorla_test::MakeTopLevel(WS_POPUP, 100, 100, 200, 100); }

constexpr UINT kLater = WM_APP + 1;

TEST(DialogModalTest, ShownWhenItsLoopFirstFindsTheQueueEmpty) {
  for (DWORD style : {static_cast<DWORD>(WS_POPUP), WS_POPUP | WS_VISIBLE}) {
    SCOPED_TRACE(style);
    DialogScript script;
    bool visibleAtInit = true, visibleAtLater = true;
    script.handlers[WM_INITDIALOG] = [&](HWND hwnd, WPARAM, LPARAM initParam) {
      visibleAtInit = IsWindowVisible(hwnd) != FALSE;
      EXPECT_EQ(initParam, 0x1234);
      PostMessageW(hwnd, kLater, 0, 0);
      return TRUE;
    };
    script.handlers[kLater] = [&](HWND hwnd, WPARAM, LPARAM) {
      visibleAtLater = IsWindowVisible(hwnd) != FALSE;
      return TRUE;
    };
    script.handlers[WM_SHOWWINDOW] = [&](HWND hwnd, WPARAM shown, LPARAM) {
      if (shown) EndDialog(hwnd, 5);
      return FALSE;
    };
    EXPECT_EQ(RunDialog(script, nullptr, 0x1234, style), 5);
    EXPECT_FALSE(visibleAtInit);
    EXPECT_FALSE(visibleAtLater);
    const auto& seen = script.seen;
    EXPECT_LT(PositionOf(seen, WM_SETFONT), PositionOf(seen, WM_INITDIALOG));
    EXPECT_LT(PositionOf(seen, WM_INITDIALOG), PositionOf(seen, kLater));
    EXPECT_LT(PositionOf(seen, kLater), PositionOf(seen, WM_SHOWWINDOW));
    EXPECT_LT(PositionOf(seen, WM_SHOWWINDOW), seen.size());
  }
}

TEST(DialogModalTest, EachWayOfEndingGivesItsResult) {
  // A command ends the dialog with 100 + its identifier.
  struct Case {
    const char* name;
    std::function<void(HWND)> atInit;
    INT_PTR result;
    std::vector<WPARAM> commands;
    bool neverShown = false;
  } cases[] = {
      {"EndDialog during WM_INITDIALOG", [](HWND h) { EndDialog(h, 42); }, 42, {}, true},
      {"Escape becomes Cancel", [](HWND h) { PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0); }, 100 + IDCANCEL, {IDCANCEL}},
      {"Enter becomes OK", [](HWND h) { PostMessageW(h, WM_KEYDOWN, VK_RETURN, 0); }, 100 + IDOK, {IDOK}},
      {"close becomes Cancel", [](HWND h) { PostMessageW(h, WM_CLOSE, 0, 0); }, 100 + IDCANCEL, {IDCANCEL}},
      {"destroyed without EndDialog", [](HWND h) { PostMessageW(h, kLater, 0, 0); }, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogScript script;
    std::vector<WPARAM> commands;
    script.handlers[WM_INITDIALOG] = [&](HWND hwnd, WPARAM, LPARAM) {
      c.atInit(hwnd);
      return TRUE;
    };
    script.handlers[WM_COMMAND] = [&](HWND hwnd, WPARAM wParam, LPARAM) {
      commands.push_back(wParam);
      EndDialog(hwnd, 100 + LOWORD(wParam));
      return TRUE;
    };
    script.handlers[kLater] = [](HWND hwnd, WPARAM, LPARAM) { return DestroyWindow(hwnd); };
    EXPECT_EQ(RunDialog(script), c.result);
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(PositionOf(script.seen, WM_KEYDOWN), script.seen.size()) << "the key itself is taken";
    EXPECT_EQ(script.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    if (c.neverShown) {
      EXPECT_EQ(PositionOf(script.seen, WM_SHOWWINDOW), script.seen.size());
    }
  }
}

TEST(DialogModalTest, ATimerTicksInsideTheDialog) {
  DialogScript script;
  int ticks = 0;
  script.handlers[WM_INITDIALOG] = [](HWND hwnd, WPARAM, LPARAM) {
    SetTimer(hwnd, 7, 10, nullptr);
    return TRUE;
  };
  script.handlers[WM_TIMER] = [&](HWND hwnd, WPARAM id, LPARAM) {
    EXPECT_EQ(id, 7u);
    if (++ticks == 3) EndDialog(hwnd, 3);
    return TRUE;
  };
  EXPECT_EQ(RunDialog(script), 3);
  EXPECT_EQ(ticks, 3);
}

TEST(DialogModalTest, EndDialogInACommandSentFromCaptureChanged) {
  DialogScript script;
  HWND dialogSeen = nullptr;
  script.handlers[WM_SHOWWINDOW] = [&](HWND hwnd, WPARAM shown, LPARAM) {
    dialogSeen = hwnd;
    if (shown) PostMessageW(hwnd, kLater, 0, 0);
    return FALSE;
  };
  // Press and release of a button drawn by the dialog itself: the release
  // gives up the capture, and the click is reported from WM_CAPTURECHANGED.
  script.handlers[kLater] = [](HWND hwnd, WPARAM, LPARAM) {
    SetCapture(hwnd);
    ReleaseCapture();
    return TRUE;
  };
  script.handlers[WM_CAPTURECHANGED] = [](HWND hwnd, WPARAM, LPARAM) {
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(1001, 0x1001), 0);
    return TRUE;
  };
  constexpr UINT kAfter = WM_APP + 9;
  bool ended = false;
  script.handlers[WM_COMMAND] = [&](HWND hwnd, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == 1001) {
      EndDialog(hwnd, 1);
      // The loop ends after this message: what comes later is never seen.
      PostMessageW(hwnd, kAfter, 0, 0);
      ended = true;
    }
    return TRUE;
  };
  EXPECT_EQ(RunDialog(script), 1);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(IsWindow(dialogSeen));
  EXPECT_EQ(PositionOf(script.seen, kAfter), script.seen.size());
  EXPECT_LT(PositionOf(script.seen, WM_CAPTURECHANGED), PositionOf(script.seen, WM_COMMAND));
}

TEST(DialogModalTest, TheOwnerGetsNoInputWhileTheDialogRuns) {
  HWND owner = MakeOwner();
  ASSERT_NE(owner, nullptr);
  ASSERT_TRUE(IsWindowEnabled(owner));
  DialogScript script;
  bool enabledInside = true, enabledAtDestroy = false;
  HWND parentInside = nullptr;
  script.handlers[WM_INITDIALOG] = [&](HWND hwnd, WPARAM, LPARAM) {
    parentInside = GetParent(hwnd);
    PostMessageW(hwnd, kLater, 0, 0);
    return TRUE;
  };
  script.handlers[kLater] = [&](HWND hwnd, WPARAM, LPARAM) {
    enabledInside = IsWindowEnabled(owner) != FALSE;
    EndDialog(hwnd, 8);
    return TRUE;
  };
  script.handlers[WM_DESTROY] = [&](HWND, WPARAM, LPARAM) {
    enabledAtDestroy = IsWindowEnabled(owner) != FALSE;
    return FALSE;
  };
  EXPECT_EQ(RunDialog(script, owner), 8);
  EXPECT_EQ(parentInside, owner);
  EXPECT_FALSE(enabledInside);
  EXPECT_TRUE(enabledAtDestroy);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST(DialogModalTest, ResultsOfTheDialogProcedure) {
  DialogScript script;
  constexpr UINT kAsk = WM_APP + 2, kIgnored = WM_APP + 3;
  std::vector<LRESULT> answers;
  script.handlers[kAsk] = [](HWND hwnd, WPARAM, LPARAM) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 1234);
    return TRUE;
  };
  script.handlers[kIgnored] = [](HWND hwnd, WPARAM, LPARAM) {
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 99);
    return FALSE;  // not handled: the default's answer counts
  };
  script.handlers[WM_INITDIALOG] = [&](HWND hwnd, WPARAM, LPARAM) {
    answers.push_back(SendMessageW(hwnd, kAsk, 0, 0));
    answers.push_back(SendMessageW(hwnd, kIgnored, 0, 0));
    SetWindowLongPtrW(hwnd, DWLP_USER, 0x77);
    answers.push_back(GetWindowLongPtrW(hwnd, DWLP_USER));
    answers.push_back(GetWindowLongPtrW(hwnd, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(ScriptedProcedure));
    EndDialog(hwnd, 0);
    return TRUE;
  };
  EXPECT_EQ(RunDialog(script), 0);
  EXPECT_EQ(answers, (std::vector<LRESULT>{1234, 0, 0x77, 1}));
}

TEST(DialogModalTest, QuitEndsEveryLoopAndReachesTheOuterOne) {
  // A dialog inside a dialog; the inner one meets the quit request.
  DialogScript inner;
  inner.handlers[WM_INITDIALOG] = [](HWND, WPARAM, LPARAM) {
    PostQuitMessage(9);
    return TRUE;
  };
  DialogScript outer;
  INT_PTR innerResult = -5;
  outer.handlers[WM_INITDIALOG] = [&](HWND hwnd, WPARAM, LPARAM) {
    PostMessageW(hwnd, kLater, 0, 0);
    return TRUE;
  };
  outer.handlers[kLater] = [&](HWND, WPARAM, LPARAM) {
    innerResult = RunDialog(inner);
    g_script = &outer;
    return TRUE;
  };
  EXPECT_EQ(RunDialog(outer), 0);
  EXPECT_EQ(innerResult, 0);
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 9u);
}

TEST(DialogModalTest, EndDialogOfAWindowThatIsNoDialog) {
  HWND owner = MakeOwner();
  EXPECT_FALSE(EndDialog(owner, 1));
  EXPECT_FALSE(EndDialog(nullptr, 1));
  DestroyWindow(owner);
}

}  // namespace
