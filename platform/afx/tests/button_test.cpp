#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"
#include "canvas.h"

namespace {

using afx_test::RawClass;

std::vector<std::string> g_calls;

class CDrawnButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    g_calls.push_back("draw " + std::to_string(item->itemAction) + " " + std::to_string(item->itemState & ODS_SELECTED));
  }
};

class CButtonParent : public CWnd {
 protected:
  void OnClicked() { g_calls.push_back("clicked"); }
  void OnDrawItem(int id, LPDRAWITEMSTRUCT) { g_calls.push_back("parent draws " + std::to_string(id)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonParent, CWnd)
  ON_BN_CLICKED(1030, OnClicked)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ASSERT_TRUE(parent.CreateEx(0, RawClass(), u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  }
  CButtonParent parent;
};

TEST_F(ButtonTest, AnOwnerDrawnButtonDrawsItselfAndItsClickReachesTheParent) {
  CDrawnButton button;
  ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 40, 30), &parent, 1030));
  afx_test::Drain();
  ASSERT_FALSE(g_calls.empty());
  EXPECT_EQ(g_calls.front(), "draw 1 0");  // the whole button, when it first paints
  g_calls.clear();
  button.SetState(TRUE);
  EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
  button.SetState(FALSE);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"draw 2 1", "draw 2 0"}));
  g_calls.clear();
  button.SendMessage(BM_CLICK);
  afx_test::Drain();
  EXPECT_NE(std::find(g_calls.begin(), g_calls.end(), "clicked"), g_calls.end());
  for (const auto& call : g_calls) EXPECT_EQ(call.find("parent draws"), std::string::npos) << call;
}

TEST_F(ButtonTest, ButtonStylesChangeWithoutTheWindowStyle) {
  CButton button;
  ASSERT_TRUE(button.Create(u"确定", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 1006));
  EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, BS_PUSHBUTTON);
  button.SetButtonStyle(BS_OWNERDRAW);
  EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(button.GetStyle() & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
}

// Faces of one colour each, 4 x 3.
void Face(CBitmap& face, COLORREF color) {
  CDC memory;
  memory.CreateCompatibleDC(nullptr);
  face.CreateCompatibleBitmap(&memory, 4, 3);
  CBitmap* previous = memory.SelectObject(&face);
  memory.FillSolidRect(0, 0, 4, 3, color);
  memory.SelectObject(previous);
}

TEST_F(ButtonTest, ABitmapButtonShowsTheFaceOfItsState) {
  CBitmapButton button;
  ASSERT_TRUE(button.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 20, 20), &parent, 1032));
  Face(button.m_bitmap, RGB(255, 0, 0));
  Face(button.m_bitmapSel, RGB(0, 255, 0));
  Face(button.m_bitmapDisabled, RGB(0, 0, 255));
  button.SizeToContent();
  CRect rect;
  button.GetClientRect(rect);
  EXPECT_EQ(rect.Size(), CSize(4, 3));

  afx_test::Canvas canvas(4, 3);
  const struct {
    UINT state;
    COLORREF face;
  } cases[] = {
      {0, RGB(255, 0, 0)},
      {ODS_SELECTED, RGB(0, 255, 0)},
      {ODS_SELECTED | ODS_FOCUS, RGB(0, 255, 0)},
      {ODS_FOCUS, RGB(255, 0, 0)},  // no focus face: the normal one
      {ODS_DISABLED, RGB(0, 0, 255)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    canvas.dc.FillSolidRect(0, 0, 4, 3, RGB(255, 255, 255));
    DRAWITEMSTRUCT item{ODT_BUTTON, 1032, 0, ODA_DRAWENTIRE, c.state, button.m_hWnd, canvas.dc.m_hDC, {0, 0, 4, 3}, 0};
    // Through the parent, as the control asks: reflected to the button.
    parent.SendMessage(WM_DRAWITEM, 1032, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(canvas.At(0, 0), c.face);
    EXPECT_EQ(canvas.At(3, 2), c.face);
  }
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(ButtonTest, FacesFromBitmapResources) {
  CBitmapButton button;
  EXPECT_TRUE(button.LoadBitmaps(9101, 0, 0, 9101));
  BITMAP face{};
  ASSERT_TRUE(button.m_bitmap.GetBitmap(&face));
  EXPECT_EQ(face.bmWidth, 3);
  EXPECT_EQ(face.bmHeight, 2);
  EXPECT_EQ(button.m_bitmapSel.m_hObject, nullptr);
  EXPECT_NE(button.m_bitmapDisabled.m_hObject, nullptr);
  CBitmapButton missing;
  EXPECT_FALSE(missing.LoadBitmaps(9999));
  EXPECT_EQ(missing.m_bitmap.m_hObject, nullptr);
}

}  // namespace
