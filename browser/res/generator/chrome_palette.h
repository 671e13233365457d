#pragma once

#include <QColor>

#include "palette.h"

// The main window's colours. The accents and the peach bands come from the
// tray's palette, so the browser and its notice read as one product; what
// is new here is what a large window needs: an edge that holds against any
// desktop, and glyph colours for the caption and navigation buttons.
namespace chrome {

inline const QColor kWindowEdge{0xD4, 0x86, 0x5C};
inline const QColor kCaptionTop = palette::kHeaderTop;
inline const QColor kCaptionBottom = palette::kHeaderBottom;
inline const QColor kAccentLight = palette::kAccentLight;
inline const QColor kAccent = palette::kAccent;
inline const QColor kAccentDeep = palette::kAccentDeep;
inline const QColor kRowTop{0xFF, 0xFF, 0xFF};
inline const QColor kRowBottom{0xFF, 0xFA, 0xF6};
inline const QColor kBand = palette::kPanel;
inline const QColor kBandTop{0xFF, 0xF9, 0xF4};
inline const QColor kHairline = palette::kHairline;
inline const QColor kStatusTop = palette::kFooter;
inline const QColor kStatusBottom{0xFF, 0xF1, 0xE6};

// Glyphs of the caption and navigation buttons, by look.
inline const QColor kGlyph{0x5C, 0x47, 0x3C};
inline const QColor kGlyphHot{0x3A, 0x2A, 0x22};
inline const QColor kGlyphDisabled{0xD2, 0xC6, 0xBE};

// Tiles that appear under the pointer.
inline const QColor kTileHover{0xFF, 0xDD, 0xC8};
inline const QColor kTilePressed{0xF8, 0xC4, 0xA4};
inline const QColor kTileHoverOnWhite{0xFF, 0xEB, 0xDE};
inline const QColor kTileEdgeOnWhite{0xF6, 0xCD, 0xB2};
inline const QColor kTilePressedOnWhite{0xFF, 0xD7, 0xBF};
inline const QColor kCloseHover{0xE8, 0x48, 0x2C};
inline const QColor kClosePressed{0xC4, 0x32, 0x1C};

// Text boxes: the address box in a quiet edge, the search box in the accent.
inline const QColor kBoxEdge{0xE3, 0xBF, 0xA6};
inline const QColor kBoxInside{0xFF, 0xFF, 0xFF};
inline const QColor kSearchEdge = palette::kAccent;

}  // namespace chrome
