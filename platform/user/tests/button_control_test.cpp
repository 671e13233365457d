#include <gtest/gtest.h>

#include "window_access.h"
#include "toolkit_input.h"
#include "window_test_support.h"
#include "win/buttons.h"

namespace {

using quorla_test::WindowLog;

constexpr int kId = 77;

struct Drawn {
  UINT action;
  UINT state;
  bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
  return out << "{action " << d.action << ", state " << d.state << "}";
}

// What the button sent to its parent and what it got itself.
struct Record {
  std::vector<Drawn> drawn;
  std::vector<DRAWITEMSTRUCT> items;
  int clicks = 0;
  std::vector<UINT> buttonMessages;
  HBRUSH controlColour = nullptr;
};
Record* g_record = nullptr;
WNDPROC g_buttonProc = nullptr;

LRESULT CALLBACK RecordingButton(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_record && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) g_record->buttonMessages.push_back(message);
  return CallWindowProcW(g_buttonProc, hwnd, message, wParam, lParam);
}

// A parent at (0,0)-(200,120) on screen with a button at (20,20)-(80,50).
struct Panel {
  WindowLog log;
  Record record;
  HWND parent = nullptr, button = nullptr;

  explicit Panel(DWORD kind = BS_OWNERDRAW) {
    g_record = &record;
    log.handlers[WM_DRAWITEM] = [this](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      EXPECT_EQ(wParam, static_cast<WPARAM>(kId));
      record.drawn.push_back(Drawn{item->itemAction, item->itemState});
      record.items.push_back(*item);
      // Marks the button's top-left corner through the DC it was given.
      RECT mark{0, 0, 10, 10};
      HBRUSH brush = CreateSolidBrush((item->itemState & ODS_SELECTED) ? RGB(0, 0, 255) : RGB(0, 255, 0));
      FillRect(item->hDC, &mark, brush);
      DeleteObject(brush);
      return TRUE;
    };
    log.handlers[WM_COMMAND] = [this](HWND, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT {
      EXPECT_EQ(wParam, MAKEWPARAM(kId, BN_CLICKED));
      EXPECT_EQ(reinterpret_cast<HWND>(lParam), button);
      ++record.clicks;
      return 0;
    };
    log.handlers[WM_CTLCOLORBTN] = [this](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
      return reinterpret_cast<LRESULT>(record.controlColour);
    };
    parent = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 200, 120);
    button = CreateWindowExW(0, WC_BUTTONW, u"OK", WS_CHILD | WS_VISIBLE | kind, 20, 20, 60, 30, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)), nullptr, nullptr);
    EXPECT_NE(button, nullptr);
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingButton)));
    quorla_test::DrainMessages();
    record.drawn.clear();
    record.items.clear();
  }
  ~Panel() {
    ReleaseCapture();
    DestroyWindow(parent);
    g_record = nullptr;
  }

  void Mouse(QEvent::Type type, QPoint screen) {
    quorla_test::SendMouse(parent, type, screen, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton);
    quorla_test::DrainMessages();
  }
};

constexpr UINT kSel = ODS_SELECTED, kFoc = ODS_FOCUS;
const QPoint kIn{50, 35}, kOut{150, 100}, kInAgain{25, 45};

enum class Step { kPress, kMoveIn, kMoveOut, kReleaseIn, kReleaseOut };

