#pragma once
// Line layout for DrawTextW: prefix characters, line breaks, word wrapping
// and ellipses, by the platform's rules. Pure text work over QFontMetrics;
// nothing is drawn here.
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <vector>

#include "win/types.h"

namespace quorla {

struct TextLine {
  QString text;
  int width = 0;
  int underline = -1;  // index of the character a prefix '&' marked, or -1
};

// Splits and formats text for the DT_* format; maxWidth is the width of
// the formatting rectangle (used for wrapping and ellipses).
std::vector<TextLine> LayOutText(const QString& text, UINT format, int maxWidth, const QFontMetrics& metrics);

// The longest start of text that fits maxWidth together with "...".
QString ElideEnd(const QString& text, int maxWidth, const QFontMetrics& metrics);

}  // namespace quorla
