#pragma once

// Sizes the images are drawn at. The program takes the row heights from the
// images themselves, so these numbers are the layout: the caption buttons
// sit 3 pixels below the top of the caption, the two accent rows close it,
// and the text boxes and their end caps share one height.
namespace metrics {

constexpr int kCaptionHeight = 30;
constexpr int kCaptionButtonTop = 3;
constexpr int kCaptionButtonHeight = 25;   // the caption buttons' bar
constexpr int kCaptionButtonWidth = 28;
constexpr int kAccentRows = 2;             // the last rows of the caption
constexpr int kCaptionEndWidth = 4;        // each of the caption's three frames

constexpr int kNavigationHeight = 36;      // centres a 32-high toolbar skin
constexpr int kNavigationButton = 26;
constexpr int kFavouritesHeight = 26;
constexpr int kStatusHeight = 26;

constexpr int kBoxHeight = 28;             // address and search frames
constexpr int kBoxEndWidth = 8;            // their left end; the second frame is stretched

constexpr int kOverflowWidth = 20;         // one frame of the overflow button

constexpr int kRowImageWidth = 8;          // rows stretched sideways: every column alike

// The text boxes' right ends and the site chooser button inside the search
// box. The go and search buttons share one width: the layout places the
// search text by the one and the search frame by the other.
constexpr int kBoxButtonWidth = 30;
constexpr int kBoxTop = (kNavigationHeight - kBoxHeight) / 2;   // in the row
constexpr int kChooserButtonWidth = 10;    // between the site icon and the text
constexpr int kChooserButtonHeight = 6;    // down to the search frame's inner edge
constexpr int kChooserButtonTop = 20;      // in the search frame (cH + 24)
constexpr int kSearchEdge = 2;             // the search frame's edge

// Toolbar skins: three slices (left end, stretched middle, right end) for
// each of three looks; the bar centres the skin in its row.
constexpr int kSkinSlice = 4;
constexpr int kToolbarSkinHeight = 32;
constexpr int kFavouritesSkinHeight = 21;  // as high as the overflow button's tile
constexpr int kToolbarIcon = 32;           // icons drawn at the button's left edge
constexpr int kFavouriteIcon = 20;

// The tab strip: the background is 32 high, tabs cover rows 2 to 28 and
// the pages start at row 30, so row 29 is the strip's own.
constexpr int kTabStripHeight = 32;
constexpr int kTabTop = 2;
constexpr int kTabHeight = 27;
constexpr int kTabSlice = 6;
constexpr int kCloseGlyph = 14;
constexpr int kPageIcon = 16;
constexpr int kHomeButtonWidth = 26;       // fits in the 30 pixels left of narrow tabs
constexpr int kHomeButtonHeight = 20;
constexpr int kHomeButtonTop = 7;          // in the tab strip

// The site chooser's entries: 80 by 25, stacked, inside a 1-pixel frame.
constexpr int kChooserEntryWidth = 80;
constexpr int kChooserEntryHeight = 25;
constexpr int kSiteIcon = 16;

}  // namespace metrics
