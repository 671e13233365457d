#pragma once
// Where the main window's children go for a given client size: the rows
// under the caption (navigation buttons, main toolbar, the search and
// address boxes with their buttons, the site chooser), the favourites bar,
// the tab strip with its home button and the price offer bar. Pure
// arithmetic on the sizes of the frame images and of the children, so the
// whole table can be checked without a window. Halves are integer
// divisions.
#include "afx/geometry.h"

// The sizes the layout is made of.
struct RowMetrics {
  int width = 0;   // W, the client width
  int height = 0;  // H, the client height
  int captionHeight = 0;     // cH
  int navigationHeight = 0;  // nH
  int favouritesHeight = 0;  // fH
  int statusHeight = 0;      // sH
  int bottomHeight = 0;      // bH
  int leftWidth = 0;         // lW
  int rightWidth = 0;        // rW
  CSize goButton;            // gW by gH
  CSize searchButton;        // sbW by sbH
  int searchFrameHeight = 0;  // the search box frame's height
};

// The children's own sizes that the layout keeps.
struct RowChildSizes {
  CSize navigationBar;   // the navigation buttons' bar
  CSize mainToolbar;
  int favouritesBarHeight = 0;
  CSize chooserButton;
  int chooserEntries = 0;
};

struct RowLayout {
  CRect navigationButtons;
  CRect mainToolbar;
  CRect favouritesBar;
  CRect searchBox;
  CRect addressBox;
  CRect goButton;
  CRect chooserList;
  CRect chooserButton;
  CRect searchButton;
  CRect tabStrip;
  CRect offerBar;
};

RowLayout LayOutRows(const RowMetrics& m, const RowChildSizes& sizes);

// The home button's top-left corner: right after the tabs (tabsWidth, the
// width they take in the strip), in the strip's row.
CPoint HomeButtonPlace(const RowMetrics& m, int tabsWidth);
