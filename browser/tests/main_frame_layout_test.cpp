// Where the main window's rows put their children and their drawn boxes:
// the layout table worked through by hand for a few sizes, then the real
// window's children where the table says.
#include <gtest/gtest.h>

#include "frame_images.h"
#include "main_frame_layout.h"
#include "main_frame_rows.h"
#include "main_frame_test_support.h"

namespace browser_test {
namespace {

// A window of 1280 x 800 with the program's row heights: caption 30,
// navigation row 36, favourites row 26, status bar 26, one-pixel borders,
// go and search buttons 40 x 24, a search frame 28 high.
RowMetrics Wide() {
  RowMetrics m;
  m.width = 1280;
  m.height = 800;
  m.captionHeight = 30;
  m.navigationHeight = 36;
  m.favouritesHeight = 26;
  m.statusHeight = 26;
  m.bottomHeight = 1;
  m.leftWidth = 1;
  m.rightWidth = 1;
  m.goButton = CSize(40, 24);
  m.searchButton = CSize(40, 24);
  m.searchFrameHeight = 28;
  return m;
}

// The same at the smallest size a drag leaves, with an odd navigation row,
// wider borders and go and search buttons of different sizes.
RowMetrics Narrow() {
  RowMetrics m = Wide();
  m.width = 910;
  m.height = 500;
  m.navigationHeight = 35;
  m.leftWidth = 3;
  m.rightWidth = 2;
  m.goButton = CSize(30, 20);
  m.searchButton = CSize(44, 26);
  return m;
}

RowChildSizes Children() {
  RowChildSizes sizes;
  sizes.navigationBar = CSize(104, 26);
  sizes.mainToolbar = CSize(200, 36);
  sizes.favouritesBarHeight = 26;
  sizes.chooserButton = CSize(16, 8);
  sizes.chooserEntries = 3;
  return sizes;
}

TEST(MainFrameLayout, PlacesEachChildOfTheRows) {
  struct Case {
    const char* name;
    RowMetrics metrics;
    CRect RowLayout::*child;
    CRect expected;
  };
  const Case cases[] = {
      {"navigation buttons", Wide(), &RowLayout::navigationButtons, CRect(4, 30, 108, 56)},
      {"main toolbar after them", Wide(), &RowLayout::mainToolbar, CRect(112, 30, 312, 66)},
      {"favourites bar", Wide(), &RowLayout::favouritesBar, CRect(4, 66, 1276, 92)},
      {"search box, 16 high, centred", Wide(), &RowLayout::searchBox, CRect(972, 40, 1230, 56)},
      {"address box up to the go button", Wide(), &RowLayout::addressBox, CRect(328, 39, 890, 57)},
      {"go button", Wide(), &RowLayout::goButton, CRect(890, 36, 930, 60)},
      {"site chooser under the search frame", Wide(), &RowLayout::chooserList, CRect(940, 62, 1022, 139)},
      {"site chooser button", Wide(), &RowLayout::chooserButton, CRect(962, 54, 978, 62)},
      {"search button", Wide(), &RowLayout::searchButton, CRect(1230, 36, 1270, 60)},
      {"tab strip between the rows and the status bar", Wide(), &RowLayout::tabStrip, CRect(1, 92, 1279, 773)},
      {"offer bar above the status bar", Wide(), &RowLayout::offerBar, CRect(2, 733, 1278, 773)},
      // An odd row height rounds both ends down: the boxes keep their heights.
      {"narrow: search box", Narrow(), &RowLayout::searchBox, CRect(598, 39, 856, 55)},
      {"narrow: address box", Narrow(), &RowLayout::addressBox, CRect(328, 38, 540, 56)},
      {"narrow: go button", Narrow(), &RowLayout::goButton, CRect(540, 37, 570, 57)},
      {"narrow: chooser list", Narrow(), &RowLayout::chooserList, CRect(566, 62, 648, 139)},
      {"narrow: chooser button", Narrow(), &RowLayout::chooserButton, CRect(602, 54, 618, 62)},
      {"narrow: search button", Narrow(), &RowLayout::searchButton, CRect(856, 34, 900, 60)},
      {"narrow: tab strip", Narrow(), &RowLayout::tabStrip, CRect(3, 91, 908, 473)},
      {"narrow: offer bar", Narrow(), &RowLayout::offerBar, CRect(2, 433, 908, 473)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RowLayout layout = LayOutRows(c.metrics, Children());
    EXPECT_EQ(layout.*c.child, c.expected);
  }
}

TEST(MainFrameLayout, ChooserListGrowsByItsEntries) {
  for (int entries : {0, 1, 3, 10}) {
    RowChildSizes sizes = Children();
    sizes.chooserEntries = entries;
    EXPECT_EQ(LayOutRows(Wide(), sizes).chooserList.Height(), 25 * entries + 2) << entries;
  }
}

TEST(MainFrameLayout, HomeButtonFollowsTheTabs) {
  EXPECT_EQ(HomeButtonPlace(Wide(), 2), CPoint(3, 99)) << "no tabs";
  EXPECT_EQ(HomeButtonPlace(Wide(), 364), CPoint(365, 99));
  EXPECT_EQ(HomeButtonPlace(Narrow(), 880), CPoint(883, 98));
}

TEST(MainFrameRows, PlacesTheDrawnIconsAndTheStatusText) {
  FrameImages images;
  const RowsPainter wide(images, Wide());
  EXPECT_EQ(wide.StatusTextRect(), CRect(8, 774, 400, 800));
  EXPECT_EQ(wide.PageIconPlace(), CPoint(308, 40));
  EXPECT_EQ(wide.SiteIconSquare(16), CRect(946, 40, 962, 56));
  EXPECT_EQ(wide.SiteIconSquare(12), CRect(946, 42, 962, 58)) << "centred by the icon's own height";
  const RowsPainter narrow(images, Narrow());
  EXPECT_EQ(narrow.StatusTextRect(), CRect(8, 474, 400, 500));
  EXPECT_EQ(narrow.PageIconPlace(), CPoint(308, 39));
  // The click square follows the search button's width, the drawing the go
  // button's: with unequal buttons they part.
  EXPECT_EQ(narrow.SiteIconSquare(16), CRect(572, 39, 588, 55));
}

using MainFrameChildren = MainFrameTest;

CRect ChildRect(CWnd& parent, CWnd& child) {
  CRect r;
  child.GetWindowRect(&r);
  parent.ScreenToClient(&r);
  return r;
}

TEST_F(MainFrameChildren, TakeTheirPlacesAtEverySize) {
  for (bool maximised : {true, false}) {
    SCOPED_TRACE(maximised ? "maximised" : "restored");
    if (!maximised) RestoreTo(40, 30, 1000, 640);
    const RowMetrics m = frame->Metrics();
    ASSERT_EQ(m.width, ClientRect().Width());
    RowChildSizes sizes;
    sizes.navigationBar = frame->NavigationButtons().GetBarRect().Size();
    sizes.mainToolbar = frame->MainToolbar().GetBarRect().Size();
    sizes.favouritesBarHeight = frame->FavouritesBar().GetBarRect().Height();
    CRect chooser;
    frame->ChooserButton().GetClientRect(&chooser);
    sizes.chooserButton = chooser.Size();
    const RowLayout layout = LayOutRows(m, sizes);
    EXPECT_EQ(ChildRect(*frame, frame->NavigationButtons()), layout.navigationButtons);
    EXPECT_EQ(ChildRect(*frame, frame->MainToolbar()), layout.mainToolbar);
    EXPECT_EQ(ChildRect(*frame, frame->FavouritesBar()), layout.favouritesBar);
    EXPECT_EQ(ChildRect(*frame, frame->GoButton()), layout.goButton);
    EXPECT_EQ(ChildRect(*frame, frame->SearchButton()), layout.searchButton);
    EXPECT_EQ(ChildRect(*frame, frame->ChooserButton()), layout.chooserButton);
    const CRect caption = frame->CaptionButtons().GetBarRect();
    EXPECT_EQ(ChildRect(*frame, frame->CaptionButtons()),
              CRect(m.width - caption.Width() - 4, 3, m.width - 4, 3 + caption.Height()));
    EXPECT_EQ(ChildRect(*frame, frame->SettingsLink()).TopLeft(), CPoint(m.width - 130, 10));
    EXPECT_EQ(ChildRect(*frame, frame->FeedbackLink()).TopLeft(), CPoint(m.width - 160, 10));
    EXPECT_EQ(frame->MainToolbar().GetButtonCount(), 2);
  }
}

}  // namespace
}  // namespace browser_test
