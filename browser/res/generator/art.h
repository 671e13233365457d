#pragma once

#include <QImage>
#include <QList>

// One function per image of the browser's main window, each returning the
// finished image at the size the program cuts it at (frames side by side).
namespace art {

// Frame of the window (single images but the caption).
QImage LeftBorder();            // 1 x 8, stretched to the client height
QImage RightBorder();           // 1 x 8, stretched to the client height
QImage BottomBorder();          // 8 x 1, stretched to the client width
QImage Caption();               // 3 frames: left end, middle (stretched), right end
QImage CaptionButtonBar();      // the caption buttons' background, 25 high
QImage NavigationRow();         // the navigation row and its bars' background
QImage FavouritesRow();         // the favourites row and its bar's background
QImage StatusBar();
QImage Logo();                  // 16 x 16, left of the caption text

// Four looks side by side: normal, hover, pressed, disabled.
QImage MinimiseButton();
QImage MaximiseButton();
QImage RestoreButton();
QImage CloseButton();
QImage BackButton();
QImage ForwardButton();
QImage StopButton();
QImage RefreshButton();

// Two frames: the left end, then the middle that is stretched to length.
// The right end is left open: the go and search buttons close the boxes.
QImage AddressFrame();
QImage SearchFrame();

// The favourites bar's overflow button, four looks, opaque: the program
// copies it without blending, so it carries the favourites row beneath it.
QImage OverflowButton();

// The program's icon at one square size (16, 32, 48).
QImage ProductIcon(int size);

// Bitmap strips of the text boxes' buttons, four looks, opaque: each is
// copied as it is, so it carries the row (or the box) beneath it.
QImage GoButton();              // closes the address box's right end
QImage SearchButton();          // closes the search box's right end
QImage SiteChooserButton();     // the small drop-down mark inside the search box

// Three-slice skins, nine frames: left, middle, right of the normal, hover
// and pressed looks.
QImage ToolbarSkin();           // the main toolbar's buttons, 32 high
QImage FavouritesSkin();        // the favourites bar's buttons
QImage ChooserEntrySkin();      // the site chooser's entries

// Icon strips read a frame at a time.
QImage ToolbarIcons();          // 32-pixel frames: home page, watch list
QImage FavouriteGroupIcons();   // 20-pixel frames, one per shipped group

// 16 x 16 icons.
QImage TaobaoIcon();
QImage JdIcon();
QImage DangdangIcon();
QImage DefaultPageIcon();

// The tab strip.
QImage TabStripBackground();    // 1 x 32, stretched sideways
QImage TabBackground();         // nine 6 x 27 slices: normal, hot, selected
QImage TabCloseGlyph();         // three 14 x 14 frames: normal, hot, pressed
QImage LoadingAnimation();      // eight 16 x 16 frames
QImage HomeButton();            // bitmap strip, four looks, on the strip's colours

}  // namespace art
