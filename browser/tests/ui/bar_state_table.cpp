#include "bar_state_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui_test_support.h"

namespace ui_test {
namespace {

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

std::string States(BarDriver& bar) {
  std::string s;
  for (int i = 0; i < 3; ++i) s += static_cast<char>('0' + bar.State(i));
  return s;
}

void Do(BarDriver& bar, const Step& step) {
  CWnd& window = bar.Bar();
  const CPoint at = bar.ButtonRect(step.button).CenterPoint();
  const CPoint free = bar.FreePoint();
  CRect client;
  window.GetClientRect(&client);
  const CPoint away(client.right + 50, client.bottom + 50);
  switch (step.act) {
    case Act::Move: return MoveTo(window, at.x, at.y);
    case Act::Drag: return MoveTo(window, at.x, at.y, true);
    case Act::Press: return PressAt(window, at.x, at.y);
    case Act::Release: return ReleaseAt(window, at.x, at.y);
    case Act::MoveFree: return MoveTo(window, free.x, free.y);
    case Act::PressFree: return PressAt(window, free.x, free.y);
    case Act::ReleaseFree: return ReleaseAt(window, free.x, free.y);
    case Act::DragAway: return MoveTo(window, away.x, away.y, true);
    case Act::ReleaseAway: return ReleaseAt(window, away.x, away.y);
    case Act::Leave: return LeaveHost(window);
    case Act::Disable: bar.Enable(step.button, false); return Pump();
    case Act::Enable: bar.Enable(step.button, true); return Pump();
  }
}

}  // namespace

void RunBarStateTable(BarDriver& bar, CHostWnd& host) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    CRect client;
    bar.Bar().GetClientRect(&client);
    ReleaseAt(bar.Bar(), client.right + 50, client.bottom + 50);
    MoveTo(bar.Bar(), client.right + 50, client.bottom + 50);
    LeaveHost(bar.Bar());
    for (int i = 0; i < 3; ++i) bar.Enable(i, true);
    ASSERT_EQ(States(bar), "000");
    host.posted.clear();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(bar, c.steps[i]);
      if (*c.steps[i].after) {
        EXPECT_EQ(States(bar), c.steps[i].after) << "after step " << i;
      }
    }
    std::vector<int> expected;
    for (int index : c.clicked) expected.push_back(bar.CommandOf(index));
    EXPECT_EQ(host.Commands(), expected);
    for (const Posted& p : host.posted)
      if (p.message == WM_COMMAND) {
        EXPECT_EQ(p.lParam, 0);
      }
    EXPECT_EQ(CWnd::GetCapture(), nullptr) << "no capture is left behind";
  }
}

}  // namespace ui_test
