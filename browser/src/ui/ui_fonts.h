#pragma once
// The browser's shared interface fonts: six process-wide fonts that every
// window drawing text of its own selects. They are the first of the
// browser's process-wide objects; windows keep pointers to them and never
// delete them.
#include "afx/font.h"

// The fonts by the numbers the windows know them by.
enum UiFontNumber : int {
  kUiFontRegular12 = 1,    // caption, status text, toolbars, lists, dialogs
  kUiFontBold12 = 2,       // watch-list dialog, price-offer bar
  kUiFontUnderlined12 = 3, // text links
  kUiFontBold14 = 4,       // price-drop pop-up
  kUiFontRegular14 = 5,    // price-drop pop-up
  kUiFontDialogBold12 = 6, // settings dialog (same look as 2, its own object)
};
constexpr int kUiFontCount = 6;

// The layer's font maker, or one that stands in for it.
using UiFontMaker = HFONT (*)(const LOGFONTW* font);

// Makes the six fonts, in the order 1, 2, 4, 5, 3, 6, and returns font 1.
// Once per process, before any window is made. The results are not
// checked: a font that could not be made stays empty, and a DC it is
// selected into keeps its previous font.
CFont* InitUiFonts();
CFont* InitUiFontsWith(UiFontMaker make);

// Font 1 to 6; null for another number.
CFont* GetUiFont(int number);

// Deletes the fonts in the reverse order of their making, on the ordinary
// exit; the objects stay, empty.
void ReleaseUiFonts();
