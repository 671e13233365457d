#pragma once

#include <QByteArray>
#include <QImage>

// The price watch's images: the offer bar inside the main window, the
// price-drop pop-up and the watch-list dialog. Bitmap strips carry the
// pixels of what lies beneath them in their window, as the main window's do.
namespace art {

// The offer bar, 40 high, in the accent so that white text reads on it.
QImage OfferBarSkin();        // 372: three 94 x 40 frames: left end, middle, right end
QImage OfferBarLogo();        // 373: 72 x 19, a falling-price sign and 降价通知
QImage PriceBoxFrame();       // 374: 149 x 25, around the wished-price box
QImage AnyDropWords();        // 387: 151 x 22, 或不管价格降多少
QImage ConfirmButton();       // 375: bitmap strip, four 86 x 27 looks, 确定
QImage AnyDropButton();       // 376: bitmap strip, four 142 x 26 looks, 有降价就通知我
QImage OfferCloseButton();    // 377: bitmap strip, four 11 x 11 looks

// The price-drop pop-up.
QImage PopupBackground();     // 378: 397 x 317, a dark band behind the item's white title
QImage PopupCloseButton();    // 379: bitmap strip, four 21 x 20 looks
QImage OpenItemButton();      // 380: bitmap strip, four 126 x 31 looks, 打开降价页面

// The watch-list dialog.
QImage WatchListSkin();       // 389: nine 257 x 149 frames, three by three
QImage ListHeaderBackground();// 382: 1 x 23
QImage ListHeaderDivider();   // 383: 1 x 23
QImage WatchListCloseButton();// 392: bitmap strip, four 14 x 14 looks

}  // namespace art

// The two dialog templates, as RT_DIALOG resources hold them.
QByteArray WatchListDialogTemplate();  // 381, DLGTEMPLATEEX
QByteArray SettingsDialogTemplate();   // 393, DLGTEMPLATE
