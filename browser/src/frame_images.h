#pragma once
// The images the main window draws its frame, caption and rows from, and
// the sizes of the frame that follow from them.
#include "my_image.h"

struct FrameImages {
  // Loads every image; one that cannot be loaded stays empty, draws nothing
  // and gives its sizes as 0.
  void Load();

  // Heights of the caption, the navigation and favourites rows, the status
  // bar and the bottom border; widths of the side borders.
  int CaptionHeight() const { return caption.m_nFrameHeight; }
  int NavigationHeight() const { return navigationRow.m_nFrameHeight; }
  int FavouritesHeight() const { return favouritesRow.m_nFrameHeight; }
  int StatusHeight() const { return statusBar.m_nFrameHeight; }
  int BottomHeight() const { return bottomBorder.m_nFrameHeight; }
  int LeftWidth() const { return leftBorder.m_nFrameWidth; }
  int RightWidth() const { return rightBorder.m_nFrameWidth; }

  CMyImage caption;        // left end, middle (stretched), right end
  CMyImage leftBorder;     // stretched down the left edge
  CMyImage rightBorder;    // stretched down the right edge
  CMyImage bottomBorder;   // stretched along the bottom edge
  CMyImage statusBar;
  CMyImage navigationRow;
  CMyImage favouritesRow;
  CMyImage searchFrame;    // left end, middle
  CMyImage addressFrame;   // left end, middle
  CMyImage logo;           // left of the caption's title
};

// Resource ids of the frame's images.
constexpr UINT IDP_RIGHT_BORDER = 325;
constexpr UINT IDP_BOTTOM_BORDER = 326;
constexpr UINT IDP_LEFT_BORDER = 327;
constexpr UINT IDP_CAPTION = 329;
constexpr UINT IDP_STATUS_BAR = 330;
constexpr UINT IDP_NAVIGATION_ROW = 331;
constexpr UINT IDP_SEARCH_FRAME = 351;
constexpr UINT IDP_FAVOURITES_ROW = 356;
constexpr UINT IDP_CAPTION_LOGO = 361;
constexpr UINT IDP_ADDRESS_FRAME = 369;
