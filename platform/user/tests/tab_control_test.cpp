#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pointer_input.h"
#include "window_test_support.h"
#include "win/common_controls.h"
#include "win/time.h"
#include "win/waits.h"

namespace {

using quorla_test::WindowLog;

constexpr int kId = 10000;

// What the control told its parent, with the selection it had meanwhile.
struct Told {
  UINT code;
  LRESULT selectionThen;
  bool operator==(const Told&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Told& t) {
  return out << "{code " << static_cast<int>(t.code) << ", selection " << t.selectionThen << "}";
}

std::vector<UINT>* g_controlMessages = nullptr;
WNDPROC g_tabProc = nullptr;

LRESULT CALLBACK RecordingTabs(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_controlMessages && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) g_controlMessages->push_back(message);
  return CallWindowProcW(g_tabProc, hwnd, message, wParam, lParam);
}

// A parent at (0,0)-(600,200) on screen with a tab control over its whole
// client area, its tabs w by h.
struct Strip {
  WindowLog log;
  HWND parent = nullptr, tabs = nullptr;
  std::vector<Told> told;
  std::vector<UINT> controlMessages;
  LRESULT refuseChanging = FALSE;

  explicit Strip(int count = 3, int w = 96, int h = 27) {
    g_controlMessages = &controlMessages;
    log.handlers[WM_NOTIFY] = [this](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom != tabs) return 0;
      EXPECT_EQ(wParam, static_cast<WPARAM>(kId));
      EXPECT_EQ(header->idFrom, static_cast<UINT_PTR>(kId));
      told.push_back(Told{header->code, SendMessageW(tabs, TCM_GETCURSEL, 0, 0)});
      return header->code == TCN_SELCHANGING ? refuseChanging : 0;
    };
    parent = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 600, 200);
    tabs = CreateWindowExW(0, WC_TABCONTROLW, nullptr, WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, 0, 0, 600, 200,
                           parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)), nullptr, nullptr);
    EXPECT_NE(tabs, nullptr);
    g_tabProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingTabs)));
    SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(static_cast<WORD>(w), static_cast<WORD>(h)));
    for (int i = 0; i < count; ++i) Insert(i, u"tab " + std::u16string(1, static_cast<char16_t>(u'0' + i)), 100 + i);
    quorla_test::DispatchPending();
    told.clear();
    controlMessages.clear();
  }
  ~Strip() {
    quorla_test::SetMessageFilter(nullptr);
    DestroyWindow(parent);
    g_controlMessages = nullptr;
    quorla_test::DispatchPending();
  }

  LRESULT Insert(int at, std::u16string text, LPARAM param) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text.data();
    item.lParam = param;
    return SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
  }
  quorla_test::Edges TabEdges(int index) const {
    RECT rect{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return quorla_test::EdgesOf(rect);
  }
  LRESULT Selection() const { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0); }
  int Count() const { return static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)); }
  void Press(int x, int y) {
    const POINT at = quorla_test::ScreenPoint(tabs, x, y);
    quorla_test::PointerPress(tabs, at);
    quorla_test::PointerRelease(tabs, at);
  }
  std::u16string Text(int index, int units = 256) const {
    std::vector<WCHAR> buffer(static_cast<size_t>(units) + 1, u'#');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = units;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::u16string(buffer.data());
  }
  DWORD State(int index, DWORD mask) const {
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = mask;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.dwState;
  }
  void SetState(int index, DWORD mask, DWORD state) {
    TCITEMW item{};
    item.mask = TCIF_STATE;
    item.dwStateMask = mask;
    item.dwState = state;
    SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
};

