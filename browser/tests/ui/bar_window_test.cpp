#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

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

// The mouse rules of every bar (the picture bars add only their buttons
// and their drawing), step by step.
enum class Act { Move, Drag, Press, Release, MoveFree, PressFree, ReleaseFree, DragAway, ReleaseAway, Leave, Disable, Enable };

struct Step {
  Act act;
  int button;         // 0 to 2 where the act names one
  const char* after;  // the three states after the step, "" unchecked
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::vector<int> clicked;  // button indexes whose commands were posted
};

// A / B / C: buttons 0, 1, 2.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"hover follows the pointer",
       {{Act::Move, 0, "100"}, {Act::Move, 1, "010"}, {Act::Move, 2, "001"}, {Act::MoveFree, 0, "000"}},
       {}},
      {"click", {{Act::Move, 0, "100"}, {Act::Press, 0, "200"}, {Act::Release, 0, "000"}, {Act::Move, 0, "100"}}, {0}},
      {"off and back in before release",
       {{Act::Press, 0, "200"}, {Act::Drag, 1, "000"}, {Act::DragAway, 0, "000"}, {Act::Drag, 0, "200"},
        {Act::Release, 0, "000"}},
       {0}},
      {"released outside the bar", {{Act::Press, 0, "200"}, {Act::DragAway, 0, "000"}, {Act::ReleaseAway, 0, "000"}}, {}},
      {"released over another button",
       {{Act::Press, 0, "200"}, {Act::Drag, 1, "000"}, {Act::Release, 1, "000"}, {Act::Move, 1, "010"}},
       {}},
      {"released on the free stretch",
       {{Act::Press, 2, "002"}, {Act::ReleaseFree, 0, "000"}},
       {}},
      {"a press on no button does nothing", {{Act::PressFree, 0, "000"}, {Act::Release, 0, "000"}}, {}},
      {"a quick second press is a press", {{Act::Press, 1, "020"}, {Act::Release, 1, "000"}, {Act::Press, 1, "020"},
                                          {Act::Release, 1, "000"}},
       {1, 1}},
      {"leaving the bar", {{Act::Move, 2, "001"}, {Act::Leave, 0, "000"}}, {}},
      {"a disabled button never reacts",
       {{Act::Disable, 1, "030"}, {Act::Move, 1, "030"}, {Act::Press, 1, "030"}, {Act::Release, 1, "030"},
        {Act::Leave, 0, "030"}, {Act::Enable, 1, "000"}, {Act::Move, 1, "010"}},
       {}},
      {"disabled while hovered stays disabled",
       {{Act::Move, 1, "010"}, {Act::Disable, 1, "030"}, {Act::Move, 0, "130"}, {Act::Move, 1, "030"},
        {Act::Leave, 0, "030"}, {Act::Press, 0, "230"}, {Act::Drag, 1, "030"}, {Act::Release, 1, "030"}},
       {}},
      {"disabled while pressed: no move changes it and its release posts nothing",
       {{Act::Press, 1, "020"}, {Act::Disable, 1, "030"}, {Act::DragAway, 0, "030"}, {Act::Drag, 1, "030"},
        {Act::Release, 1, "030"}, {Act::Enable, 1, "000"}, {Act::Move, 1, "010"}},
       {}},
  };
  return cases;
}

class BarWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bar.CreateBar(&host, u"PlainBar"));
    bar.MoveWindow(10, 10, 120, 20);
    ui_test::Pump();
  }
  std::string States() {
    std::string s;
    for (const BarButton& button : bar.buttons) s += static_cast<char>('0' + button.state);
    return s;
  }
  void Do(const Step& step) {
    const CPoint at = bar.buttons[step.button].rect.CenterPoint();
    const CPoint free(105, 10), away(170, 70);
    switch (step.act) {
      case Act::Move: return ui_test::MoveTo(bar, at.x, at.y);
      case Act::Drag: return ui_test::MoveTo(bar, at.x, at.y, true);
      case Act::Press: return ui_test::PressAt(bar, at.x, at.y);
      case Act::Release: return ui_test::ReleaseAt(bar, at.x, at.y);
      case Act::MoveFree: return ui_test::MoveTo(bar, free.x, free.y);
      case Act::PressFree: return ui_test::PressAt(bar, free.x, free.y);
      case Act::ReleaseFree: return ui_test::ReleaseAt(bar, free.x, free.y);
      case Act::DragAway: return ui_test::MoveTo(bar, away.x, away.y, true);
      case Act::ReleaseAway: return ui_test::ReleaseAt(bar, away.x, away.y);
      case Act::Leave: return ui_test::LeaveHost(bar);
      case Act::Disable: bar.buttons[step.button].state = kBarStateDisabled; return ui_test::Pump();
      case Act::Enable: bar.buttons[step.button].state = kBarStateNormal; return ui_test::Pump();
    }
  }

  CHostWnd host;
  CPlainBar bar;
};

TEST_F(BarWindow, MouseRules) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    ui_test::ReleaseAt(bar, 170, 70);
    ui_test::MoveTo(bar, 170, 70);
    ui_test::LeaveHost(bar);
    for (BarButton& button : bar.buttons) button.state = kBarStateNormal;
    host.posted.clear();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(c.steps[i]);
      EXPECT_EQ(States(), c.steps[i].after) << "after step " << i;
    }
    std::vector<int> expected;
    for (int index : c.clicked) expected.push_back(bar.buttons[index].id);
    EXPECT_EQ(host.Commands(), expected);
    for (const ui_test::Posted& p : host.posted)
      if (p.message == WM_COMMAND) {
        EXPECT_EQ(p.lParam, 0);
      }
    EXPECT_EQ(CWnd::GetCapture(), nullptr) << "no capture is left behind";
  }
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
