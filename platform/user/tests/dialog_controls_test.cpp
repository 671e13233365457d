// The standard buttons of a settings dialog made from its template: radio
// buttons that check one of their group, push buttons with a disabled look,
// and the dialog's keys (Tab, arrows, Enter) between its items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "dialog_template_writer.h"
#include "window_access.h"
#include "window_test_support.h"
#include "win/buttons.h"
#include "win/dialogs.h"
#include "win/edit.h"

namespace {

using quorla_test::TemplateItem;
using quorla_test::TemplateName;
using quorla_test::TemplateSpec;
using quorla_test::TemplateWriter;

constexpr int kMode0 = 1002, kMode1 = 1003, kMode2 = 1004, kInterval = 1005, kOk = 1006, kCancel = 1007,
              kApply = 1008;

std::vector<int> g_commands;  // BN_CLICKED and key commands the dialog heard

INT_PTR Recorder(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) g_commands.push_back(LOWORD(wParam));
  return message == WM_COMMAND;
}

// The settings dialog's items, as its template lists them.
std::vector<DWORD> SettingsTemplate(bool extended, DWORD okKind) {
  TemplateSpec spec;
  spec.extended = extended;
  spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_FIXEDSYS;
  spec.withFont = true;
  spec.cx = 228;
  spec.cy = 143;
  spec.title = u"Quorla购物浏览器设置";
  auto item = [](WORD cls, std::u16string text, DWORD id, short x, short y, short cx, short cy, DWORD style) {
    TemplateItem made;
    made.windowClass = TemplateName::Ordinal(cls);
    made.title = TemplateName::Text(std::move(text));
    made.id = id;
    made.x = x;
    made.y = y;
    made.cx = cx;
    made.cy = cy;
    made.style = WS_CHILD | WS_VISIBLE | style;
    return made;
  };
  spec.items = {
      item(0x80, u"设置开机以最小化方式自动启动", kMode0, 9, 19, 128, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
      item(0x80, u"设置开机自动启动", kMode1, 9, 45, 78, 10, BS_AUTORADIOBUTTON),
      item(0x80, u"禁止开机启动", kMode2, 9, 62, 64, 10, BS_AUTORADIOBUTTON),
      item(0x81, u"", kInterval, 9, 94, 34, 12, WS_BORDER | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP),
      item(0x80, u"确定", kOk, 56, 125, 50, 14, okKind | WS_GROUP | WS_TABSTOP),
      item(0x80, u"取消", kCancel, 114, 125, 50, 14, BS_PUSHBUTTON | WS_TABSTOP),
      item(0x80, u"应用", kApply, 171, 125, 50, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED),
  };
  return TemplateWriter().Write(spec);
}

class DialogControlsTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    g_commands.clear();
    storage_ = SettingsTemplate(GetParam(), BS_PUSHBUTTON);
    dialog_ = CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage_), nullptr, Recorder, 0);
    ASSERT_NE(dialog_, nullptr);
    ShowWindow(dialog_, SW_SHOWNORMAL);
    quorla_test::DrainMessages();
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    quorla_test::DrainMessages();
  }

  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  std::vector<int> Checked() const {
    std::vector<int> checked;
    for (int id : {kMode0, kMode1, kMode2})
      if (IsDlgButtonChecked(dialog_, id) == BST_CHECKED) checked.push_back(id);
    return checked;
  }
  // The shift key going down or up as the desktop reports it, its message
  // taken from the queue, so the thread's key state has it.
  void Shift(bool down) {
    QWidget* widget = quorla::WidgetOfWindow(dialog_);
    ASSERT_NE(widget, nullptr);
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Shift,
                    down ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
    MSG taken;
    while (PeekMessageW(&taken, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    ASSERT_EQ((GetKeyState(VK_SHIFT) & 0x8000) != 0, down);
  }
  // A key pressed while the focus is on item id, with shift held or not.
  void Key(int id, int key, bool shift = false) {
    if (shift) Shift(true);
    SetFocus(Item(id));
    MSG msg{Item(id), WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(dialog_, &msg));
    if (shift) Shift(false);
  }

  std::vector<DWORD> storage_;
  HWND dialog_ = nullptr;
};

TEST_P(DialogControlsTest, AnAutomaticRadioButtonChecksItselfAloneInItsGroupAndTellsTheDialog) {
  EXPECT_TRUE(Checked().empty());
  struct Step {
    const char* name;
    int clicked;      // BM_CLICK on this item; 0: CheckRadioButton(first, last, check)
    int check;
    std::vector<int> checked;
    std::vector<int> heard;
  } steps[] = {
      {"a click on mode 1", kMode1, 0, {kMode1}, {kMode1}},
      {"a click on mode 0", kMode0, 0, {kMode0}, {kMode0}},
      {"a click on the checked one", kMode0, 0, {kMode0}, {kMode0}},
      {"CheckRadioButton tells nobody", 0, kMode2, {kMode2}, {}},
      {"a click on mode 1 again", kMode1, 0, {kMode1}, {kMode1}},
  };
  for (const Step& step : steps) {
    g_commands.clear();
    if (step.clicked) SendMessageW(Item(step.clicked), BM_CLICK, 0, 0);
    else EXPECT_TRUE(CheckRadioButton(dialog_, kMode0, kMode2, step.check));
    EXPECT_EQ(Checked(), step.checked) << step.name;
    EXPECT_EQ(g_commands, step.heard) << step.name;
  }
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kInterval), 0u) << "an edit is never checked";
  EXPECT_EQ(IsDlgButtonChecked(dialog_, 4242), 0u) << "no such item";
  EXPECT_FALSE(CheckRadioButton(dialog_, kMode2, kMode0, kMode1));
  EXPECT_EQ(SendMessageW(Item(kMode1), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  EXPECT_EQ(SendMessageW(Item(kOk), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_P(DialogControlsTest, ItemsLieWhereTheShellFontsUnitsPutThem) {
  // 6 × 13 pixels per 4 × 8 dialog units, halves away from zero; the last
  // pixel of each item is its right and bottom edge less one.
  struct Case {
    int id;
    quorla_test::Edges pixels;  // left, top, last column, last row
  } cases[] = {
      {kMode0, {14, 31, 205, 46}},   // ends before the painted "（" at 210
      {kInterval, {14, 153, 64, 172}},  // beside the text at 156..168
      {kOk, {84, 203, 158, 225}},
      {kApply, {257, 203, 331, 225}},
  };
  for (const Case& c : cases) {
    RECT window{};
    GetWindowRect(Item(c.id), &window);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&window), 2);
    EXPECT_EQ((quorla_test::Edges{window.left, window.top, window.right - 1, window.bottom - 1}), c.pixels) << c.id;
  }
}

TEST_P(DialogControlsTest, ADisabledButtonTakesNoClickUntilEnabled) {
  HWND apply = Item(kApply);
  EXPECT_FALSE(IsWindowEnabled(apply));
  SendMessageW(apply, BM_CLICK, 0, 0);
  EXPECT_TRUE(g_commands.empty());
  EnableWindow(apply, TRUE);
  SendMessageW(apply, BM_CLICK, 0, 0);
  EXPECT_EQ(g_commands, std::vector<int>{kApply});
}

TEST_P(DialogControlsTest, TabAndArrowsMoveTheFocusBetweenItemsAndGroups) {
  struct Case {
    const char* name;
    int from;
    int key;
    bool shift;
    int to;                     // the focus afterwards
    std::vector<int> checked;   // radio buttons checked afterwards
  } cases[] = {
      {"tab from the first radio to the edit", kMode0, VK_TAB, false, kInterval, {}},
      {"tab from the edit to OK", kInterval, VK_TAB, false, kOk, {}},
      {"tab past the disabled Apply back to the first", kCancel, VK_TAB, false, kMode0, {}},
      {"shift-tab from the first to Cancel", kMode0, VK_TAB, true, kCancel, {}},
      {"down within the radio group checks", kMode0, VK_DOWN, false, kMode1, {kMode1}},
      {"right to the last radio", kMode1, VK_RIGHT, false, kMode2, {kMode2}},
      {"down from the last wraps to the first", kMode2, VK_DOWN, false, kMode0, {kMode0}},
      {"up from the first wraps to the last", kMode0, VK_UP, false, kMode2, {kMode2}},
      {"right among the buttons skips the disabled one", kCancel, VK_RIGHT, false, kOk, {kMode2}},
      {"the edit keeps its arrows", kInterval, VK_LEFT, false, kInterval, {kMode2}},
  };
  for (const Case& c : cases) {
    Key(c.from, c.key, c.shift);
    EXPECT_EQ(GetFocus(), Item(c.to)) << c.name << ": " << GetDlgCtrlID(GetFocus());
    EXPECT_EQ(Checked(), c.checked) << c.name;
  }
}

TEST_P(DialogControlsTest, EnterCommandsTheFocusedPushButtonElseOk) {
  struct Case {
    int focus;
    int command;
  } cases[] = {{kCancel, kCancel}, {kOk, kOk}, {kInterval, IDOK}, {kMode1, IDOK}};
  for (const Case& c : cases) {
    g_commands.clear();
    Key(c.focus, VK_RETURN);
    EXPECT_EQ(g_commands, std::vector<int>{c.command}) << c.focus;
  }
  g_commands.clear();
  Key(kInterval, VK_ESCAPE);
  EXPECT_EQ(g_commands, std::vector<int>{IDCANCEL});
}

TEST_P(DialogControlsTest, RadioButtonsDrawTheirMarkAndDisabledButtonsLookGrey) {
  // The mark's centre: 13 pixels round, at the left of the button, centred.
  RECT area{};
  GetClientRect(Item(kMode1), &area);
  const int cx = 6, cy = area.bottom / 2;
  CheckRadioButton(dialog_, kMode0, kMode2, kMode1);
  UpdateWindow(dialog_);
  const COLORREF checked = quorla_test::PixelOf(Item(kMode1), cx, cy);
  const COLORREF unchecked = quorla_test::PixelOf(Item(kMode0), cx, cy);
  EXPECT_EQ(unchecked, RGB(255, 255, 255));
  EXPECT_LT(GetRValue(checked), 128) << "a dark dot";
  // A push button's face, away from its text, enabled and disabled.
  InvalidateRect(dialog_, nullptr, TRUE);
  UpdateWindow(Item(kCancel));
  UpdateWindow(Item(kApply));
  EXPECT_NE(quorla_test::PixelOf(Item(kCancel), 4, 4), quorla_test::PixelOf(Item(kApply), 4, 4));
}

INSTANTIATE_TEST_SUITE_P(BothTemplateKinds, DialogControlsTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Extended") : std::string("Plain");
                         });

TEST(DialogDefaultButton, EnterOutsideAPushButtonCommandsTheDefaultOne) {
  g_commands.clear();
  auto storage = SettingsTemplate(false, BS_DEFPUSHBUTTON);
  HWND dialog = CreateDialogIndirectParamW(nullptr, quorla_test::AsTemplate(storage), nullptr, Recorder, 0);
  ASSERT_NE(dialog, nullptr);
  HWND edit = GetDlgItem(dialog, kInterval);
  SetFocus(edit);
  MSG msg{edit, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  IsDialogMessageW(dialog, &msg);
  EXPECT_EQ(g_commands, std::vector<int>{kOk});
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kOk), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  DestroyWindow(dialog);
}

}  // namespace
