// The price-drop notice on the offscreen platform: its template, its
// controls before and after it opens, its shape, its layout, which presses
// drag it, its buttons and share items, and its picture.
#include <algorithm>

#include "popup_test_support.h"
#include "share_address.h"
#include "win/regions.h"
#include "win/window_styles.h"

namespace {

using namespace popup_test;

constexpr char16_t kUrl[] = u"http://rules.localhost:8080/item?id=1&from=tray#top";
constexpr char16_t kTitle[] = u"超值套装 Tom & Jerry #2 限量版纪念礼盒装";

// A screen of 1280 x 1024 with a 40-pixel panel at its bottom.
constexpr RECT kScreen{0, 0, 1280, 1024};
constexpr RECT kWork{0, 0, 1280, 984};

class NoticePopupTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadSkinBitmaps()) << "the skins are built into the test program"; }

  // Runs the pop-up for the item; during acts once it is shown. Returns
  // DoModal's result.
  INT_PTR Run(const std::function<void(ProbedNotice&)>& during,
              const ReducePriceItem& item = NoticeItem(kUrl, kTitle, 99.2, 80.5)) {
    notice.SetItem(item);
    notice.onShown = during;
    return notice.DoModal(nullptr);
  }

  InjectedMonitor monitor{kScreen, kWork};
  ProbedNotice notice;
};

TEST_F(NoticePopupTest, TemplateIsAToolWindowPopUpWithTheShellFont) {
  notice.DoInitTemplate();
  const DLGTEMPLATE* head = notice.m_Template.GetTemplatePtr();
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->style, static_cast<DWORD>(WS_POPUP | DS_SETFONT));
  EXPECT_EQ(head->dwExtendedStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  EXPECT_EQ((std::vector<int>{head->cdit, head->x, head->y, head->cx, head->cy}), (std::vector<int>{0, 0, 0, 187, 98}));
  // After the head: no menu, the default class, an empty title, 8 points, the face.
  const auto* words = reinterpret_cast<const WORD*>(head + 1);
  EXPECT_EQ((std::vector<WORD>(words, words + 4)), (std::vector<WORD>{0, 0, 0, 8}));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(words + 4)), u"MS Shell Dlg");
}

