// The header control: its items, its default layout, hit tests, and the
// divider drag that resizes a column and tells the list's parent, with the
// pointer given to the toolkit as the desktop would give it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pointer_input.h"
#include "window_test_support.h"
#include "win/list_view.h"

namespace {

using quorla_test::WindowLog;

struct Heard {
  HWND from;
  UINT code;
  int item;
  int width;
};

class HeaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_.handlers[WM_NOTIFY] = [this](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
      const auto* header = reinterpret_cast<const NMHEADERW*>(lParam);
      const bool isHeader = header->hdr.code <= HDN_FIRST && header->hdr.code > HDN_FIRST - 100;
      if (!isHeader) return 0;
      heard_.push_back(Heard{header->hdr.hwndFrom, header->hdr.code, header->iItem,
                             header->pitem && (header->pitem->mask & HDI_WIDTH) ? header->pitem->cxy : -1});
      return header->hdr.code == HDN_BEGINTRACKW && refuseTrack_;
    };
    parent_ = quorla_test::MakeTopLevel(WS_POPUP | WS_VISIBLE, 40, 40, 500, 300);
    list_ = CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, 0, 0,
                            480, 250, parent_, reinterpret_cast<HMENU>(2000), nullptr, nullptr);
    ASSERT_NE(list_, nullptr);
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW column{};
      column.mask = LVCF_WIDTH | LVCF_TEXT;
      column.cx = widths_[i];
      column.pszText = const_cast<LPWSTR>(u"column");
      SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    header_ = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    quorla_test::DrainMessages();
    heard_.clear();
  }
  void TearDown() override {
    DestroyWindow(parent_);
    quorla_test::DrainMessages();
  }

  std::vector<UINT> Codes() const {
    std::vector<UINT> codes;
    for (const Heard& h : heard_) codes.push_back(h.code);
    return codes;
  }
  // A drag from a point of the header by dx, the pointer given to the
  // toolkit.
  void Drag(int x, int dx) {
    const POINT from = quorla_test::ScreenPoint(header_, x, 8);
    quorla_test::PointerPress(header_, from);
    quorla_test::PointerMove(header_, POINT{from.x + dx / 2, from.y}, true);
    quorla_test::PointerMove(header_, POINT{from.x + dx, from.y}, true);
    quorla_test::PointerRelease(header_, POINT{from.x + dx, from.y});
  }

  WindowLog log_;
  std::vector<Heard> heard_;
  bool refuseTrack_ = false;
  const int widths_[3] = {280, 60, 90};
  HWND parent_ = nullptr, list_ = nullptr, header_ = nullptr;
};

TEST_F(HeaderTest, ItemsLieSideBySideAndHitTestsFindItemsAndDividers) {
  struct Case {
    int x, y;
    int item;
    UINT flags;
  } cases[] = {
      {275, 5, 0, HHT_ONHEADER}, {276, 5, 0, HHT_ONDIVIDER}, {284, 5, 0, HHT_ONDIVIDER},
      {285, 5, 1, HHT_ONHEADER},  {340, 5, 1, HHT_ONDIVIDER}, {420, 5, 2, HHT_ONHEADER},
      {440, 5, -1, HHT_NOWHERE},  {10, -1, -1, HHT_ABOVE},
  };
  for (const Case& c : cases) {
    HDHITTESTINFO info{};
    info.pt = POINT{c.x, c.y};
    EXPECT_EQ(SendMessageW(header_, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), c.item) << c.x;
    EXPECT_EQ(info.flags, c.flags) << c.x;
  }
  RECT item{};
  ASSERT_TRUE(SendMessageW(header_, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(std::make_pair(item.left, item.right), std::make_pair(340, 430));
  EXPECT_FALSE(SendMessageW(header_, HDM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(HeaderTest, TheDefaultLayoutTakesTheTopOfTheRectangle) {
  RECT area{5, 10, 205, 300};
  WINDOWPOS place{};
  HDLAYOUT layout{&area, &place};
  EXPECT_TRUE(SendMessageW(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
  EXPECT_EQ(place.hwnd, header_);
  EXPECT_EQ((quorla_test::Edges{place.x, place.y, place.cx, area.top}), (quorla_test::Edges{5, 10, 200, 10 + place.cy}));
  EXPECT_GT(place.cy, 12);
  EXPECT_EQ(area.bottom, 300);
}

TEST_F(HeaderTest, DraggingADividerResizesTheColumnAndTellsTheListsParent) {
  struct Case {
    const char* name;
    int grabX;  // within the divider's grip
    int dx;
    bool refuse;
    int item;
    int width;  // the item's width afterwards
  } cases[] = {
      {"widen the first column", 281, 40, false, 0, 320},
      {"narrow the second", 338, -25, false, 1, 35},
      {"never below zero", 430, -200, false, 2, 0},
      {"the parent refuses", 281, 40, true, 0, 280},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < 3; ++i) SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), widths_[i]);
    quorla_test::DispatchPending();
    heard_.clear();
    refuseTrack_ = c.refuse;
    Drag(c.grabX, c.dx);
    EXPECT_EQ(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c.item), 0), c.width);
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_FALSE(heard_.empty());
    for (const Heard& h : heard_) {
      EXPECT_EQ(h.from, header_);
      EXPECT_EQ(h.item, c.item);
    }
    EXPECT_EQ(heard_.front().code, HDN_BEGINTRACKW);
    if (c.refuse) {
      EXPECT_EQ(heard_.size(), 1u);
      continue;
    }
    const std::vector<UINT> codes = Codes();
    EXPECT_EQ(codes.back(), HDN_ENDTRACKW);
    EXPECT_EQ(heard_.back().width, c.width);
    EXPECT_NE(std::find(codes.begin(), codes.end(), HDN_TRACKW), codes.end());
    EXPECT_NE(std::find(codes.begin(), codes.end(), HDN_ITEMCHANGEDW), codes.end());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), HDN_ENDTRACKW), 1);
  }
  // The list's cells follow the header.
  for (int i = 0; i < 3; ++i) SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), widths_[i]);
  refuseTrack_ = false;
  Drag(281, 40);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<LPWSTR>(u"x");
  SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT cell{LVIR_BOUNDS, 1, 0, 0};
  ASSERT_TRUE(SendMessageW(list_, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell)));
  EXPECT_EQ(std::make_pair(cell.left, cell.right), std::make_pair(320, 380));
}

TEST_F(HeaderTest, APressAwayFromADividerTracksNothing) {
  Drag(100, 50);
  EXPECT_TRUE(heard_.empty());
  EXPECT_EQ(SendMessageW(list_, LVM_GETCOLUMNWIDTH, 0, 0), 280);
}

}  // namespace
