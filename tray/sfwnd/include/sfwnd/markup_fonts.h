#pragma once
// The six label fonts, numbered 1 to 6 as the mark-up names them: Tahoma
// made from the stock DEFAULT_GUI_FONT's description, at heights -11, -11,
// -12, -12, -13, -13 and weights (the stock font's), 700, 400, 700, 400,
// 700. Made on first use, deleted at exit; user-interface thread only.
#include "win/fonts.h"

constexpr int SF_MARKUP_FONT_COUNT = 6;
// Labels draw in font 5 unless the mark-up says otherwise.
constexpr int SF_DEFAULT_LABEL_FONT = 5;

// The table, font n at index n - 1.
const HFONT* GetMarkupFonts();
// Font 1 to 6, null for any other number.
HFONT GetMarkupFont(int number);
