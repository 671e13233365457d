#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx/edit.h"
#include "afx_test_support.h"

namespace {

using afx_test::RawClass;

std::vector<std::string> g_calls;

// Reflection first, then the parent: the order a hint edit relies on.
class CNotedEdit : public CEdit {
 protected:
  BOOL OnKillFocusEx() {
    g_calls.push_back("edit kill focus");
    return FALSE;  // the parent hears of it too
  }
  void OnChange() { g_calls.push_back("edit change"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotedEdit, CEdit)
  ON_CONTROL_REFLECT_EX(EN_KILLFOCUS, OnKillFocusEx)
  ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

class CEditParent : public CWnd {
 protected:
  void OnChange() { g_calls.push_back("parent change"); }
  void OnKillFocus() { g_calls.push_back("parent kill focus"); }
  void OnSetFocus() { g_calls.push_back("parent set focus"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditParent, CWnd)
  ON_EN_CHANGE(1031, OnChange)
  ON_EN_KILLFOCUS(1031, OnKillFocus)
  ON_EN_SETFOCUS(1031, OnSetFocus)
END_MESSAGE_MAP()

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ASSERT_TRUE(parent.CreateEx(0, RawClass(), u"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr));
  }
  CEditParent parent;
};

TEST_F(EditTest, TextSelectionAndReplacementGoThroughTheControl) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), &parent, 1031));
  edit.SetWindowText(u"taobao.com");
  CString text;
  edit.GetWindowText(text);
  EXPECT_EQ(std::u16string(text.GetString()), u"taobao.com");

  struct Case {
    const char* name;
    int start, end;
    int wantStart, wantEnd;
  };
  const Case cases[] = {
      {"all", 0, -1, 0, 10},
      {"a middle part", 2, 5, 2, 5},
      {"backwards", 6, 1, 1, 6},
      {"past the end", 3, 99, 3, 10},
      {"anchor -1 keeps only the caret", -1, 0, 10, 10},
  };
  for (const Case& c : cases) {
    edit.SetSel(c.start, c.end);
    int start = -5, end = -5;
    edit.GetSel(start, end);
    EXPECT_EQ(start, c.wantStart) << c.name;
    EXPECT_EQ(end, c.wantEnd) << c.name;
    EXPECT_EQ(edit.GetSel(), MAKELONG(static_cast<WORD>(c.wantStart), static_cast<WORD>(c.wantEnd))) << c.name;
  }

  edit.SetSel(0, 6);
  edit.ReplaceSel(u"jd");
  edit.GetWindowText(text);
  EXPECT_EQ(std::u16string(text.GetString()), u"jd.com");
  int start = 0, end = 0;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 2);  // the caret after what was put in
  EXPECT_EQ(end, 2);
}

TEST_F(EditTest, NotificationsReachTheControlFirstThenItsParent) {
  CNotedEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 200, 30), &parent, 1031));
  CEdit other;
  ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 200, 60), &parent, 1032));
  afx_test::Drain();
  g_calls.clear();

  edit.SetWindowText(u"手机");
  EXPECT_EQ(g_calls, (std::vector<std::string>{"edit change"}));  // the reflection took it

  g_calls.clear();
  edit.SetFocus();
  other.SetFocus();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"parent set focus", "edit kill focus", "parent kill focus"}));
}

}  // namespace