TEST(ButtonControl, PressHighlightAndClickTakeTheirTurnsUnderTheCapture) {
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<Drawn> drawn;
    int clicks;
  } cases[] = {
      {"press and release inside",
       {Step::kPress, Step::kReleaseIn},
       {{ODA_FOCUS, kFoc}, {ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}},
       1},
      {"release outside",
       {Step::kPress, Step::kMoveOut, Step::kReleaseOut},
       {{ODA_FOCUS, kFoc}, {ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}},
       0},
      {"out and back in",
       {Step::kPress, Step::kMoveOut, Step::kMoveIn, Step::kReleaseIn},
       {{ODA_FOCUS, kFoc}, {ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}, {ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}},
       1},
      {"moves inside change nothing",
       {Step::kPress, Step::kMoveIn, Step::kMoveIn, Step::kReleaseIn},
       {{ODA_FOCUS, kFoc}, {ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}},
       1},
      {"a release over the button without a press there", {Step::kMoveIn, Step::kReleaseIn}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Panel panel;
    for (Step step : c.steps) {
      switch (step) {
        case Step::kPress:
          panel.Mouse(QEvent::MouseButtonPress, kIn);
          EXPECT_EQ(GetCapture(), panel.button);
          EXPECT_EQ(GetFocus(), panel.button);
          EXPECT_EQ(SendMessageW(panel.button, BM_GETSTATE, 0, 0), static_cast<LRESULT>(BST_PUSHED | BST_FOCUS));
          break;
        case Step::kMoveIn:
          panel.Mouse(QEvent::MouseMove, kInAgain);
          break;
        case Step::kMoveOut:
          panel.Mouse(QEvent::MouseMove, kOut);
          break;
        case Step::kReleaseIn:
          panel.Mouse(QEvent::MouseButtonRelease, kInAgain);
          break;
        case Step::kReleaseOut:
          panel.Mouse(QEvent::MouseButtonRelease, kOut);
          break;
      }
    }
    EXPECT_EQ(panel.record.drawn, c.drawn);
    EXPECT_EQ(panel.record.clicks, c.clicks);
    EXPECT_EQ(GetCapture(), nullptr) << "the release gives the capture back";
    for (const DRAWITEMSTRUCT& item : panel.record.items) {
      EXPECT_EQ(item.CtlType, ODT_BUTTON);
      EXPECT_EQ(item.CtlID, static_cast<UINT>(kId));
      EXPECT_EQ(item.hwndItem, panel.button);
      EXPECT_EQ(item.rcItem.right, 60);
      EXPECT_EQ(item.rcItem.bottom, 30);
    }
  }
}

TEST(ButtonControl, ADoubleClickCountsAsASecondPress) {
  Panel panel;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExW(nullptr, WC_BUTTONW, &info));
  EXPECT_TRUE(info.style & CS_DBLCLKS);
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  panel.Mouse(QEvent::MouseButtonDblClick, kIn);
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  const std::vector<UINT> expected = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
  std::vector<UINT> buttons;
  for (UINT m : panel.record.buttonMessages)
    if (m != WM_MOUSEMOVE) buttons.push_back(m);
  EXPECT_EQ(buttons, expected);
  EXPECT_EQ(panel.record.clicks, 2);
  std::vector<Drawn> second(panel.record.drawn.begin() + 3, panel.record.drawn.end());
  EXPECT_EQ(second, (std::vector<Drawn>{{ODA_SELECT, kSel | kFoc}, {ODA_SELECT, kFoc}}))
      << "the second press highlights again; the focus stays";
}

TEST(ButtonControl, LosingTheCaptureEndsThePressWithoutAClick) {
  Panel panel;
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  SetCapture(panel.parent);  // a menu or another window takes the mouse
  EXPECT_EQ(panel.record.drawn.back(), (Drawn{ODA_SELECT, kFoc}));
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  EXPECT_EQ(panel.record.clicks, 0);
  // Losing the focus during a press ends it as well.
  ReleaseCapture();
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  SetFocus(panel.parent);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessageW(panel.button, BM_GETSTATE, 0, 0), 0);
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  EXPECT_EQ(panel.record.clicks, 0);
}

