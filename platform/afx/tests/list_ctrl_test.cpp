// CListCtrl, CHeaderCtrl and CImageList as a watch list uses them: rows as
// high as an empty image list, each owner-drawn row reflected to the list's
// DrawItem, a subclassed header whose layout makes it taller, and the
// header's end of a column drag heard in the list's own map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx/afxcmn.h"
#include "afx/afxwin.h"
#include "afx_test_support.h"

namespace {

constexpr UINT kListId = 2000;

class CRowList : public CListCtrl {
 public:
  std::vector<UINT> drawnRows;
  std::vector<DWORD_PTR> drawnData;
  int endTracks = 0;

  void DrawItem(LPDRAWITEMSTRUCT item) override {
    EXPECT_EQ(item->hwndItem, m_hWnd);
    drawnRows.push_back(item->itemID);
    drawnData.push_back(item->itemData);
  }

 protected:
  void OnEndTrack(NMHDR* header, LRESULT* result) {
    EXPECT_EQ(header->hwndFrom, GetHeaderCtrl()->m_hWnd);
    ++endTracks;
    *result = 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRowList, CListCtrl)
  ON_NOTIFY(HDN_ENDTRACKW, 0, OnEndTrack)
END_MESSAGE_MAP()

// Keeps the default layout and makes the header 23 pixels high.
class CTallHeader : public CHeaderCtrl {
 public:
  int layouts = 0;

 protected:
  LRESULT OnLayout(WPARAM, LPARAM lParam) {
    LRESULT result = Default();
    ++layouts;
    auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
    layout->pwpos->cy = 23;
    layout->prc->top = 23;
    return result;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTallHeader, CHeaderCtrl)
  ON_MESSAGE(HDM_LAYOUT, OnLayout)
END_MESSAGE_MAP()

class CHost : public CWnd {
 public:
  int drawItems = 0;
  int endTracks = 0;

 protected:
  void OnDrawItem(int, LPDRAWITEMSTRUCT) { ++drawItems; }
  void OnEndTrack(NMHDR*, LRESULT*) { ++endTracks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHost, CWnd)
  ON_WM_DRAWITEM()
  ON_NOTIFY(HDN_ENDTRACKW, 0, OnEndTrack)
END_MESSAGE_MAP()

class ListCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, nullptr, u"host", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_ALIGNLEFT,
                            CRect(1, 32, 477, 266), &host, kListId));
  }
  void TearDown() override {
    host.DestroyWindow();
    afx_test::Drain();
  }

  // The watch list's set-up: the taller header, rows of 30, six columns.
  void SetUpLikeTheWatchList() {
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()->m_hWnd));
    ASSERT_TRUE(rowHeight.Create(16, 30, ILC_COLOR24, 0, 0));
    list.SetImageList(&rowHeight, LVSIL_SMALL);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    const int widths[] = {280, 60, 90, 90, 80, 80};
    for (int i = 0; i < 6; ++i) ASSERT_EQ(list.InsertColumn(i, u"heading", LVCFMT_LEFT, widths[i]), i);
  }
  void AddAtTop(DWORD_PTR id, LPCWSTR title) {
    ASSERT_EQ(list.InsertItem(0, title), 0);
    ASSERT_TRUE(list.SetItemText(0, 5, u"移除  查看"));
    ASSERT_TRUE(list.SetItemData(0, id));
  }

  CHost host;
  CRowList list;
  CTallHeader header;
  CImageList rowHeight;
};

TEST_F(ListCtrlTest, TheHeaderIsTheListsOwnAndASubclassLaysItOut) {
  CHeaderCtrl* before = list.GetHeaderCtrl();
  ASSERT_NE(before, nullptr);
  EXPECT_NE(before, &header) << "a temporary object until one is bound";
  SetUpLikeTheWatchList();
  EXPECT_EQ(list.GetHeaderCtrl(), &header);
  EXPECT_GT(header.layouts, 0);
  CRect headerRect;
  header.GetClientRect(&headerRect);
  EXPECT_EQ(headerRect.Height(), 23);
  EXPECT_EQ(header.GetItemCount(), 6);
  const int widths[] = {280, 60, 90, 90, 80, 80};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(list.GetColumnWidth(i), widths[i]);
}

TEST_F(ListCtrlTest, TheWrapperPassesRowsTextsDataAndHitTestsThrough) {
  SetUpLikeTheWatchList();
  for (DWORD_PTR id = 1; id <= 3; ++id) AddAtTop(id, id == 1 ? u"first" : id == 2 ? u"second" : u"third");
  EXPECT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(list.GetItemText(0, 0), CString(u"third"));
  EXPECT_EQ(list.GetItemText(2, 5), CString(u"移除  查看"));
  EXPECT_EQ(list.GetItemData(0), 3u);
  EXPECT_EQ(list.GetItemData(2), 1u);
  EXPECT_EQ(list.GetItemData(7), 0u);

  LVHITTESTINFO info{};
  info.pt = CPoint(600 + 4, 23 + 30 + 1);
  EXPECT_EQ(list.SubItemHitTest(&info), 1);
  EXPECT_EQ(info.iSubItem, 5);
  CRect cell;
  ASSERT_TRUE(list.GetSubItemRect(1, 5, LVIR_BOUNDS, cell));
  EXPECT_EQ(cell, CRect(600, 53, 680, 83));
  EXPECT_TRUE(list.DeleteItem(1));
  EXPECT_EQ(list.GetItemData(1), 1u);
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListCtrlTest, EachVisibleRowIsDrawnByTheListItselfNotItsParent) {
  SetUpLikeTheWatchList();
  // 234 pixels: the 23 of the header, then seven rows of 30 and a part.
  for (DWORD_PTR id = 1; id <= 12; ++id) AddAtTop(id, u"row");
  list.drawnRows.clear();
  list.Invalidate();
  list.UpdateWindow();
  EXPECT_EQ(list.drawnRows, (std::vector<UINT>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(list.drawnData.front(), 12u);
  EXPECT_EQ(host.drawItems, 0);

  EXPECT_EQ(list.GetCountPerPage(), 7);
  list.Scroll(CSize(0, 2 * 30));
  EXPECT_EQ(list.GetTopIndex(), 2);
  list.drawnRows.clear();
  list.UpdateWindow();
  EXPECT_EQ(list.drawnRows.front(), 2u);
  EXPECT_EQ(list.drawnRows.size(), 8u);
}

TEST_F(ListCtrlTest, TheEndOfAColumnDragReachesTheListsOwnMapFirst) {
  SetUpLikeTheWatchList();
  // A drag of the first divider, as the mouse would make it.
  header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(280, 10));
  header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 10));
  header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
  EXPECT_EQ(list.endTracks, 1);
  EXPECT_EQ(host.endTracks, 0) << "handled by the list";
  EXPECT_EQ(list.GetColumnWidth(0), 300);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(ImageListObject, OwnsItsListAndMakesOnlyOne) {
  CImageList images;
  EXPECT_EQ(images.GetSafeHandle(), nullptr);
  ASSERT_TRUE(images.Create(16, 30, ILC_COLOR24, 0, 0));
  EXPECT_FALSE(images.Create(16, 20, ILC_COLOR24, 0, 0)) << "it has one already";
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
  EXPECT_EQ(cy, 30);
  HIMAGELIST taken = images.Detach();
  EXPECT_EQ(images.GetSafeHandle(), nullptr);
  EXPECT_TRUE(images.Attach(taken));
  EXPECT_TRUE(images.DeleteImageList());
  EXPECT_FALSE(ImageList_GetIconSize(taken, &cx, &cy)) << "the list is gone";
}

}  // namespace
