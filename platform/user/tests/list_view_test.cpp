// The list view in report mode on its own: items inserted at the top, cells
// and hit tests, owner-drawn rows, scrolling by the wheel and by its scroll
// bar, and its header laid out through whatever procedure the header has.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "window_test_support.h"
#include "win/list_view.h"
#include "win/scroll_bars.h"

namespace {

using quorla_test::WindowLog;

constexpr int kColumns[] = {280, 60, 90};

struct DrawnRow {
  UINT itemID;
  UINT ctlType;
  UINT action;
  RECT rect;
  ULONG_PTR data;
};

// A dialog-like parent with a report list of three columns and rows 30
// pixels high (a small image list of 16 × 30).
class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_.handlers[WM_DRAWITEM] = [this](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      drawn_.push_back(DrawnRow{item->itemID, item->CtlType, item->itemAction, item->rcItem, item->itemData});
      return TRUE;
    };
    parent_ = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 500, 400);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT, 10,
                            20, 450, 200, parent_, reinterpret_cast<HMENU>(2000), nullptr, nullptr);
    ASSERT_NE(list_, nullptr);
    images_ = ImageList_Create(16, 30, ILC_COLOR24, 0, 0);
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    const char16_t* headings[] = {u"商品名称", u"来源网站", u"当时价格"};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column{};
      column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
      column.fmt = LVCFMT_LEFT;
      column.cx = kColumns[i];
      column.pszText = const_cast<LPWSTR>(headings[i]);
      ASSERT_EQ(SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)), i);
    }
    quorla_test::DrainMessages();
    header_ = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    RECT headerRect{};
    GetClientRect(header_, &headerRect);
    headerHeight_ = headerRect.bottom;
  }
  void TearDown() override {
    DestroyWindow(parent_);
    ImageList_Destroy(images_);
    quorla_test::DrainMessages();
  }

  // Inserts at the top, as the watch list does: the newest first.
  void InsertAtTop(int id) {
    const std::u16string title = u"item " + std::u16string(1, static_cast<char16_t>(u'0' + id % 10));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0;
    item.pszText = const_cast<LPWSTR>(title.c_str());
    item.lParam = id;
    ASSERT_EQ(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), 0);
    const std::u16string site = u"site" + std::u16string(1, static_cast<char16_t>(u'0' + id % 10));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<LPWSTR>(site.c_str());
    ASSERT_TRUE(SendMessageW(list_, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&sub)));
  }
  std::u16string Text(int row, int column) const {
    WCHAR buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  LPARAM Data(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
  }
  quorla_test::Edges ItemEdges(int row) const {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    EXPECT_TRUE(SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)));
    return quorla_test::EdgesOf(rect);
  }
  int Top() const { return static_cast<int>(SendMessageW(list_, LVM_GETTOPINDEX, 0, 0)); }
  // The child at the list's right edge, below the header.
  HWND ScrollBar() const {
    HWND child = ChildWindowFromPoint(list_, POINT{445, 150});
    return child && child != list_ && child != header_ && IsWindowVisible(child) ? child : nullptr;
  }
  // Repaints the whole list and returns the rows the parent drew.
  std::vector<DrawnRow> Repaint() {
    drawn_.clear();
    InvalidateRect(list_, nullptr, TRUE);
    UpdateWindow(list_);
    return drawn_;
  }

  WindowLog log_;
  std::vector<DrawnRow> drawn_;
  HWND parent_ = nullptr, list_ = nullptr, header_ = nullptr;
  HIMAGELIST images_ = nullptr;
  int headerHeight_ = 0;
};

