#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text_link.h"
#include "pixel_reader.h"
#include "ui_fonts.h"
#include "ui_messages.h"
#include "ui_test_support.h"
#include "win/fonts.h"
#include "win/input.h"

namespace {

using ui_test::CHostWnd;

enum class Act { MoveIn, MoveOut, DragIn, DragOut, PressIn, PressOut, ReleaseIn, ReleaseOut, Leave };
constexpr int kAny = -1;

// The character-cell height of shared font `number`.
int CellHeight(int number) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ before = SelectObject(dc, *GetUiFont(number));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, before);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

struct Step {
  Act act;
  int stateAfter;  // kAny: not checked
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  int clicks;
};

// The link sits at (50, 50) of the host, the size of its text; "out" is a
// point of the host to the link's right.
class TextLink : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUiFonts();
    ASSERT_TRUE(link.Create(&host));
    link.SetText(u"设置");
    const CRect text = link.GetTextRect();
    link.MoveWindow(50, 50, text.Width(), text.Height());
    ui_test::Pump();
  }

  void Do(Act act) {
    const CRect r = Client();
    const CPoint in = r.CenterPoint();
    const CPoint out(r.right + 40, r.Height() / 2);
    switch (act) {
      case Act::MoveIn: return ui_test::MoveTo(link, in.x, in.y);
      case Act::MoveOut: return ui_test::MoveTo(link, out.x, out.y);
      case Act::DragIn: return ui_test::MoveTo(link, in.x, in.y, true);
      case Act::DragOut: return ui_test::MoveTo(link, out.x, out.y, true);
      case Act::PressIn: return ui_test::PressAt(link, in.x, in.y);
      case Act::PressOut: return ui_test::PressAt(link, out.x, out.y);
      case Act::ReleaseIn: return ui_test::ReleaseAt(link, in.x, in.y);
      case Act::ReleaseOut: return ui_test::ReleaseAt(link, out.x, out.y);
      case Act::Leave: return ui_test::LeaveHost(link);
    }
  }

  CRect Client() {
    CRect r;
    link.GetClientRect(&r);
    return r;
  }

  CHostWnd host;
  CTextLink link;
};

TEST_F(TextLink, StatesAndClicks) {
  const std::vector<Case> cases = {
      {"hover", {{Act::MoveIn, 1}}, 0},
      {"press alone", {{Act::MoveIn, 1}, {Act::PressIn, 2}}, 0},
      {"click", {{Act::MoveIn, 1}, {Act::PressIn, 2}, {Act::ReleaseIn, kAny}}, 1},
      {"off and back in before release",
       {{Act::PressIn, 2}, {Act::DragOut, 0}, {Act::DragIn, 2}, {Act::ReleaseIn, kAny}},
       1},
      {"released outside", {{Act::PressIn, 2}, {Act::DragOut, 0}, {Act::ReleaseOut, 0}}, 0},
      {"pressed elsewhere, released on the link",
       {{Act::PressOut, 0}, {Act::DragIn, kAny}, {Act::ReleaseIn, kAny}},
       0},
      {"leave", {{Act::MoveIn, 1}, {Act::Leave, 0}}, 0},
      {"moved out", {{Act::MoveIn, 1}, {Act::MoveOut, 0}}, 0},
      {"two quick clicks are two clicks",
       {{Act::PressIn, 2}, {Act::ReleaseIn, kAny}, {Act::PressIn, 2}, {Act::ReleaseIn, kAny}},
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Do(Act::ReleaseOut);
    Do(Act::MoveOut);
    Do(Act::Leave);
    host.posted.clear();
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Do(c.steps[i].act);
      if (c.steps[i].stateAfter != kAny) {
        EXPECT_EQ(link.GetLinkState(), c.steps[i].stateAfter) << "after step " << i;
      }
    }
    EXPECT_EQ(host.Count(WM_LINK_CLICKED), c.clicks);
    const Act last = c.steps.back().act;
    if (last == Act::ReleaseIn || last == Act::ReleaseOut) {
      EXPECT_EQ(CWnd::GetCapture(), nullptr) << "the release ends the capture";
    }
    for (const ui_test::Posted& p : host.posted) {
      if (p.message != WM_LINK_CLICKED) continue;
      EXPECT_EQ(reinterpret_cast<HWND>(p.wParam), link.m_hWnd) << "the parent tells its links apart by handle";
      EXPECT_EQ(p.lParam, 0);
    }
  }
}

TEST_F(TextLink, TransparentChildNamedMyTextLinkWithAHandCursor) {
  CString title;
  link.GetWindowText(title);
  EXPECT_EQ(std::u16string(title.GetString()), u"MyTextLink") << "SetText leaves the window's title";
  EXPECT_TRUE(link.GetExStyle() & WS_EX_TRANSPARENT);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  EXPECT_EQ(link.GetStyle() & style, style);
  EXPECT_EQ(link.GetDlgCtrlID(), 0);
  ui_test::MoveTo(link, 2, 2);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND)) << "a hand over the link";
}

TEST_F(TextLink, MeasuredInItsOwnFont) {
  const CRect underlined = link.GetTextRect();
  EXPECT_EQ(link.GetTextFont(), GetUiFont(3)) << "starts at the underlined font";
  EXPECT_EQ(underlined.left, 0);
  EXPECT_EQ(underlined.top, 0);
  EXPECT_EQ(underlined.Height(), CellHeight(3));
  EXPECT_GT(underlined.Width(), 12) << "two characters";

  link.SetTextFont(GetUiFont(5));
  EXPECT_EQ(link.GetTextRect().Height(), CellHeight(5));
  EXPECT_GT(CellHeight(5), CellHeight(3));
  link.SetText(u"设置设置");
  EXPECT_GT(link.GetTextRect().Width(), underlined.Width());
}

// The text in the link's colour in every state, on whatever lies beneath:
// nothing else of the rectangle changes, nothing outside it.
TEST_F(TextLink, DrawsItsTextOverWhatIsBeneath) {
  const COLORREF beneath = RGB(250, 10, 10);
  const COLORREF linkColour = RGB(42, 75, 101);
  const CRect text = link.GetTextRect();
  const CRect area(4, 3, 4 + text.Width(), 3 + text.Height());
  for (Act act : {Act::MoveOut, Act::MoveIn, Act::PressIn}) {
    Do(act);
    SCOPED_TRACE(link.GetLinkState());
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&memory, area.right + 4, area.bottom + 4));
    CBitmap* before = memory.SelectObject(&canvas);
    memory.FillSolidRect(0, 0, area.right + 4, area.bottom + 4, beneath);
    memory.SetBkMode(OPAQUE);
    memory.SetTextColor(RGB(0, 0, 0));
    link.DrawLink(&memory, area);
    const ui_test::Pixels drawn(memory.m_hDC, 0, 0, area.right + 4, area.bottom + 4);
    int inLinkColour = 0, beneathKept = 0;
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x) {
        const COLORREF c = drawn.At(x, y);
        if (!area.PtInRect(CPoint(x, y))) {
          ASSERT_EQ(c, beneath) << x << "," << y;
          continue;
        }
        inLinkColour += c == linkColour;
        beneathKept += c == beneath;
      }
    }
    EXPECT_GT(inLinkColour, 0) << "the underline at least";
    EXPECT_GT(beneathKept, area.Width() * area.Height() / 4) << "drawn without a background";
    EXPECT_EQ(memory.GetBkMode(), OPAQUE) << "the DC is given back as it came";
    EXPECT_EQ(memory.GetTextColor(), RGB(0, 0, 0));
    memory.SelectObject(before);
  }
  Do(Act::ReleaseOut);
}

}  // namespace
