// Dialog objects over an in-memory template: what the object sees, in which
// order, and how its modal loop ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "atl/dialog_impl.h"
#include "atl/message_loop.h"
#include "atl/window_impl.h"

namespace {

using ATL::CIndirectDialogImpl;
using ATL::CWindow;
using ATL::CWindowImpl;

constexpr UINT kFinish = WM_APP + 20;  // wParam: the result for EndDialog
constexpr UINT kAnswer = WM_APP + 21;

class NoticeDialog : public CIndirectDialogImpl<NoticeDialog> {
 public:
  BEGIN_DIALOG(0, 0, 187, 98)
    DIALOG_STYLE(WS_POPUP | DS_SETFONT)
    DIALOG_EXSTYLE(WS_EX_TOOLWINDOW)
    DIALOG_FONT(8, u"MS Shell Dlg")
  END_DIALOG()

  BEGIN_MSG_MAP(NoticeDialog)
    seen.push_back(uMsg);
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindow)
    MESSAGE_HANDLER(kFinish, OnFinish)
    MESSAGE_HANDLER(kAnswer, OnAnswer)
  END_MSG_MAP()

  LRESULT OnInitDialog(UINT, WPARAM, LPARAM lParam, BOOL&) {
    initParam = lParam;
    RECT area{};
    GetClientRect(&area);
    sizeAtInit = {area.right, area.bottom};
    visibleAtInit = IsWindowVisible() != FALSE;
    if (endAtInit) EndDialog(endAtInit);
    return TRUE;
  }
  LRESULT OnShowWindow(UINT, WPARAM shown, LPARAM, BOOL& bHandled) {
    if (shown) PostMessage(kFinish, 17);
    bHandled = FALSE;
    return 0;
  }
  LRESULT OnSize(UINT, WPARAM, LPARAM lParam, BOOL&) {
    sizes.push_back({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
  }
  LRESULT OnFinish(UINT, WPARAM result, LPARAM, BOOL&) {
    EXPECT_EQ(SendMessage(kAnswer), 1234);
    EndDialog(static_cast<int>(result));
    return 0;
  }
  LRESULT OnAnswer(UINT, WPARAM, LPARAM, BOOL&) { return 1234; }
  void OnFinalMessage(HWND hWnd) override { finalHandles.push_back(hWnd); }

  std::vector<UINT> seen;
  std::vector<SIZE> sizes;
  std::vector<HWND> finalHandles;
  SIZE sizeAtInit{};
  bool visibleAtInit = true;
  LPARAM initParam = 0;
  int endAtInit = 0;
};

size_t PositionOf(const std::vector<UINT>& seen, UINT message) {
  return static_cast<size_t>(std::find(seen.begin(), seen.end(), message) - seen.begin());
}

TEST(DialogImplTest, SeesEveryMessageInTheOrderOfCreation) {
  NoticeDialog dialog;
  EXPECT_EQ(dialog.DoModal(nullptr, 0x5150), 17);
  EXPECT_EQ(dialog.initParam, 0x5150);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  ASSERT_EQ(dialog.finalHandles.size(), 1u);
  EXPECT_FALSE(IsWindow(dialog.finalHandles[0]));

  const auto& seen = dialog.seen;
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), static_cast<UINT>(WM_NCCREATE));
  // The size of creation comes before WM_INITDIALOG, the font before both
  // the items and WM_INITDIALOG, showing after it.
  EXPECT_LT(PositionOf(seen, WM_SIZE), PositionOf(seen, WM_INITDIALOG));
  EXPECT_LT(PositionOf(seen, WM_SETFONT), PositionOf(seen, WM_INITDIALOG));
  EXPECT_LT(PositionOf(seen, WM_INITDIALOG), PositionOf(seen, WM_SHOWWINDOW));
  EXPECT_LT(PositionOf(seen, WM_SHOWWINDOW), seen.size());
  EXPECT_FALSE(dialog.visibleAtInit);
  // 187 x 98 dialog units of "MS Shell Dlg" 8: 6 x 13 pixels per 4 x 8.
  EXPECT_EQ(dialog.sizeAtInit.cx, 281);
  EXPECT_EQ(dialog.sizeAtInit.cy, 159);
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(DialogImplTest, EndedDuringInitIsNeverShownAndCanRunAgain) {
  NoticeDialog dialog;
  dialog.endAtInit = 3;
  EXPECT_EQ(dialog.DoModal(nullptr), 3);
  EXPECT_EQ(PositionOf(dialog.seen, WM_SHOWWINDOW), dialog.seen.size());
  dialog.seen.clear();
  dialog.endAtInit = 0;
  EXPECT_EQ(dialog.DoModal(nullptr), 17);
  EXPECT_EQ(dialog.finalHandles.size(), 2u);
}

// The tray's course: the main window's timer runs the notice modally; while
// it is open the main window is closed and destroyed, and the quit request
// ends the notice's loop and then the main loop.
class HostWindow : public CWindowImpl<HostWindow> {
 public:
  DECLARE_WND_CLASS_EX(u"QuorlaAtlHost", CS_DBLCLKS, COLOR_WINDOW)
  BEGIN_MSG_MAP(HostWindow)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
  END_MSG_MAP()

  LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&) {
    if (showing) return 0;
    showing = true;
    KillTimer(1);
    Popup popup(this);
    noticeResult = popup.DoModal(::GetActiveWindow());
    // The window went away inside the notice's loop; the object is whole.
    handleAfterNotice = m_hWnd;
    finalCallsAfterNotice = finalCalls;
    windowAliveAfterNotice = IsWindow() != FALSE;
    showing = false;
    return 0;
  }
  LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&) {
    ShowWindow(SW_HIDE);
    DestroyWindow();
    PostQuitMessage(0);
    return 0;
  }
  void OnFinalMessage(HWND) override { ++finalCalls; }

  class Popup : public CIndirectDialogImpl<Popup> {
   public:
    explicit Popup(HostWindow* host) : host_(host) {}
    BEGIN_DIALOG(0, 0, 187, 98)
      DIALOG_STYLE(WS_POPUP | DS_SETFONT)
      DIALOG_FONT(8, u"MS Shell Dlg")
    END_DIALOG()
    BEGIN_MSG_MAP(Popup)
      MESSAGE_HANDLER(WM_SHOWWINDOW, OnShow)
    END_MSG_MAP()
    LRESULT OnShow(UINT, WPARAM shown, LPARAM, BOOL& bHandled) {
      // The user picks the exit item while the notice is open.
      if (shown) host_->PostMessage(WM_CLOSE);
      bHandled = FALSE;
      return 0;
    }

   private:
    HostWindow* host_;
  };

  bool showing = false;
  INT_PTR noticeResult = -5;
  HWND handleAfterNotice = nullptr;
  int finalCalls = 0;
  int finalCallsAfterNotice = -1;
  bool windowAliveAfterNotice = true;
};

TEST(DialogImplTest, ExitChosenInsideANoticeRunByTheMainWindowsTimer) {
  HostWindow host;
  HWND hwnd = host.Create(nullptr, CWindow::rcDefault, nullptr, 0x860B0000, 0x40100);
  ASSERT_NE(hwnd, nullptr);
  host.ShowWindow(SW_HIDE);
  host.SetTimer(1, 10);
  WTL::CMessageLoop loop;
  EXPECT_EQ(loop.Run(), 0);
  EXPECT_EQ(host.handleAfterNotice, hwnd);
  EXPECT_EQ(host.finalCallsAfterNotice, 0);
  EXPECT_FALSE(host.windowAliveAfterNotice);
  EXPECT_EQ(host.finalCalls, 1);
  EXPECT_EQ(host.m_hWnd, nullptr);
  EXPECT_EQ(host.noticeResult, 0);
}

}  // namespace
