#include <gtest/gtest.h>

#include <array>

#include "bar_state_table.h"
#include "bar_window.h"
#include "ui_test_support.h"

namespace {

using ui_test::CHostWnd;

// A bar of three plain 30 x 20 buttons, 120 wide: the shared window and
// mouse rules without any picture.
class CPlainBar : public CBarWnd {
 public:
  CPlainBar() {
    for (int i = 0; i < 3; ++i) {
      buttons[i].id = 101 + i;
      buttons[i].rect = CRect(30 * i, 0, 30 * i + 30, 20);
    }
  }
  ~CPlainBar() override {
    if (m_hWnd) DestroyWindow();
  }
  std::array<BarButton, 3> buttons;
  int paints = 0;

 protected:
  BarMouse::Buttons HitButtons() override { return {&buttons[0], &buttons[1], &buttons[2]}; }
  void DrawBar(CDC& dc, const CRect& client) override {
    ++paints;
    dc.FillSolidRect(client, RGB(255, 255, 255));
  }
};

class PlainBarDriver : public ui_test::BarDriver {
 public:
  explicit PlainBarDriver(CPlainBar& bar) : bar_(bar) {}
  CWnd& Bar() override { return bar_; }
  CRect ButtonRect(int index) override { return bar_.buttons[index].rect; }
  int State(int index) override { return bar_.buttons[index].state; }
  int CommandOf(int index) override { return bar_.buttons[index].id; }
  void Enable(int index, bool enable) override {
    bar_.buttons[index].state = enable ? kBarStateNormal : kBarStateDisabled;
  }
  CPoint FreePoint() override { return CPoint(105, 10); }

 private:
  CPlainBar& bar_;
};

class BarWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar.CreateBar(&host, u"PlainBar"));
    bar.MoveWindow(10, 10, 120, 20);
    ui_test::Pump();
  }
  CHostWnd host;
  CPlainBar bar;
};

TEST_F(BarWindow, MouseRules) {
  PlainBarDriver driver(bar);
  ui_test::RunBarStateTable(driver, host);
}

TEST_F(BarWindow, AChildWindowWithoutIdentifier) {
  const DWORD style = bar.GetStyle();
  for (DWORD bit : {WS_CHILD, WS_VISIBLE, WS_CLIPSIBLINGS, WS_CLIPCHILDREN}) EXPECT_TRUE(style & bit) << bit;
  EXPECT_EQ(bar.GetDlgCtrlID(), 0);
}

TEST_F(BarWindow, RepaintsOnAChangeOnly) {
  ui_test::MoveTo(bar, 15, 10);
  const int afterHover = bar.paints;
  ui_test::MoveTo(bar, 16, 11);
  ui_test::MoveTo(bar, 17, 10);
  EXPECT_EQ(bar.paints, afterHover) << "moves within one button change nothing";
  ui_test::MoveTo(bar, 45, 10);
  EXPECT_GT(bar.paints, afterHover);
}

TEST_F(BarWindow, CaptureTakenAwayEndsThePressWithoutAClick) {
  ui_test::PressAt(bar, 15, 10);
  ASSERT_EQ(bar.buttons[0].state, kBarStatePressed);
  host.SetCapture();  // a menu or a pop-up takes the mouse
  ui_test::Pump();
  EXPECT_EQ(bar.buttons[0].state, kBarStateNormal);
  ReleaseCapture();
  ui_test::ReleaseAt(bar, 15, 10);
  EXPECT_TRUE(host.Commands().empty());
}

}  // namespace
