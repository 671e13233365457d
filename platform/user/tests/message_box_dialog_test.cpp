// The message box on the thread that runs the windows: the layer's own modal
// dialog, answered here the ways a person answers it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/input.h"
#include "win/message_box.h"
#include "win/timers.h"
#include "win/window_objects.h"
#include "win/window_state.h"
#include "win/window_styles.h"
#include "window_test_support.h"

namespace {

constexpr const char16_t* kCaption = u"询问";

// What the answering timer found and did with the box.
struct Answer {
  std::function<void(HWND box)> act;
  bool found = false;
  bool ownerEnabled = true;
  bool hasCancel = false;
  std::u16string okText;
  RECT box{};
};
Answer* g_answer = nullptr;
HWND g_owner = nullptr;

void LookForBox(HWND, UINT, UINT_PTR id, DWORD) {
  Answer* answer = g_answer;
  HWND box = FindWindowW(u"#32770", kCaption);
  if (!answer || !box || !IsWindowVisible(box) || answer->found) return;
  KillTimer(nullptr, id);
  answer->found = true;
  answer->ownerEnabled = g_owner && IsWindowEnabled(g_owner);
  answer->hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
  WCHAR text[64] = {};
  GetWindowTextW(GetDlgItem(box, IDOK), text, 64);
  answer->okText = text;
  GetWindowRect(box, &answer->box);
  answer->act(box);
}

TEST(MessageBoxDialog, EachWayOfAnsweringGivesItsButton) {
  quorla_test::RegisterTestClasses();
  int ticks = 0;
  g_owner = quorla_test::MakeTopLevel(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400);
  ASSERT_NE(g_owner, nullptr);
  quorla_test::WindowLog log;
  log.handlers[WM_TIMER] = [&](HWND hwnd, UINT, WPARAM wParam, LPARAM) -> LRESULT {
    if (hwnd == g_owner && wParam == 9) ++ticks;
    return 0;
  };
  SetTimer(g_owner, 9, 20, nullptr);

  const auto press = [](int id) { return [id](HWND box) { PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0); }; };
  const auto key = [](WPARAM vk) {
    return [vk](HWND box) { PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, vk, 0); };
  };
  const auto close = [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); };
  struct Case {
    const char* name;
    UINT type;
    std::function<void(HWND)> act;
    int result;
  };
  const Case cases[] = {
      {"OK pressed", MB_OK, press(IDOK), IDOK},
      {"Enter", MB_OK, key(VK_RETURN), IDOK},
      {"Esc without Cancel", MB_OK, key(VK_ESCAPE), IDOK},
      {"closed without Cancel", MB_OK, close, IDOK},
      {"OK of two", MB_OKCANCEL, press(IDOK), IDOK},
      {"Cancel pressed", MB_OKCANCEL, press(IDCANCEL), IDCANCEL},
      {"Esc", MB_OKCANCEL, key(VK_ESCAPE), IDCANCEL},
      {"closed", MB_OKCANCEL, close, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Answer answer;
    answer.act = c.act;
    g_answer = &answer;
    const int before = ticks;
    SetTimer(nullptr, 0, 30, LookForBox);
    const int result = MessageBoxW(g_owner, u"第一行\n第二行，较长的一行文字", kCaption, c.type | MB_ICONWARNING);
    g_answer = nullptr;
    EXPECT_EQ(result, c.result);
    ASSERT_TRUE(answer.found);
    EXPECT_FALSE(answer.ownerEnabled) << "the owner took input under its box";
    EXPECT_EQ(answer.hasCancel, c.type == MB_OKCANCEL);
    EXPECT_EQ(answer.okText, u"确定");
    EXPECT_GT(ticks, before) << "timers stopped while the box was up";
    // Centred on its owner.
    EXPECT_NEAR((answer.box.left + answer.box.right) / 2, 400, 2);
    EXPECT_NEAR((answer.box.top + answer.box.bottom) / 2, 300, 2);
    EXPECT_TRUE(IsWindowEnabled(g_owner));
    EXPECT_EQ(FindWindowW(u"#32770", kCaption), nullptr);
  }
  KillTimer(g_owner, 9);
  DestroyWindow(g_owner);
  g_owner = nullptr;
}

}  // namespace