TEST_F(ListViewTest, ItemsInsertedAtTheTopListTheNewestFirstAndKeepTheirTextsAndData) {
  for (int id = 1; id <= 3; ++id) InsertAtTop(id);
  EXPECT_EQ(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0), 3);
  struct Row {
    std::u16string title, site;
    LPARAM data;
  } expected[] = {{u"item 3", u"site3", 3}, {u"item 2", u"site2", 2}, {u"item 1", u"site1", 1}};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Text(row, 0), expected[row].title) << row;
    EXPECT_EQ(Text(row, 1), expected[row].site) << row;
    EXPECT_EQ(Text(row, 2), u"") << row;
    EXPECT_EQ(Data(row), expected[row].data) << row;
  }
  // Deleting the middle row closes the gap; deleting all empties the list.
  EXPECT_TRUE(SendMessageW(list_, LVM_DELETEITEM, 1, 0));
  EXPECT_EQ(Data(0), 3);
  EXPECT_EQ(Data(1), 1);
  EXPECT_FALSE(SendMessageW(list_, LVM_DELETEITEM, 2, 0)) << "no such row";
  EXPECT_EQ(Data(2), -1);
  EXPECT_TRUE(SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0));
  EXPECT_EQ(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViewTest, ColumnWidthsComeFromTheHeaderAndChangeThroughIt) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0), kColumns[i]);
  EXPECT_EQ(SendMessageW(list_, LVM_GETCOLUMNWIDTH, 3, 0), 0);
  EXPECT_TRUE(SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, 75));
  EXPECT_FALSE(SendMessageW(list_, LVM_SETCOLUMNWIDTH, 5, 75));
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  ASSERT_TRUE(SendMessageW(header_, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.cxy, 75);
  EXPECT_EQ(SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0), 3);
}

TEST_F(ListViewTest, SubItemRectanglesFollowColumnsAndRowsOfTheImageListsHeight) {
  for (int id = 1; id <= 3; ++id) InsertAtTop(id);
  EXPECT_GT(headerHeight_, 0);
  const int row1 = headerHeight_ + 30;
  struct Case {
    int row, column, code;
    bool ok;
    quorla_test::Edges expected;
  } cases[] = {
      {0, 0, LVIR_BOUNDS, true, {0, headerHeight_, 430, headerHeight_ + 30}},  // the whole row
      {1, 0, LVIR_LABEL, true, {0, row1, 280, row1 + 30}},
      {1, 1, LVIR_BOUNDS, true, {280, row1, 340, row1 + 30}},
      {1, 2, LVIR_BOUNDS, true, {340, row1, 430, row1 + 30}},
      {2, 2, LVIR_LABEL, true, {340, row1 + 30, 430, row1 + 60}},
      {3, 0, LVIR_BOUNDS, false, {}},  // no such row
      {0, 3, LVIR_BOUNDS, false, {}},  // no such column
  };
  for (const Case& c : cases) {
    RECT rect{c.code, c.column, 0, 0};
    const bool ok = SendMessageW(list_, LVM_GETSUBITEMRECT, static_cast<WPARAM>(c.row), reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(ok, c.ok) << c.row << "," << c.column;
    if (ok) {
      EXPECT_EQ(quorla_test::EdgesOf(rect), c.expected) << c.row << "," << c.column;
    }
  }
  EXPECT_EQ(ItemEdges(2), (quorla_test::Edges{0, headerHeight_ + 60, 430, headerHeight_ + 90}));
}

TEST_F(ListViewTest, HitTestsNameTheRowAndTheColumnUnderAPoint) {
  for (int id = 1; id <= 3; ++id) InsertAtTop(id);
  const int y0 = headerHeight_ + 15, y2 = headerHeight_ + 75;
  struct Case {
    POINT point;
    int item, subItem;
    UINT flags;
  } cases[] = {
      {{4, y0}, 0, 0, LVHT_ONITEMLABEL},
      {{279, y0}, 0, 0, LVHT_ONITEMLABEL},
      {{280, y0}, 0, 1, LVHT_ONITEMLABEL},
      {{429, y2}, 2, 2, LVHT_ONITEMLABEL},
      {{430, y2}, -1, -1, LVHT_NOWHERE},  // right of the last column
      {{50, headerHeight_ + 90}, -1, -1, LVHT_BELOW},
      {{50, headerHeight_ - 1}, -1, -1, LVHT_ABOVE},
  };
  for (const Case& c : cases) {
    LVHITTESTINFO info{};
    info.pt = c.point;
    EXPECT_EQ(SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.item)
        << c.point.x << "," << c.point.y;
    EXPECT_EQ(info.iItem, c.item);
    EXPECT_EQ(info.iSubItem, c.subItem);
    EXPECT_EQ(info.flags, c.flags) << c.point.x << "," << c.point.y;
  }
}

TEST_F(ListViewTest, TheParentDrawsEachVisibleRowOnce) {
  // 200 pixels: the header, then five whole rows and part of a sixth.
  const int fitting = (200 - headerHeight_) / 30;
  const bool partial = (200 - headerHeight_) % 30 != 0;
  struct Case {
    int items;
    int scrollTo;
    int first, count;
  } cases[] = {
      {0, 0, 0, 0},
      {3, 0, 0, 3},
      {12, 0, 0, fitting + (partial ? 1 : 0)},
      {12, 4, 4, fitting + (partial ? 1 : 0)},
      {12, 99, 12 - fitting, fitting},  // the last page: nothing below the last row
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.items * 100 + c.scrollTo);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (int id = 1; id <= c.items; ++id) InsertAtTop(id);
    SendMessageW(list_, LVM_SCROLL, 0, c.scrollTo * 30);
    std::vector<DrawnRow> rows = Repaint();
    ASSERT_EQ(static_cast<int>(rows.size()), c.count);
    for (int i = 0; i < c.count; ++i) {
      const int row = c.first + i;
      EXPECT_EQ(rows[i].itemID, static_cast<UINT>(row));
      EXPECT_EQ(rows[i].ctlType, ODT_LISTVIEW);
      EXPECT_EQ(rows[i].action, ODA_DRAWENTIRE);
      EXPECT_EQ(rows[i].rect.top, headerHeight_ + i * 30);
      EXPECT_EQ(rows[i].rect.bottom - rows[i].rect.top, 30);
      EXPECT_EQ(rows[i].data, static_cast<ULONG_PTR>(c.items - row));  // the newest first
    }
  }
}

