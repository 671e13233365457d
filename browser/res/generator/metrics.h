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

}  // namespace metrics
