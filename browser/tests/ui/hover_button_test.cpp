#include <gtest/gtest.h>

#include <vector>

#include "fixture_ids.h"
#include "get_bitmaps.h"
#include "hover_button.h"
#include "pixel_reader.h"
#include "ui_test_support.h"
#include "win/buttons.h"

namespace {

using namespace ui_test;

constexpr UINT kId = 1030;

enum class Act { MoveIn, MoveOut, DragIn, DragOut, PressIn, ReleaseIn, ReleaseOut, Leave, Disable };
constexpr int kAny = -1;

struct Step {
  Act act;
  int stateAfter;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  int clicks;
};

// The button at (20, 20) of the host with the strip fixture's faces, 5 x 4,
// each piece of its own colours.
class HoverButton : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 30, 30), &host, kId));
    ASSERT_EQ(CGetBitmaps::LoadStrip(&button, kStripBitmap), TRUE);
    button.SizeToContent();
    Pump();
  }

  void Do(Act act) {
    switch (act) {
      case Act::MoveIn: return MoveTo(button, 2, 2);
      case Act::MoveOut: return MoveTo(button, 40, 2);
      case Act::DragIn: return MoveTo(button, 2, 2, true);
      case Act::DragOut: return MoveTo(button, 40, 2, true);
      case Act::PressIn: return PressAt(button, 2, 2);
      case Act::ReleaseIn: return ReleaseAt(button, 2, 2);
      case Act::ReleaseOut: return ReleaseAt(button, 40, 2);
      case Act::Leave: return LeaveHost(button);
      case Act::Disable: button.SetHoverState(CHoverButton::kDisabled); return Pump();
    }
  }

  int Clicks() const {
    int n = 0;
    for (const Posted& p : host.posted)
      n += p.message == WM_COMMAND && LOWORD(p.wParam) == kId && HIWORD(p.wParam) == BN_CLICKED;
    return n;
  }

  CHostWnd host;
  CHoverButton button;
};

TEST_F(HoverButton, StatesClicksAndFaces) {
  const std::vector<Case> cases = {
      {"hover", {{Act::MoveIn, 1}, {Act::MoveOut, 0}}, 0},
      {"click", {{Act::MoveIn, 1}, {Act::PressIn, 2}, {Act::ReleaseIn, 1}}, 1},
      {"off and back in", {{Act::PressIn, 2}, {Act::DragOut, 0}, {Act::DragIn, 2}, {Act::ReleaseIn, 1}}, 1},
      {"released outside", {{Act::PressIn, 2}, {Act::DragOut, 0}, {Act::ReleaseOut, 0}}, 0},
      {"leave", {{Act::MoveIn, 1}, {Act::Leave, 0}}, 0},
      {"a fast second click is a press and a click",
       {{Act::PressIn, 2}, {Act::ReleaseIn, 1}, {Act::PressIn, 2}, {Act::ReleaseIn, 1}},
       2},
      {"the mouse leaves a disabled button alone, but a press still presses",
       {{Act::Disable, 3}, {Act::MoveIn, 3}, {Act::MoveOut, 3}, {Act::Leave, 3}, {Act::ReleaseIn, 3},
        {Act::PressIn, 2}, {Act::ReleaseIn, 1}},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Do(Act::ReleaseOut);
    Do(Act::MoveOut);
    Do(Act::Leave);
    button.SetHoverState(CHoverButton::kNormal);
    Pump();
    host.posted.clear();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(c.steps[i].act);
      SCOPED_TRACE(testing::Message() << "after step " << i);
      EXPECT_EQ(button.GetHoverState(), c.steps[i].stateAfter);
      // The face on screen is the piece of the state.
      EXPECT_EQ(Pixels::OfWindow(button).At(1, 1), StripColour(5 * button.GetHoverState() + 1, 1));
    }
    EXPECT_EQ(Clicks(), c.clicks);
  }
}

// The piece of the state, whatever the base class makes of the item; an
// unknown state draws the normal piece, a button without faces nothing.
TEST_F(HoverButton, DrawsThePieceOfItsStateOnly) {
  struct Case {
    int state;
    int piece;  // -1: nothing drawn
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {7, 0}, {-1, 0}, {0, -1}};
  CHoverButton bare;
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  CBitmap canvas;
  ASSERT_TRUE(canvas.CreateCompatibleBitmap(&memory, 8, 6));
  CBitmap* before = memory.SelectObject(&canvas);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    CHoverButton& drawn = c.piece < 0 ? bare : button;
    drawn.SetHoverState(c.state);
    memory.FillSolidRect(0, 0, 8, 6, RGB(1, 2, 3));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kId;
    item.hwndItem = drawn.m_hWnd;
    item.hDC = memory.m_hDC;
    item.rcItem = RECT{0, 0, 5, 4};
    item.itemState = ODS_SELECTED;
    drawn.DrawItem(&item);
    const Pixels shown(memory.m_hDC, 0, 0, 8, 6);
    EXPECT_EQ(shown.At(0, 0), c.piece < 0 ? RGB(1, 2, 3) : StripColour(5 * c.piece, 0));
    EXPECT_EQ(shown.At(4, 3), c.piece < 0 ? RGB(1, 2, 3) : StripColour(5 * c.piece + 4, 3));
    EXPECT_EQ(shown.At(5, 0), RGB(1, 2, 3)) << "the item's rectangle only";
  }
  memory.SelectObject(before);
}

TEST_F(HoverButton, SizedToItsFaceAndSeeThroughForTheParent) {
  CRect r;
  button.GetClientRect(&r);
  EXPECT_EQ(r.Width(), 5);
  EXPECT_EQ(r.Height(), 4);
  HDC dc = GetDC(host.m_hWnd);
  const LRESULT brush = host.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(button.m_hWnd));
  ReleaseDC(host.m_hWnd, dc);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(HOLLOW_BRUSH));
}

}  // namespace