TEST_F(ListViewTest, TheWheelAndTheScrollBarMoveTheTopRowWithinRange) {
  EXPECT_EQ(ScrollBar(), nullptr) << "no rows, no bar";
  for (int id = 1; id <= 20; ++id) InsertAtTop(id);
  const int perPage = static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_EQ(perPage, (200 - headerHeight_) / 30);
  const int maxTop = 20 - perPage;
  HWND bar = ScrollBar();
  ASSERT_NE(bar, nullptr);
  RECT barRect{};
  GetWindowRect(bar, &barRect);
  POINT barOrigin{barRect.left, barRect.top};
  ScreenToClient(list_, &barOrigin);
  EXPECT_EQ(barOrigin.x, 450 - 17) << "at the right edge";
  EXPECT_EQ(quorla_test::ClientEdges(header_)[2], 450 - 17) << "the header leaves the bar free";

  const int barHeight = barRect.bottom - barRect.top;
  auto press = [&](int y) {
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(8, y));
  };
  auto wheel = [&](int delta) { SendMessageW(list_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0); };
  struct Step {
    const char* name;
    std::function<void()> act;
    int top;
  } steps[] = {
      {"a notch down: three rows", [&] { wheel(-120); }, 3},
      {"half a notch: nothing yet", [&] { wheel(-60); }, 3},
      {"the other half: three more", [&] { wheel(-60); }, 6},
      {"a notch up", [&] { wheel(120); }, 3},
      {"the down arrow: a row", [&] { press(barHeight - 5); }, 4},
      {"the up arrow: a row", [&] { press(5); }, 3},
      {"the track below the thumb: a page", [&] { press(barHeight - 20); }, 3 + perPage},
      {"ten notches down: the last page", [&] { wheel(-1200); }, maxTop},
      {"the down arrow at the end: nothing", [&] { press(barHeight - 5); }, maxTop},
      {"ten notches up: the first row", [&] { wheel(1200); }, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(Top(), step.top) << step.name;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    SendMessageW(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.nPos, step.top) << step.name;
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, static_cast<UINT>(perPage));
  }
  // The rows the parent draws follow the top row.
  wheel(-120);
  std::vector<DrawnRow> rows = Repaint();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().itemID, 3u);

  // Fewer rows than fit: the bar goes and the first row is on top again.
  while (SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0) > 2) SendMessageW(list_, LVM_DELETEITEM, 0, 0);
  EXPECT_EQ(ScrollBar(), nullptr);
  EXPECT_EQ(Top(), 0);
  EXPECT_EQ(quorla_test::ClientEdges(header_)[2], 450);
}