TEST_F(NoticePopupTest, ControlsStartEmptyAndTheFirstSizeComesBeforeTheInitialisation) {
  const CSFWnd* controls[] = {&notice.TitleLabel(),  &notice.MessageLabel(), &notice.ShareLink(),
                              &notice.ProductImage(), &notice.ProductTitle(), &notice.CloseButton(),
                              &notice.OpenButton(),  &notice.ProductBox(),   &notice.PriceBox(0),
                              &notice.PriceBox(1),   &notice.PriceBox(2)};
  for (const CSFWnd* control : controls) {
    EXPECT_EQ(sfwnd_test::Box(control->GetWndRect()), "0,0,0,0");
    EXPECT_EQ(control->GetStyle(), 0);
  }
  EXPECT_EQ(Run([](ProbedNotice& n) { n.SendMessage(WM_CLOSE); }), 1);
  ASSERT_GE(notice.sizingOrder.size(), 3u);
  EXPECT_EQ(notice.sizingOrder[0], static_cast<UINT>(WM_SIZE)) << "the dialog's own size, before its controls exist";
  EXPECT_EQ(notice.sizingOrder[1], static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(notice.sizingOrder[2], static_cast<UINT>(WM_SIZE)) << "the size of the background skin";
  // Laid out with its zero size then: at the right edge, 5 pixels in.
  EXPECT_EQ(notice.closeAtFirstSize.top, 1);
  EXPECT_EQ(notice.closeAtFirstSize.right - notice.closeAtFirstSize.left, 0);
}

TEST_F(NoticePopupTest, OpensRoundedAtTheBottomRightOfTheWorkAreaWithItsControlsInPlace) {
  // The corners are rounded and the pixel next to each is cut.
  const std::pair<POINT, bool> points[] = {
      {{0, 0}, false},     {{1, 0}, false},     {{0, 1}, false},     {{1, 1}, false},     {{2, 0}, true},
      {{0, 2}, true},      {{2, 2}, true},      {{396, 0}, false},   {{395, 1}, false},   {{394, 0}, true},
      {{396, 2}, true},    {{0, 316}, false},   {{1, 315}, false},   {{0, 314}, true},    {{2, 316}, true},
      {{396, 316}, false}, {{395, 315}, false}, {{394, 316}, true},  {{396, 314}, true},  {{200, 150}, true},
      {{397, 150}, false}, {{200, 317}, false},
  };
  std::vector<bool> inside;
  RECT window{};
  std::vector<const CSFWnd*> registered;
  Run([&](ProbedNotice& n) {
    GetWindowRect(n.m_hWnd, &window);
    registered.assign(n.GetWnds().begin(), n.GetWnds().end());
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(n.m_hWnd, shape) != ERROR)
      for (const auto& [point, in] : points) inside.push_back(PtInRegion(shape, point.x, point.y) != FALSE);
    DeleteObject(shape);
    n.SendMessage(WM_CLOSE);
  });
  ASSERT_EQ(inside.size(), std::size(points)) << "the window has a shape";
  for (std::size_t i = 0; i < inside.size(); ++i)
    EXPECT_EQ(inside[i], points[i].second) << "(" << points[i].first.x << ", " << points[i].first.y << ")";
  EXPECT_EQ(window.left, 1280 - 5 - 397);
  EXPECT_EQ(window.top, 984 - 5 - 317);
  EXPECT_EQ(window.right - window.left, 397);
  EXPECT_EQ(window.bottom - window.top, 317);

  struct Placed {
    const char* name;
    const CSFWnd* control;
    RECT rect;
    int style;
  };
  const Placed table[] = {
      {"close button", &notice.CloseButton(), {371, 1, 392, 21}, 0x2E},
      {"open button", &notice.OpenButton(), {246, 270, 372, 301}, 0x2E},
      {"title", &notice.TitleLabel(), {8, 8, 258, 38}, 0x2E},
      {"message", &notice.MessageLabel(), {18, 45, 395, 105}, 0x2E},
      {"product box", &notice.ProductBox(), {18, 135, 395, 181}, 0x2E},
      {"product image, in the box", &notice.ProductImage(), {0, 0, 367, 46}, 0x2E},
      {"product title, in the box", &notice.ProductTitle(), {0, 0, 367, 46}, 0x2E},
      {"former price", &notice.PriceBox(0), {31, 181, 145, 237}, 0x26},
      {"current price", &notice.PriceBox(1), {145, 181, 259, 237}, 0x26},
      {"drop", &notice.PriceBox(2), {259, 181, 373, 237}, 0x26},
      {"share link", &notice.ShareLink(), {13, 287, 163, 317}, 0x2E},
  };
  for (const Placed& p : table) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(sfwnd_test::Box(p.control->GetWndRect()), sfwnd_test::Box(p.rect));
    EXPECT_EQ(p.control->GetStyle(), p.style);
  }
  // Painted and hit in this order; the product box's parts are its own.
  const std::vector<const CSFWnd*> order = {&notice.CloseButton(), &notice.OpenButton(), &notice.TitleLabel(),
                                            &notice.ProductBox(),  &notice.ShareLink(),  &notice.PriceBox(0),
                                            &notice.PriceBox(1),   &notice.PriceBox(2),  &notice.MessageLabel()};
  EXPECT_EQ(registered, order);
  EXPECT_EQ(notice.ProductBox().GetChildren(),
            (std::vector<CSFWnd*>{const_cast<CImageWnd*>(&notice.ProductImage()),
                                  const_cast<CSFTxtWnd*>(&notice.ProductTitle())}));
}

