#include "program_font.h"

#include <QFontMetrics>
#include <QStringList>

QFont ProgramFont() {
  static const QFont font = [] {
    QFont made;
    made.setFamilies(QStringList{QStringLiteral("WenQuanYi Micro Hei")});
    made.setHintingPreference(QFont::PreferFullHinting);
    made.setKerning(false);
    int size = 12;
    for (;;) {
      made.setPixelSize(size);
      const QFontMetrics metrics(made);
      if (metrics.ascent() + metrics.descent() <= 12 || size == 1) break;
      --size;
    }
    return made;
  }();
  return font;
}
