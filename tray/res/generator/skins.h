#pragma once

#include <QImage>

// One function per image of the tray program. Each returns the finished
// image at the size the program cuts it at.
namespace skins {

QImage NoticeBackground();   // 397 x 317, opaque
QImage CloseButton();        // 4 frames of 21 x 20
QImage OpenButton();         // 4 frames of 126 x 31
QImage ProductBox();         // 352 x 46
QImage PriceBox();           // 73 x 56, opaque, stretched sideways
QImage CurrencySigns();      // 3 frames of 10 x 12: grey, black, red
QImage StrikeThrough();      // 7 x 1
QImage DropBadge();          // 32 x 32

// The tray icon drawn for one square size (16, 32, 48).
QImage TrayIcon(int size);

}  // namespace skins