TEST_F(NoticePopupTest, TextsAndPricesComeFromTheItem) {
  Run([](ProbedNotice& n) { n.SendMessage(WM_CLOSE); });
  struct Text {
    const char* name;
    const CSFTxtWnd* label;
    std::u16string text;
    UINT format;
  };
  const Text texts[] = {
      {"title", &notice.TitleLabel(), u"{#font=6}Quorla购物浏览器 降价通知", 0x8820},
      {"product title", &notice.ProductTitle(), std::u16string(u"{#font=4,color=ff}") + kTitle, 0x8825},
      {"message", &notice.MessageLabel(),
       u"您于 {#color=ff}2012-3-7{/} 号关注的商品现在降价啦! 为避免商品价\r\n格调回原价, 如果达到了您的心里价位, 建议您尽快购买!",
       0x8820},
      {"share link", &notice.ShareLink(), u"{#color=65280}分享降价商品给好友", 0x8820},
  };
  for (const Text& t : texts) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(t.label->GetText(), t.text);
    EXPECT_EQ(t.label->GetFormat(), t.format);
    EXPECT_EQ(t.label->IsLinkMode(), t.label == &notice.ShareLink());
  }
  // The product's "&" and "#" reach the mark-up as they are, in font 4, red.
  ASSERT_EQ(notice.ProductTitle().GetSegments().size(), 1u);
  EXPECT_EQ(notice.ProductTitle().GetSegments()[0].font, 4);
  EXPECT_EQ(notice.ProductTitle().GetSegments()[0].color, RGB(255, 0, 0));

  const char16_t* captions[] = {u"原价", u"现价", u"直降"};
  const char16_t* values[] = {u"99", u"80", u"18"};  // the drop is 18.7 truncated, not 99 - 80
  for (int kind = 0; kind < 3; ++kind) {
    EXPECT_EQ(notice.PriceBox(kind).GetKind(), kind);
    EXPECT_EQ(notice.PriceBox(kind).CaptionText(), captions[kind]);
    EXPECT_EQ(notice.PriceBox(kind).ValueText(), values[kind]);
  }
  EXPECT_EQ(notice.CloseButton().GetId(), 1001);
  EXPECT_EQ(notice.OpenButton().GetId(), 1002);
  EXPECT_EQ(notice.ShareLink().GetId(), 1003);
}

TEST_F(NoticePopupTest, PressesOnTheBackgroundAndTheBoxesDragButNotOnButtonsOrLabels) {
  struct Press {
    const char* where;
    int x, y;
    bool drags;
  };
  const Press presses[] = {
      {"background between the texts", 200, 120, true},
      {"background at the left edge", 3, 200, true},
      {"product box", 100, 150, true},
      {"former price", 60, 200, true},
      {"current price", 170, 230, true},
      {"drop", 300, 190, true},
      {"close button", 380, 10, false},
      {"open button", 300, 285, false},
      {"title", 20, 15, false},
      {"message", 50, 60, false},
      {"share link", 30, 300, false},
  };
  std::vector<std::size_t> requests;
  const INT_PTR result = Run([&](ProbedNotice& n) {
    for (const Press& p : presses) {
      n.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
      n.SendMessage(WM_LBUTTONUP, 0, At(p.x, p.y));
      requests.push_back(n.moveRequests.size());
    }
    n.SendMessage(WM_CLOSE);
  });
  EXPECT_EQ(result, 1);
  ASSERT_EQ(requests.size(), std::size(presses));
  std::size_t before = 0;
  for (std::size_t i = 0; i < requests.size(); ++i) {
    EXPECT_EQ(requests[i] - before, presses[i].drags ? 1u : 0u) << presses[i].where;
    before = requests[i];
  }
  for (WPARAM request : notice.moveRequests) EXPECT_EQ(request, static_cast<WPARAM>(0xF012));
}

TEST_F(NoticePopupTest, MaximisedItNeitherDragsNorKeepsItsCloseButtonFiveFromTheEdge) {
  RECT close{};
  RECT client{};
  Run([&](ProbedNotice& n) {
    n.ShowWindow(SW_MAXIMIZE);
    GetClientRect(n.m_hWnd, &client);
    close = n.CloseButton().GetWndRect();
    n.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(200, 120));
    n.SendMessage(WM_LBUTTONUP, 0, At(200, 120));
    n.SendMessage(WM_CLOSE);
  });
  EXPECT_EQ(client.right, 1280) << "maximised into the work area";
  EXPECT_EQ(close.right, client.right - 2);
  EXPECT_EQ(close.top, 1);
  EXPECT_TRUE(notice.moveRequests.empty());
}

