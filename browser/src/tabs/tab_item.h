#pragma once
// One tab's record, kept as the tab item's lParam, and the program's own
// tab state bits beside the control's TCIS_BUTTONPRESSED.
#include "imaging/dib_image.h"

class CWnd;

// The pointer is over a tab that is not the selected one.
constexpr DWORD TABSTATE_HOT = 0x0400;
// The pointer is inside the tab's close box.
constexpr DWORD TABSTATE_CLOSEHOT = 0x0800;
// The page is loading: the animation is drawn in place of the icon.
constexpr DWORD TABSTATE_LOADING = 0x1000;
// The page icon is drawn.
constexpr DWORD TABSTATE_ICON = 0x2000;
// Every bit the strip reads when it draws a tab.
constexpr DWORD TABSTATE_DRAW_MASK = 0x3C01;

// The default page icon, a 16 x 16 PNG resource.
constexpr UINT kDefaultTabIconId = 362;

// Loads the default page icon into icon (PNG resource kDefaultTabIconId of
// the program); false when the resource is missing or no picture.
bool LoadDefaultTabIcon(CDibImage& icon);

struct TabItem {
  // The default icon loaded at once; an item without it draws no icon.
  explicit TabItem(CWnd* view);
  ~TabItem();
  TabItem(const TabItem&) = delete;
  TabItem& operator=(const TabItem&) = delete;

  CWnd* view;  // the owner's; the strip never deletes it
  int word = 0;
  CDibImage icon{0};
};
