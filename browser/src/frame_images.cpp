#include "frame_images.h"

void FrameImages::Load() {
  struct Entry {
    UINT id;
    CMyImage* image;
    int frames;
  };
  const Entry entries[] = {
      {IDP_CAPTION, &caption, 3},          {IDP_LEFT_BORDER, &leftBorder, 1},
      {IDP_RIGHT_BORDER, &rightBorder, 1}, {IDP_BOTTOM_BORDER, &bottomBorder, 1},
      {IDP_STATUS_BAR, &statusBar, 1},     {IDP_NAVIGATION_ROW, &navigationRow, 1},
      {IDP_FAVOURITES_ROW, &favouritesRow, 1}, {IDP_SEARCH_FRAME, &searchFrame, 2},
      {IDP_ADDRESS_FRAME, &addressFrame, 2},   {IDP_CAPTION_LOGO, &logo, 1},
  };
  for (const Entry& entry : entries) LoadPngImage(entry.id, entry.image, 1, entry.frames);
}