TEST_F(NoticePopupTest, TheCloseButtonEndsThePopUpAndAMissedClickDoesNothing) {
  BrowserStarts starts;
  bool stillOpenAfterMiss = false;
  bool hidden = false;
  const INT_PTR result = Run([&](ProbedNotice& n) {
    // Pressed on the open button, released off it: no click.
    n.SendMessage(WM_MOUSEMOVE, 0, At(300, 285));
    n.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(300, 285));
    n.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(300, 200));
    n.SendMessage(WM_LBUTTONUP, 0, At(300, 200));
    stillOpenAfterMiss = n.IsWindowVisible();
    ClickAt(n.m_hWnd, 380, 10);
    // The close arrives as a posted WM_CLOSE, which hides the pop-up.
    MSG msg;
    while (n.IsWindow() && n.IsWindowVisible() && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    hidden = !n.IsWindowVisible();
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(stillOpenAfterMiss);
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(starts.AwaitLines(0).empty()) << "no browser was started";
}

TEST_F(NoticePopupTest, TheOpenButtonStartsTheBrowserOnTheProductAndEndsThePopUp) {
  BrowserStarts starts;
  const INT_PTR result = Run([](ProbedNotice& n) { ClickAt(n.m_hWnd, 300, 285); });
  EXPECT_EQ(result, 1);
  const std::vector<std::string> lines = starts.AwaitLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], BrowserStarts::LineFor("http://rules.localhost:8080/item?id=1&from=tray#top"));
}

TEST_F(NoticePopupTest, ShareItemsStartTheBrowserOnTheShareAddressAndThePopUpStays) {
  BrowserStarts starts;
  const ReducePriceItem item = NoticeItem(kUrl, kTitle, 99.2, 80.5);
  bool open = false;
  Run(
      [&](ProbedNotice& n) {
        n.SendMessage(WM_COMMAND, ID_SHARE_SINA, 0);
        n.SendMessage(WM_COMMAND, ID_SHARE_TENCENT, 0);
        // From a control, not the menu: not a share item.
        n.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SHARE_SINA, SFN_CLICKED), 0);
        open = n.IsWindowVisible();
        n.SendMessage(WM_CLOSE);
      },
      item);
  EXPECT_TRUE(open);
  const std::vector<std::string> lines = starts.AwaitLines(2);
  ASSERT_EQ(lines.size(), 2u);
  auto narrow = [](const std::u16string& text) { return std::string(text.begin(), text.end()); };
  const std::vector<std::string> expected = {
      BrowserStarts::LineFor(narrow(BuildShareAddress(ID_SHARE_SINA, item))),
      BrowserStarts::LineFor(narrow(BuildShareAddress(ID_SHARE_TENCENT, item)))};
  // Started in parallel, so in either order.
  const std::vector<std::string> swapped = {expected[1], expected[0]};
  EXPECT_TRUE(lines == expected || lines == swapped);
  EXPECT_NE(lines[0].find("webid=t"), std::string::npos);
}

TEST_F(NoticePopupTest, ItsPictureIsTheBackgroundSkinWithInkWhereTheTextsAre) {
  std::unique_ptr<sfwnd_test::Surface> image;
  Run([&](ProbedNotice& n) {
    image = ReadWindow(n.m_hWnd, 397, 317);
    n.SendMessage(WM_CLOSE);
  });
  for (POINT p : {POINT{200, 120}, POINT{5, 250}, POINT{390, 250}})
    EXPECT_EQ(image->Rgb(p.x, p.y), SkinPixel(SKIN_BACKGROUND, p.x, p.y)) << p.x << ", " << p.y;
  auto inkIn = [&](RECT r) {
    int differing = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) differing += image->Rgb(x, y) != SkinPixel(SKIN_BACKGROUND, x, y);
    return differing;
  };
  EXPECT_GT(inkIn({8, 8, 258, 38}), 50) << "the title";
  EXPECT_GT(inkIn({18, 45, 395, 105}), 200) << "the message's two lines";
  EXPECT_GT(inkIn({18, 135, 395, 181}), 200) << "the product box";
  EXPECT_GT(inkIn({13, 287, 163, 317}), 50) << "the share link";
}

}  // namespace
