// What the main window paints, read back from its client area: the skin's
// rows and edges where the layout puts them and white below the rows; and
// the tooltip control, which the window hands every message it is offered.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "afx/win_app.h"
#include "browser_app.h"
#include "main_frame_test_support.h"
#include "my_image.h"
#include "process_objects.h"
#include "window_pixels.h"
#include "win/common_controls.h"
#include "win/dc.h"
#include "win/dib.h"
#include "win/gdi_objects.h"
#include "win/blit.h"
#include "win/painting.h"
#include "win/window_state.h"

namespace browser_test {
namespace {


// A pixel of a skin image (all of them are opaque where these tests look).
COLORREF ImagePixel(UINT id, int frames, int frame, int x, int y) {
  CMyImage image;
  EXPECT_TRUE(LoadPngImage(id, &image, 1, frames)) << id;
  if (image.IsNull()) return 0;
  const auto* p = static_cast<const BYTE*>(image.GetPixelAddress(frame * image.m_nFrameWidth + x, y));
  EXPECT_EQ(p[3], 255) << "opaque: " << id;
  return RGB(p[2], p[1], p[0]);
}

using MainFramePaint = MainFrameTest;

TEST_F(MainFramePaint, DrawsTheSkinsRowsAndEdgesAndLeavesThePageAreaWhite) {
  for (bool maximised : {true, false}) {
    if (!maximised) RestoreTo(40, 30, 1000, 700);
    SCOPED_TRACE(maximised ? "maximised" : "restored");
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    const CRect client = ClientRect();
    const int W = client.Width(), H = client.Height();
    const FrameImages& images = frame->Images();
    const int cH = images.CaptionHeight(), nH = images.NavigationHeight(), fH = images.FavouritesHeight();
    const int sH = images.StatusHeight(), bH = images.BottomHeight();
    ASSERT_GT(cH, 0);
    ASSERT_GT(nH, 0);
    struct Case {
      const char* what;
      POINT at;
      COLORREF colour;
    };
    const Case cases[] = {
        {"page area", {W / 2, (cH + nH + fH + H - sH - bH) / 2}, RGB(255, 255, 255)},
        {"the tab strip's background just below the rows", {W / 2, cH + nH + fH}, ImagePixel(332, 1, 0, 0, 0)},
        {"just above the status bar", {W / 2, H - sH - bH - 1}, RGB(255, 255, 255)},
        {"caption middle", {W / 2, cH / 2}, ImagePixel(329, 3, 1, 0, cH / 2)},
        {"caption's last row", {W / 2, cH - 1}, ImagePixel(329, 3, 1, 0, cH - 1)},
        {"caption's left end", {1, cH / 2}, ImagePixel(329, 3, 0, 1, cH / 2)},
        // Right of the search button, where no box or button lies.
        {"navigation row", {W - 5, cH + nH / 2}, ImagePixel(331, 1, 0, 0, nH / 2)},
        {"navigation row's first line", {W / 2, cH}, ImagePixel(331, 1, 0, 0, 0)},
        {"address box frame's left end", {300 + 1, cH + nH / 2}, ImagePixel(369, 2, 0, 1, 14)},
        {"address box frame's middle", {W / 2, cH + nH / 2}, ImagePixel(369, 2, 1, 0, 14)},
        {"favourites row", {W / 2, cH + nH + fH / 2}, ImagePixel(356, 1, 0, 0, fH / 2)},
        {"favourites row's last line", {W / 2, cH + nH + fH - 1}, ImagePixel(356, 1, 0, 0, fH - 1)},
        {"status bar", {W / 2, H - bH - sH / 2}, ImagePixel(330, 1, 0, 0, sH / 2)},
        {"status bar's first line", {W / 2, H - bH - sH}, ImagePixel(330, 1, 0, 0, 0)},
        {"left border", {0, H / 2}, ImagePixel(327, 1, 0, 0, 0)},
        {"right border", {W - 1, H / 2}, ImagePixel(325, 1, 0, 0, 0)},
        {"bottom border", {W / 2, H - 1}, ImagePixel(326, 1, 0, 0, 0)},
    };
    for (const Case& c : cases)
      EXPECT_EQ(quorla_test::PixelOf(hwnd, c.at.x, c.at.y), c.colour) << c.what << " at " << c.at.x << "," << c.at.y;
  }
}

TEST_F(MainFramePaint, MessagesOfItsChildrenReachTheTooltipsThroughTheLoopsPreTranslation) {
  CWinApp* app = AfxGetApp();
  ASSERT_NE(app, nullptr);
  app->m_pMainWnd = frame.get();
  HWND tips = frame->ToolTips().GetSafeHwnd();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(frame->ToolTips().GetToolCount(), 7) << "one tool per button of the two bars";
  frame->ToolTips().SetDelayTime(TTDT_INITIAL, 50);

  // The pointer rests on the close button: the bar's own move, offered to
  // the loop's pre-translation, is not swallowed and reaches the tooltips.
  HWND bar = frame->CaptionButtons().GetSafeHwnd();
  const auto* close = frame->CaptionButtons().GetButton(2);
  ASSERT_NE(close, nullptr);
  POINT inBar{close->rect.CenterPoint().x, close->rect.CenterPoint().y};
  POINT screen = inBar;
  ClientToScreen(bar, &screen);
  MSG move{bar, WM_MOUSEMOVE, 0, MAKELPARAM(inBar.x, inBar.y), GetTickCount(), screen};
  EXPECT_FALSE(app->PreTranslateMessage(&move));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!IsWindowVisible(tips) && std::chrono::steady_clock::now() < deadline) {
    Drain();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(IsWindowVisible(tips)) << "the close button's tip shows";

  // A press goes there too and hides it.
  MSG press{bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inBar.x, inBar.y), GetTickCount(), screen};
  EXPECT_FALSE(app->PreTranslateMessage(&press));
  Drain();
  EXPECT_FALSE(IsWindowVisible(tips)) << "hidden on a press";
  app->m_pMainWnd = nullptr;
}

}  // namespace
}  // namespace browser_test
