#include "looks.h"

#include "chrome_palette.h"
#include "drawing.h"

QImage FourLooks(const std::function<QImage(Look)>& frame) {
  const QImage frames[4] = {frame(Look::kNormal), frame(Look::kHover), frame(Look::kPressed),
                            frame(Look::kDisabled)};
  return drawing::Strip(frames, 4);
}

QColor GlyphColour(Look look) {
  switch (look) {
    case Look::kHover:
    case Look::kPressed:
      return chrome::kAccentDeep;
    case Look::kDisabled:
      return chrome::kGlyphDisabled;
    case Look::kNormal:
      break;
  }
  return chrome::kGlyph;
}
