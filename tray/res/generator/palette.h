#pragma once

#include <QColor>

// One warm palette for the whole notice: a light card, an orange-red accent
// for everything that says "cheaper", warm greys for the quiet parts.
namespace palette {

inline const QColor kCardBorder{0xE6, 0xA9, 0x86};
inline const QColor kCard{0xFF, 0xFF, 0xFF};
inline const QColor kHeaderTop{0xFF, 0xF4, 0xEA};
inline const QColor kHeaderBottom{0xFF, 0xE7, 0xD4};
inline const QColor kAccentLight{0xFF, 0x8A, 0x3D};
inline const QColor kAccent{0xF5, 0x5B, 0x2A};
inline const QColor kAccentDeep{0xE0, 0x3C, 0x22};
inline const QColor kFooter{0xFF, 0xF9, 0xF4};
inline const QColor kHairline{0xF3, 0xDF, 0xD0};
inline const QColor kPanel{0xFF, 0xF6, 0xEE};
inline const QColor kPanelBorder{0xF4, 0xC9, 0xAB};
inline const QColor kTileBand{0xFF, 0xF0, 0xE4};
inline const QColor kTileBorder{0xF1, 0xD3, 0xBE};
inline const QColor kQuietGrey{0x8C, 0x7C, 0x72};
inline const QColor kDisabledGrey{0xCF, 0xC8, 0xC3};
inline const QColor kInk{0x22, 0x22, 0x22};
inline const QColor kPriceRed{0xE4, 0x39, 0x2F};

}  // namespace palette