TEST_F(ListViewTest, DraggingTheThumbScrollsToTheRowUnderIt) {
  for (int id = 1; id <= 40; ++id) InsertAtTop(id);
  const int perPage = static_cast<int>(SendMessageW(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  HWND bar = ScrollBar();
  ASSERT_NE(bar, nullptr);
  RECT barRect{};
  GetClientRect(bar, &barRect);
  const int track = barRect.bottom - 2 * 17;
  const int thumb = track * perPage / 40;
  // Grab the thumb's middle at the top and drag it down by the whole travel.
  const int grab = 17 + thumb / 2;
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, grab));
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8, grab + (track - thumb) / 2));
  const int halfway = Top();
  EXPECT_NEAR(halfway, (40 - perPage) / 2, 1);
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8, grab + track));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(8, grab + track));
  EXPECT_EQ(Top(), 40 - perPage);
  EXPECT_EQ(GetCapture(), nullptr);
}

// A header procedure that keeps the default layout but makes the header 23
// pixels high, as a program's skinned header does.
WNDPROC g_headerDefault = nullptr;
int g_layouts = 0;
LRESULT CALLBACK TallerHeader(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(g_headerDefault, hwnd, message, wParam, lParam);
  if (message == HDM_LAYOUT) {
    ++g_layouts;
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    layout->pwpos->cy = 23;
    layout->prc->top = 23;
  }
  return result;
}

TEST_F(ListViewTest, TheHeaderIsLaidOutThroughItsSubclassAndRowsStartBelowIt) {
  g_layouts = 0;
  g_headerDefault = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TallerHeader)));
  // A column inserted after the subclass lays the list out again.
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_TEXT;
  column.cx = 80;
  column.pszText = const_cast<LPWSTR>(u"设置时间");
  ASSERT_EQ(SendMessageW(list_, LVM_INSERTCOLUMNW, 3, reinterpret_cast<LPARAM>(&column)), 3);
  EXPECT_GT(g_layouts, 0);
  EXPECT_EQ(quorla_test::ClientEdges(header_)[3], 23);
  InsertAtTop(1);
  EXPECT_EQ(ItemEdges(0), (quorla_test::Edges{0, 23, 510, 53}));
  SetWindowLongPtrW(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_headerDefault));
}

TEST_F(ListViewTest, RowsAreAsHighAsTheFontsLineWithoutAnImageList) {
  InsertAtTop(1);
  EXPECT_EQ(ItemEdges(0)[3] - ItemEdges(0)[1], 30);
  EXPECT_EQ(SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, 0), reinterpret_cast<LRESULT>(images_));
  const LONG plain = ItemEdges(0)[3] - ItemEdges(0)[1];
  EXPECT_GT(plain, 10);
  EXPECT_LT(plain, 30);
}

// A program's background for the list: red over the whole client area.
WNDPROC g_listDefault = nullptr;
LRESULT CALLBACK RedBackground(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_ERASEBKGND) return CallWindowProcW(g_listDefault, hwnd, message, wParam, lParam);
  RECT client{};
  GetClientRect(hwnd, &client);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(reinterpret_cast<HDC>(wParam), &client, red);
  DeleteObject(red);
  return 1;
}

TEST_F(ListViewTest, AProgramsBackgroundNeverCoversTheHeaderOrTheScrollBar) {
  for (int id = 1; id <= 20; ++id) InsertAtTop(id);
  ASSERT_NE(ScrollBar(), nullptr);
  EXPECT_TRUE(GetWindowLongPtrW(list_, GWL_STYLE) & WS_CLIPCHILDREN);
  g_listDefault = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RedBackground)));
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(quorla_test::PixelOf(list_, 100, headerHeight_ + 10), RGB(255, 0, 0));
  EXPECT_NE(quorla_test::PixelOf(header_, 100, headerHeight_ / 2), RGB(255, 0, 0));
  EXPECT_NE(quorla_test::PixelOf(ScrollBar(), 8, 100), RGB(255, 0, 0));
  SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listDefault));
}

TEST(ImageList, KeepsItsSizeAndRefusesWhatIsNoList) {
  HIMAGELIST list = ImageList_Create(16, 30, ILC_COLOR24 | ILC_MASK, 0, 1);
  ASSERT_NE(list, nullptr);
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 30);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list)) << "already gone";
  EXPECT_FALSE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(ImageList_Create(0, 30, ILC_COLOR24, 0, 0), nullptr);
}

}  // namespace
