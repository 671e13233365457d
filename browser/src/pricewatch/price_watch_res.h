#pragma once
// The price watch's resources: its images, bitmap strips and dialogs.
#include "win/types.h"

// The offer bar.
constexpr UINT IDP_OFFER_BAR = 372;          // three 94 x 40 frames
constexpr UINT IDP_OFFER_LOGO = 373;
constexpr UINT IDP_PRICE_BOX_FRAME = 374;
constexpr UINT IDB_CONFIRM = 375;
constexpr UINT IDB_ANY_DROP = 376;
constexpr UINT IDB_OFFER_CLOSE = 377;
constexpr UINT IDP_ANY_DROP_WORDS = 387;
// The price-drop pop-up.
constexpr UINT IDP_POPUP_BACKGROUND = 378;
constexpr UINT IDB_POPUP_CLOSE = 379;
constexpr UINT IDB_OPEN_ITEM = 380;
// The watch-list dialog.
constexpr UINT IDD_CUTPRICE = 381;
constexpr UINT IDP_LIST_HEADER = 382;
constexpr UINT IDP_LIST_DIVIDER = 383;
constexpr UINT IDP_WATCH_LIST_SKIN = 389;
constexpr UINT IDB_WATCH_LIST_CLOSE = 392;
// The settings dialog.
constexpr UINT IDD_CONFIG = 393;
// The toolbar's icons: the second is the price watch's sign.
constexpr UINT IDP_TOOLBAR_ICONS = 354;
constexpr int kToolbarIconWidth = 32;