TEST(TabControl, TabsLieSideBySideFromTwoPixelsInAtTheirFixedSize) {
  struct Case {
    int count, w, h;
    int index;
    quorla_test::Edges expected;
  } cases[] = {
      {10, 96, 27, 0, {2, 2, 98, 29}},
      {10, 96, 27, 9, {866, 2, 962, 29}},
      {2, 180, 27, 1, {182, 2, 362, 29}},
      {3, 1, 27, 2, {4, 2, 5, 29}},
      {1, 50, 20, 0, {2, 2, 52, 22}},
      {5, 113, 31, 3, {341, 2, 454, 33}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " tabs of " << c.w << " by " << c.h << ", tab " << c.index);
    Strip strip(c.count, c.w, c.h);
    EXPECT_EQ(strip.TabEdges(c.index), c.expected);
    // Every tab starts where the one before it ends.
    for (int i = 1; i < c.count; ++i) EXPECT_EQ(strip.TabEdges(i - 1)[2], strip.TabEdges(i)[0]);
    RECT rect{};
    EXPECT_FALSE(SendMessageW(strip.tabs, TCM_GETITEMRECT, static_cast<WPARAM>(c.count), reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(SendMessageW(strip.tabs, TCM_GETROWCOUNT, 0, 0), 1);
  }
}

TEST(TabControl, SettingTheSizeAnswersThePreviousOne) {
  Strip strip(2, 180, 27);
  const LRESULT previous = SendMessageW(strip.tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(96, 30));
  EXPECT_EQ(LOWORD(static_cast<ULONG_PTR>(previous)), 180);
  EXPECT_EQ(HIWORD(static_cast<ULONG_PTR>(previous)), 27);
  EXPECT_EQ(strip.TabEdges(1), (quorla_test::Edges{98, 2, 194, 32}));
}

TEST(TabControl, HitTestsFindTheTabAtEachEdgeAndNothingOutside) {
  struct Case {
    POINT point;
    int expected;
  } cases[] = {
      {{2, 2}, 0},     {{1, 2}, -1},    {{97, 10}, 0},   {{98, 10}, 1},   {{193, 28}, 1}, {{194, 28}, 2},
      {{289, 15}, 2},  {{290, 15}, -1}, {{50, 1}, -1},   {{50, 29}, -1},  {{50, 28}, 0},  {{-5, 10}, -1},
      {{500, 100}, -1},
  };
  Strip strip(3, 96, 27);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "at " << c.point.x << "," << c.point.y);
    TCHITTESTINFO info{c.point, 0xFFFF};
    EXPECT_EQ(SendMessageW(strip.tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.expected);
    EXPECT_EQ(info.flags, c.expected < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL);
  }
  EXPECT_EQ(SendMessageW(strip.tabs, TCM_HITTEST, 0, 0), -1);
}

TEST(TabControl, ItemsKeepTextParamAndFreeStateBitsWhileTheSelectionOwnsButtonPressed) {
  Strip strip(3);
  ASSERT_EQ(strip.Selection(), 0);  // the first item inserted became the selection
  strip.SetState(1, 0x3000, 0x1000);
  strip.SetState(2, 0x3C00, 0x2C00);
  strip.SetState(1, TCIS_BUTTONPRESSED, TCIS_BUTTONPRESSED);  // cannot select
  struct Case {
    int index;
    DWORD mask;
    DWORD expected;
  } cases[] = {
      {0, 0x3C01, TCIS_BUTTONPRESSED},
      {1, 0x3C01, 0x1000},
      {1, 0x2000, 0},
      {2, 0x3C01, 0x2C00},
      {2, 0x0400, 0x0400},
      {2, 0x0001, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "item " << c.index << " mask " << std::hex << c.mask);
    EXPECT_EQ(strip.State(c.index, c.mask), c.expected);
  }
  EXPECT_EQ(strip.Selection(), 0);
  SendMessageW(strip.tabs, TCM_SETCURSEL, 2, 0);
  EXPECT_EQ(strip.State(2, 0x3C01), 0x2C00u | TCIS_BUTTONPRESSED);
  EXPECT_EQ(strip.State(0, 0x3C01), 0u);
  // Under a mask only the masked bits change.
  strip.SetState(2, 0x3000, 0x1000);
  EXPECT_EQ(strip.State(2, 0xFFFF), 0x1C00u | TCIS_BUTTONPRESSED);

  for (int i = 0; i < 3; ++i) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(SendMessageW(strip.tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 100 + i);
  }
  EXPECT_EQ(strip.Text(1), u"tab 1");
  EXPECT_EQ(strip.Text(1, 4), u"tab");  // three units and the terminator
  std::u16string title = u"淘宝网 - 首页";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = title.data();
  EXPECT_TRUE(SendMessageW(strip.tabs, TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(strip.Text(1), title);
  EXPECT_EQ(strip.Text(0), u"tab 0");  // the others keep theirs
}

TEST(TabControl, ReadingAnIndexWithoutAnItemFailsAndHandsBackNothing) {
  struct Case {
    int count;
    int index;
  } cases[] = {{0, 0}, {3, -1}, {3, 3}, {3, 1000}, {1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " items, index " << c.index);
    Strip strip(c.count);
    WCHAR text[16] = u"garbage";
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_STATE;
    item.dwState = 0x3001;
    item.dwStateMask = 0x3C01;
    item.pszText = text;
    item.cchTextMax = 16;
    item.lParam = 0x1234;
    EXPECT_FALSE(SendMessageW(strip.tabs, TCM_GETITEMW, static_cast<WPARAM>(c.index), reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.dwState, 0u);
    EXPECT_EQ(item.lParam, 0);
    EXPECT_EQ(std::u16string(text), u"");
    EXPECT_FALSE(SendMessageW(strip.tabs, TCM_SETITEMW, static_cast<WPARAM>(c.index), reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageW(strip.tabs, TCM_DELETEITEM, static_cast<WPARAM>(c.index), 0));
    EXPECT_EQ(SendMessageW(strip.tabs, TCM_SETCURSEL, static_cast<WPARAM>(c.index), 0), -1);
    EXPECT_EQ(strip.Count(), c.count);
    EXPECT_EQ(strip.Selection(), c.count ? 0 : -1);
  }
}

TEST(TabControl, InsertingAndDeletingMoveTheSelectionWithItsItem) {
  struct Case {
    const char* what;
    int select;       // before the change
    bool insert;      // else delete
    int at;
    LRESULT result;
    int selection;    // after
    std::u16string selectedText;
  } cases[] = {
      {"insert before the selection", 1, true, 0, 0, 2, u"tab 1"},
      {"insert at the selection", 1, true, 1, 1, 2, u"tab 1"},
      {"insert after the selection", 1, true, 2, 2, 1, u"tab 1"},
      {"insert past the end appends", 1, true, 50, 3, 1, u"tab 1"},
      {"delete before the selection", 2, false, 0, TRUE, 1, u"tab 2"},
      {"delete after the selection", 0, false, 2, TRUE, 0, u"tab 0"},
      {"delete the selection leaves none", 1, false, 1, TRUE, -1, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Strip strip(3);
    SendMessageW(strip.tabs, TCM_SETCURSEL, static_cast<WPARAM>(c.select), 0);
    const LRESULT result = c.insert ? strip.Insert(c.at, u"new", 7)
                                    : SendMessageW(strip.tabs, TCM_DELETEITEM, static_cast<WPARAM>(c.at), 0);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(strip.Selection(), c.selection);
    if (c.selection >= 0) {
      EXPECT_EQ(strip.Text(c.selection), c.selectedText);
    }
    EXPECT_EQ(strip.Count(), c.insert ? 4 : 2);
    EXPECT_TRUE(strip.told.empty());  // none of them tells the parent
  }
  Strip strip(3);
  EXPECT_TRUE(SendMessageW(strip.tabs, TCM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(strip.Count(), 0);
  EXPECT_EQ(strip.Selection(), -1);
  EXPECT_EQ(strip.Insert(0, u"again", 1), 0);
  EXPECT_EQ(strip.Selection(), 0);
  EXPECT_EQ(strip.Insert(-1, u"nowhere", 1), -1);
}

TEST(TabControl, APressSelectsWithChangingThenChangeAndOnlyWhenTheSelectionMoves) {
  struct Case {
    const char* what;
    int startSelection;
    POINT press;
    LRESULT refuse;
    std::vector<Told> told;
    LRESULT selection;
  } cases[] = {
      {"another tab", 0, {150, 10}, FALSE, {{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 1}}, 1},
      {"the last tab's last pixel", 0, {289, 28}, FALSE, {{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 2}}, 2},
      {"the selected tab", 1, {150, 10}, FALSE, {}, 1},
      {"below the row", 0, {150, 29}, FALSE, {}, 0},
      {"right of the last tab", 0, {290, 10}, FALSE, {}, 0},
      {"the parent keeps the selection", 0, {150, 10}, TRUE, {{TCN_SELCHANGING, 0}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Strip strip(3);
    SendMessageW(strip.tabs, TCM_SETCURSEL, static_cast<WPARAM>(c.startSelection), 0);
    strip.refuseChanging = c.refuse;
    strip.Press(c.press.x, c.press.y);
    EXPECT_EQ(strip.told, c.told);
    EXPECT_EQ(strip.Selection(), c.selection);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST(TabControl, SelectingByMessageTellsNobody) {
  Strip strip(3);
  EXPECT_EQ(SendMessageW(strip.tabs, TCM_SETCURSEL, 2, 0), 0);
  EXPECT_EQ(SendMessageW(strip.tabs, TCM_SETCURSEL, 1, 0), 2);
  EXPECT_EQ(SendMessageW(strip.tabs, TCM_SETCURSEL, 1, 0), 1);
  quorla_test::DispatchPending();
  EXPECT_TRUE(strip.told.empty());
}

TEST(TabControl, TheSecondPressOfADoubleClickIsAPress) {
  Strip strip(3);
  strip.Press(150, 10);
  ASSERT_EQ(strip.Selection(), 1);
  SendMessageW(strip.tabs, TCM_SETCURSEL, 0, 0);
  strip.told.clear();
  strip.Press(151, 11);
  EXPECT_EQ(strip.controlMessages,
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
  EXPECT_EQ(strip.told, (std::vector<Told>{{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 1}}));
  EXPECT_EQ(strip.Selection(), 1);
}

TEST(TabControl, ItsTooltipsTextRequestsReachTheParentAndItsAnswerComesBack) {
  Strip strip(3);
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, strip.parent, nullptr, nullptr, nullptr);
  ASSERT_NE(tooltip, nullptr);
  SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 20);
  EXPECT_EQ(SendMessageW(strip.tabs, TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip), 0), 0);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(strip.tabs, TCM_GETTOOLTIPS, 0, 0)), tooltip);
  // The strip's tools: tab i is tool i + 1, its text asked for each time.
  for (int i = 0; i < 3; ++i) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = strip.tabs;
    info.uId = static_cast<UINT_PTR>(i + 1);
    SendMessageW(strip.tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info.rect));
    info.lpszText = LPSTR_TEXTCALLBACKW;
    ASSERT_TRUE(SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
  }
  std::vector<std::pair<HWND, UINT_PTR>> asked;
  strip.log.handlers[WM_NOTIFY] = [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    EXPECT_EQ(wParam, header->idFrom);
    if (header->code != TTN_GETDISPINFOW) return 0;
    asked.emplace_back(header->hwndFrom, header->idFrom);
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    const std::u16string text = strip.Text(static_cast<int>(header->idFrom) - 1);
    text.copy(info->szText, 79);
    info->szText[std::min<size_t>(text.size(), 79)] = 0;
    return 0;
  };
  // Mouse messages reach the tooltip as the frame's pre-translation relays them.
  static HWND s_tooltip;
  s_tooltip = tooltip;
  quorla_test::SetMessageFilter([](MSG* msg) -> BOOL {
    if ((msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) || msg->message == WM_MOUSELEAVE)
      SendMessageW(s_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return FALSE;
  });
  quorla_test::PointerMove(strip.tabs, quorla_test::ScreenPoint(strip.tabs, 150, 12));
  const DWORD start = GetTickCount();
  while (!IsWindowVisible(tooltip) && GetTickCount() - start < 3000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    quorla_test::DispatchPending();
  }
  EXPECT_TRUE(IsWindowVisible(tooltip));  // an empty answer would show nothing
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front(), std::make_pair(tooltip, static_cast<UINT_PTR>(2)));

  // Notifications of other windows stay with the control.
  asked.clear();
  NMTTDISPINFOW foreign{};
  foreign.hdr.hwndFrom = strip.parent;
  foreign.hdr.idFrom = 1;
  foreign.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(strip.tabs, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&foreign));
  EXPECT_TRUE(asked.empty());
  quorla_test::SetMessageFilter(nullptr);
  DestroyWindow(tooltip);
}

TEST(TabControl, TheClassTakesDoubleClicksAndTheControlPaintsNothing) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExW(nullptr, WC_TABCONTROLW, &info));
  EXPECT_TRUE(info.style & CS_DBLCLKS);
  Strip strip(3);
  quorla_test::FillWindow(strip.tabs, RGB(10, 200, 30));
  InvalidateRect(strip.tabs, nullptr, TRUE);
  UpdateWindow(strip.tabs);
  // Neither its background nor a tab was drawn over what was there.
  for (POINT p : {POINT{5, 5}, POINT{150, 15}, POINT{400, 100}}) EXPECT_EQ(quorla_test::PixelOf(strip.tabs, p.x, p.y), RGB(10, 200, 30));
}

}  // namespace
