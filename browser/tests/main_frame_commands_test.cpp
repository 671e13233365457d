// The main window's commands that need no page: choosing the search site
// (its icon, the search box's hint, the chooser closing), the site icon
// opening the chooser, the search box's text colour, and Enter, which the
// window takes only in its two boxes.
#include <gtest/gtest.h>

#include <string>

#include "browser_ids.h"
#include "main_frame_rows.h"
#include "main_frame_test_support.h"
#include "search_address.h"
#include "win/dc.h"
#include "win/gdi_objects.h"

namespace browser_test {
namespace {

using MainFrameCommands = MainFrameTest;

std::u16string Text(CWnd& window) {
  CString text;
  window.GetWindowText(text);
  return std::u16string(text.GetString());
}

TEST_F(MainFrameCommands, ChoosingASiteSetsItsIconAndTheHintAndClosesTheChooserAsOtherCommandsDo) {
  struct Case {
    const char* name;
    UINT command;
    const char16_t* typed;  // the user's text in the box; null: the box shows its hint
    const char16_t* hint;  // as the box keeps it
    const char16_t* shown;
  };
  const Case cases[] = {
      {"JD, untouched box", ID_SEARCH_JD, nullptr, u"京东商城搜索", u"京东商城搜索"},
      {"Dangdang, untouched box", ID_SEARCH_DANGDANG, nullptr, u"当当网搜索", u"当当网搜索"},
      // The box keeps the user's words, and with them the hint it had.
      {"Taobao over the user's words", ID_SEARCH_TAOBAO, u"手机", u"当当网搜索", u"手机"},
      // Commands of the range that only close the chooser: the choice stays.
      {"the first that only closes", ID_HIDE_CHOOSER_FIRST, nullptr, u"当当网搜索", u"手机"},
      {"one within", 1605u, nullptr, u"当当网搜索", u"手机"},
      {"the last", ID_HIDE_CHOOSER_LAST, nullptr, u"当当网搜索", u"手机"},
  };
  CSearchEdit& box = frame->SearchBox();
  ASSERT_EQ(Text(box), u"淘宝网搜索") << "the first site's hint from the start";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.typed) {
      box.SetWindowText(c.typed);
      box.SetHintFlag(FALSE);
    }
    SendMessageW(hwnd, WM_COMMAND, ID_SHOW_SITE_CHOOSER, 0);
    ASSERT_TRUE(frame->Chooser().IsWindowVisible());
    SendMessageW(hwnd, WM_COMMAND, c.command, 0);
    EXPECT_FALSE(frame->Chooser().IsWindowVisible());
    EXPECT_EQ(std::u16string(box.GetHintText().GetString()), c.hint);
    EXPECT_EQ(Text(box), c.shown);
    const int chosen = c.command < ID_HIDE_CHOOSER_FIRST ? static_cast<int>(c.command) : ID_SEARCH_TAOBAO;
    EXPECT_EQ(frame->Chooser().GetSelection(), chosen);
    EXPECT_EQ(frame->SiteIcon(), &frame->Chooser().FindEntry(chosen)->icon);
  }
}

TEST_F(MainFrameCommands, AClickOnTheSiteIconOpensTheChooser) {
  ASSERT_NE(frame->SiteIcon(), nullptr);
  const CRect square = RowsPainter(frame->Images(), frame->Metrics()).SiteIconSquare(frame->SiteIcon()->m_nFrameHeight);
  struct Case {
    const char* name;
    CPoint at;
    bool opens;
  };
  const Case cases[] = {
      {"its middle", square.CenterPoint(), true},
      {"its top-left pixel", square.TopLeft(), true},
      {"just right of it", CPoint(square.right, square.top + 4), false},
      {"just below it", CPoint(square.left + 4, square.bottom), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessageW(hwnd, WM_COMMAND, ID_HIDE_CHOOSER_LAST, 0);
    Mouse(WM_LBUTTONDOWN, c.at.x, c.at.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, c.at.x, c.at.y);
    Drain();
    EXPECT_EQ(frame->Chooser().IsWindowVisible() != FALSE, c.opens);
  }
}

TEST_F(MainFrameCommands, TheSearchBoxsHintIsGreyAndTheUsersTextBlack) {
  CSearchEdit& box = frame->SearchBox();
  HDC dc = GetDC(box.m_hWnd);
  for (BOOL hint : {TRUE, FALSE}) {
    box.SetHintFlag(hint);
    SendMessageW(hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box.m_hWnd));
    EXPECT_EQ(GetTextColor(dc), hint ? RGB(0xBE, 0xBE, 0xBE) : RGB(0, 0, 0)) << hint;
  }
  ReleaseDC(box.m_hWnd, dc);
}

TEST_F(MainFrameCommands, EnterIsTheWindowsOnlyInItsTwoBoxes) {
  const int tabs = frame->Tabs().GetItemCount();
  // An empty address box: Enter is taken and does nothing.
  frame->AddressBox().SetWindowText(u"");
  frame->AddressBox().SetFocus();
  MSG inAddressBox{frame->AddressBox().m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(frame->PreTranslateMessage(&inAddressBox));
  EXPECT_EQ(frame->Tabs().GetItemCount(), tabs);
  // An untouched search box: taken, nothing searched.
  frame->SearchBox().SetFocus();
  MSG inSearchBox{frame->SearchBox().m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(frame->PreTranslateMessage(&inSearchBox));
  EXPECT_EQ(frame->Tabs().GetItemCount(), tabs);
  // Anywhere else it goes on: a page's form or a dialog's button gets it.
  CEdit other;
  ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 300, 200, 320), frame.get(), 4242));
  other.SetFocus();
  MSG elsewhere{other.m_hWnd, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_FALSE(frame->PreTranslateMessage(&elsewhere));
  MSG otherKey{frame->AddressBox().m_hWnd, WM_KEYDOWN, 'A', 1, 0, {}};
  frame->AddressBox().SetFocus();
  EXPECT_FALSE(frame->PreTranslateMessage(&otherKey));
}

}  // namespace
}  // namespace browser_test
