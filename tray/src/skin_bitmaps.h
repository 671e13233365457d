#pragma once
// The notice pop-up's skins: PNG resources of the program, decoded once
// (during static initialisation) into process-wide CFSBitmap objects that
// live to the end of the process.
#include "sfwnd/fs_bitmap.h"
#include "win/gdi_objects.h"
#include "win/types.h"

enum SkinId : UINT {
  SKIN_BACKGROUND = 10001,  // 397 x 317, no alpha: the window takes its size
  SKIN_CLOSE = 10002,       // 4 frames: normal, hover, pressed, disabled
  SKIN_OPEN = 10003,        // 4 frames
  SKIN_PRODUCT_BOX = 10004,
  SKIN_PRICE_BOX = 10005,
  SKIN_CURRENCY = 10006,    // 3 frames: grey, black, red
  SKIN_STRIKE = 10007,      // strike-through of the former price
  SKIN_BADGE = 10008,       // badge of the drop box
};

// The PNG resource of type "PNG" decoded by "Gravik.CLibPng"; a bitmap the
// caller owns, or null on any failure.
HBITMAP LoadPngResource(UINT resourceId);

// Decodes every skin into its CFSBitmap, once per process (later calls do
// nothing). A skin that cannot be decoded stays a CFSBitmap that draws
// nothing. True when all were decoded.
bool LoadSkinBitmaps();

// The process-wide bitmap of a skin; for an identifier outside the table, a
// bitmap that draws nothing. User-interface thread only.
CFSBitmap& SkinBitmap(UINT resourceId);