TEST(ButtonControl, DisabledButtonsRedrawDisabledAndTakeNoPress) {
  Panel panel;
  EnableWindow(panel.button, FALSE);
  ASSERT_EQ(panel.record.drawn.size(), 1u);
  EXPECT_EQ(panel.record.drawn[0], (Drawn{ODA_DRAWENTIRE, ODS_DISABLED}));
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  EXPECT_EQ(panel.record.clicks, 0);
  EXPECT_NE(GetFocus(), panel.button);
  SendMessageW(panel.button, BM_CLICK, 0, 0);
  EXPECT_EQ(panel.record.clicks, 0) << "a disabled button takes no click";
  EnableWindow(panel.button, TRUE);
  EXPECT_EQ(panel.record.drawn.back(), (Drawn{ODA_DRAWENTIRE, 0}));
}

TEST(ButtonControl, StateMessagesAndClickByMessage) {
  Panel panel;
  SendMessageW(panel.button, BM_SETSTATE, TRUE, 0);
  SendMessageW(panel.button, BM_SETSTATE, TRUE, 0);  // no change, no drawing
  EXPECT_EQ(SendMessageW(panel.button, BM_GETSTATE, 0, 0), static_cast<LRESULT>(BST_PUSHED));
  SendMessageW(panel.button, BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(panel.record.drawn, (std::vector<Drawn>{{ODA_SELECT, kSel}, {ODA_SELECT, 0}}));
  SendMessageW(panel.button, BM_CLICK, 0, 0);
  EXPECT_EQ(panel.record.clicks, 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ButtonControl, PaintingFillsWithTheParentsBrushThenAsksForTheWholeButton) {
  struct Case {
    const char* what;
    HBRUSH brush;
    COLORREF expected;  // a point the owner's drawing does not reach
  } cases[] = {
      {"a solid brush", nullptr, RGB(255, 0, 0)},
      {"the hollow brush leaves the parent's pixels", static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)),
       RGB(10, 20, 30)},
      {"no brush", reinterpret_cast<HBRUSH>(-1), RGB(10, 20, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Panel panel;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    panel.record.controlColour = c.brush == nullptr ? red : c.brush == reinterpret_cast<HBRUSH>(-1) ? nullptr : c.brush;
    quorla_test::FillWindow(panel.button, RGB(10, 20, 30));
    InvalidateRect(panel.button, nullptr, TRUE);
    UpdateWindow(panel.button);
    ASSERT_EQ(panel.record.drawn.size(), 1u);
    EXPECT_EQ(panel.record.drawn[0], (Drawn{ODA_DRAWENTIRE, 0}));
    EXPECT_EQ(quorla_test::PixelOf(panel.button, 30, 20), c.expected);
    EXPECT_EQ(quorla_test::PixelOf(panel.button, 5, 5), RGB(0, 255, 0)) << "the owner drew through the button's DC";
    EXPECT_EQ(quorla_test::PixelOf(panel.parent, 25, 25), RGB(0, 255, 0)) << "at the button's place in the parent";
    DeleteObject(red);
  }
}

TEST(ButtonControl, APushButtonDrawsItsOwnFaceAndClicksAlike) {
  Panel panel(BS_PUSHBUTTON);
  UpdateWindow(panel.parent);
  const COLORREF normal = quorla_test::PixelOf(panel.button, 4, 4);
  panel.Mouse(QEvent::MouseButtonPress, kIn);
  const COLORREF pressed = quorla_test::PixelOf(panel.button, 4, 4);
  panel.Mouse(QEvent::MouseButtonRelease, kIn);
  EXPECT_NE(normal, pressed);
  EXPECT_EQ(normal, RGB(225, 225, 225));
  EXPECT_EQ(pressed, RGB(204, 228, 247));
  EXPECT_EQ(panel.record.clicks, 1);
  EXPECT_TRUE(panel.record.drawn.empty()) << "no owner drawing";
  // Its text is drawn: some pixel of the middle row is darker than the face.
  int ink = 0;
  for (int x = 5; x < 55; ++x) ink += GetRValue(quorla_test::PixelOf(panel.button, x, 15)) < 150;
  EXPECT_GT(ink, 0);
}

}  // namespace
