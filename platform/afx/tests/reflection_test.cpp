#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxwin.h"
#include "afx_test_support.h"

namespace {

using afx_test::RawClass;

constexpr WORD CODE_KILLFOCUS = 0x200;
constexpr UINT NOTE_SELCHANGE = static_cast<UINT>(-551);
constexpr UINT NOTE_OTHER = static_cast<UINT>(-552);

std::vector<std::string> g_calls;

HBRUSH ControlBrush() { return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(0x7777)); }

// A control that takes its own notifications, as the hint edits, the tab
// strip and the owner-drawn buttons do.
class CTakingControl : public CWnd {
 public:
  BOOL passCommandOn = FALSE;
  HBRUSH brush = ControlBrush();

 protected:
  void OnKillFocusReflected() { g_calls.push_back("control command"); }
  BOOL OnPassingCommand() {
    g_calls.push_back("control command, passed on");
    return passCommandOn;
  }
  void OnSelChange(NMHDR* header, LRESULT* result) {
    g_calls.push_back("control notify " + std::to_string(header->idFrom));
    *result = 42;
  }
  HBRUSH CtlColor(CDC* dc, UINT kind) {
    g_calls.push_back("control colour " + std::to_string(kind));
    if (dc) dc->SetBkMode(TRANSPARENT);
    return brush;
  }
  void DrawItem(LPDRAWITEMSTRUCT item) { g_calls.push_back("control draws " + std::to_string(item->itemState)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTakingControl, CWnd)
  ON_CONTROL_REFLECT(CODE_KILLFOCUS, OnKillFocusReflected)
  ON_CONTROL_REFLECT_EX(0x201, OnPassingCommand)
  ON_NOTIFY_REFLECT(NOTE_SELCHANGE, OnSelChange)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

// A control object without reflection entries.
class CPlainControl : public CWnd {};

class CParent : public CWnd {
 public:
  bool colourCallsDefault = true;
  HBRUSH defaultAnswer = nullptr;

 protected:
  void OnControlCommand() { g_calls.push_back("parent command"); }
  void OnPassedCommand() { g_calls.push_back("parent passed command"); }
  void OnNotifyRange(UINT id, NMHDR*, LRESULT* result) {
    g_calls.push_back("parent notify " + std::to_string(id));
    *result = 7;
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
    HBRUSH brush = nullptr;
    if (colourCallsDefault) {
      brush = CWnd::OnCtlColor(dc, control, kind);
      defaultAnswer = brush;
    }
    g_calls.push_back("parent colour " + std::to_string(control ? control->GetDlgCtrlID() : -1));
    dc->SetTextColor(RGB(190, 190, 190));
    return brush;
  }
  void OnDrawItem(int id, LPDRAWITEMSTRUCT) { g_calls.push_back("parent draws " + std::to_string(id)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
  ON_CONTROL(CODE_KILLFOCUS, 1, OnControlCommand)
  ON_CONTROL(CODE_KILLFOCUS, 2, OnControlCommand)
  ON_CONTROL(CODE_KILLFOCUS, 3, OnControlCommand)
  ON_CONTROL(0x201, 1, OnPassedCommand)
  ON_NOTIFY_RANGE(NOTE_SELCHANGE, 1, 3, OnNotifyRange)
  ON_NOTIFY_RANGE(NOTE_OTHER, 1, 3, OnNotifyRange)
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A parent with no entries of its own for control colours.
class CQuietParent : public CWnd {};

class ReflectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    afx_test::ReachedClassProcedure().clear();
    ASSERT_TRUE(parent.CreateEx(0, RawClass(), u"parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(taking.Create(RawClass(), u"", 0, CRect(0, 0, 10, 10), &parent, 1));
    ASSERT_TRUE(plain.Create(RawClass(), u"", 0, CRect(0, 20, 10, 30), &parent, 2));
    foreign = CreateWindowExW(0, RawClass(), u"", WS_CHILD, 0, 40, 10, 10, parent.m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(3)), nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
  }
  HWND Handle(int which) { return which == 1 ? taking.m_hWnd : which == 2 ? plain.m_hWnd : foreign; }

  CParent parent;
  CTakingControl taking;
  CPlainControl plain;
  HWND foreign = nullptr;
};

TEST_F(ReflectionTest, CommandsGoToTheControlFirstAndToTheParentWhenItTakesNone) {
  const struct {
    const char* name;
    int control;
    WORD code;
    BOOL passOn;
    std::vector<std::string> expected;
  } cases[] = {
      {"control takes it", 1, CODE_KILLFOCUS, FALSE, {"control command"}},
      {"control object without an entry", 2, CODE_KILLFOCUS, FALSE, {"parent command"}},
      {"window without an object", 3, CODE_KILLFOCUS, FALSE, {"parent command"}},
      {"control takes it and passes it on", 1, 0x201, FALSE, {"control command, passed on", "parent passed command"}},
      {"control takes it and keeps it", 1, 0x201, TRUE, {"control command, passed on"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    taking.passCommandOn = c.passOn;
    SendMessageW(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(c.control), c.code),
                 reinterpret_cast<LPARAM>(Handle(c.control)));
    EXPECT_EQ(g_calls, c.expected);
  }
}

TEST_F(ReflectionTest, NotificationsGoToTheControlFirstWithItsResult) {
  const struct {
    const char* name;
    int control;
    UINT code;
    std::vector<std::string> expected;
    LRESULT result;
  } cases[] = {
      {"control takes it", 1, NOTE_SELCHANGE, {"control notify 1"}, 42},
      {"code the control has no entry for", 1, NOTE_OTHER, {"parent notify 1"}, 7},
      {"control object without entries", 2, NOTE_SELCHANGE, {"parent notify 2"}, 7},
      {"window without an object", 3, NOTE_SELCHANGE, {"parent notify 3"}, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    NMHDR header{Handle(c.control), static_cast<UINT_PTR>(c.control), c.code};
    LRESULT result = SendMessageW(parent.m_hWnd, WM_NOTIFY, c.control, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(g_calls, c.expected);
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(ReflectionTest, OwnerDrawingGoesToTheControlFirst) {
  const struct {
    const char* name;
    int control;
    UINT type;
    std::vector<std::string> expected;
  } cases[] = {
      {"button that draws itself", 1, ODT_BUTTON, {"control draws 1"}},
      {"control object without DrawItem", 2, ODT_BUTTON, {"parent draws 2"}},
      {"window without an object", 3, ODT_BUTTON, {"parent draws 3"}},
      {"a menu item is the parent's", 1, ODT_MENU, {"parent draws 1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    DRAWITEMSTRUCT item{c.type, static_cast<UINT>(c.control), 0, ODA_DRAWENTIRE, ODS_SELECTED, Handle(c.control),
                        nullptr, RECT{0, 0, 10, 10}, 0};
    EXPECT_EQ(SendMessageW(parent.m_hWnd, WM_DRAWITEM, c.control, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(g_calls, c.expected);
  }
}

TEST_F(ReflectionTest, AParentsColourHandlerThatCallsTheDefaultGetsTheControlsAnswerFirst) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  const struct {
    const char* name;
    int control;
    UINT message;
    bool callsDefault;
    HBRUSH controlBrush;
    std::vector<std::string> expected;
    LRESULT defaultAnswer;
  } cases[] = {
      {"control answers", 1, WM_CTLCOLOREDIT, true, ControlBrush(), {"control colour 1", "parent colour 1"}, 0x7777},
      {"button kind", 1, WM_CTLCOLORBTN, true, ControlBrush(), {"control colour 3", "parent colour 1"}, 0x7777},
      {"control declines", 1, WM_CTLCOLOREDIT, true, nullptr, {"control colour 1", "parent colour 1"},
       afx_test::kDefaultBrushAnswer},
      {"control without an entry", 2, WM_CTLCOLORSTATIC, true, ControlBrush(), {"parent colour 2"},
       afx_test::kDefaultBrushAnswer},
      {"parent does not ask", 1, WM_CTLCOLOREDIT, false, ControlBrush(), {"parent colour 1"}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    parent.colourCallsDefault = c.callsDefault;
    parent.defaultAnswer = nullptr;
    taking.brush = c.controlBrush;
    SetTextColor(dc, RGB(0, 0, 0));
    LRESULT answer = SendMessageW(parent.m_hWnd, c.message, reinterpret_cast<WPARAM>(dc.m_hDC),
                                  reinterpret_cast<LPARAM>(Handle(c.control)));
    EXPECT_EQ(g_calls, c.expected);
    EXPECT_EQ(reinterpret_cast<LRESULT>(parent.defaultAnswer), c.defaultAnswer);
    EXPECT_EQ(answer, c.defaultAnswer);
    // The parent's handler ran after the control's and set the colour.
    EXPECT_EQ(GetTextColor(dc), RGB(190, 190, 190));
  }
}

TEST_F(ReflectionTest, AParentWithoutAColourEntryAnswersWithTheControls) {
  CQuietParent quiet;
  ASSERT_TRUE(quiet.CreateEx(0, RawClass(), u"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  CTakingControl control;
  ASSERT_TRUE(control.Create(RawClass(), u"", 0, CRect(0, 0, 5, 5), &quiet, 9));
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  LRESULT answer = SendMessageW(quiet.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC),
                                reinterpret_cast<LPARAM>(control.m_hWnd));
  EXPECT_EQ(answer, 0x7777);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  control.brush = nullptr;
  answer = SendMessageW(quiet.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC),
                        reinterpret_cast<LPARAM>(control.m_hWnd));
  EXPECT_EQ(answer, afx_test::kDefaultBrushAnswer);
}

}  // namespace
