#include "text_layout.h"

#include "win/text_draw.h"

namespace quorla {
namespace {

const QString kEllipsis = QStringLiteral("...");

// Removes prefix characters: "&&" stands for "&", "&x" underlines x.
QString StripPrefixes(const QString& text, int* underline) {
  QString out;
  *underline = -1;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && *underline < 0) *underline = static_cast<int>(out.size());
    } else if (text[i] == u'&') {
      continue;  // a lone '&' at the end shows nothing
    }
    out += text[i];
  }
  return out;
}

bool IsWide(QChar c) {
  ushort u = c.unicode();
  return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
         (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate();
}

// Greedy wrapping at spaces, and between wide (CJK) characters.
std::vector<QString> Wrap(const QString& paragraph, int maxWidth, const QFontMetrics& metrics) {
  std::vector<QString> lines;
  QString line;
  qsizetype i = 0;
  while (i < paragraph.size()) {
    // The next unit: a run of non-space narrow characters, one wide
    // character (a surrogate pair stays whole), or one space.
    qsizetype j = i + 1;
    if (paragraph[i].isHighSurrogate() && j < paragraph.size()) ++j;
    else if (paragraph[i] != u' ' && !IsWide(paragraph[i]))
      while (j < paragraph.size() && paragraph[j] != u' ' && !IsWide(paragraph[j])) ++j;
    QString unit = paragraph.mid(i, j - i);
    if (!line.isEmpty() && unit != u" " && metrics.horizontalAdvance(line + unit) > maxWidth) {
      while (line.endsWith(u' ')) line.chop(1);
      lines.push_back(line);
      line.clear();
    }
    if (!(line.isEmpty() && unit == u" " && !lines.empty())) line += unit;
    i = j;
  }
  lines.push_back(line);
  return lines;
}

}  // namespace

QString ElideEnd(const QString& text, int maxWidth, const QFontMetrics& metrics) {
  if (metrics.horizontalAdvance(text) <= maxWidth) return text;
  qsizetype low = 0, high = text.size();  // the answer's length lies in [low, high]
  while (low < high) {
    qsizetype mid = (low + high + 1) / 2;
    if (metrics.horizontalAdvance(text.left(mid) + kEllipsis) <= maxWidth) low = mid;
    else high = mid - 1;
  }
  if (low > 0 && text[low - 1].isHighSurrogate()) --low;
  return text.left(low) + kEllipsis;
}

std::vector<TextLine> LayOutText(const QString& text, UINT format, int maxWidth, const QFontMetrics& metrics) {
  std::vector<QString> paragraphs;
  if (format & DT_SINGLELINE) {
    QString single = text;
    single.remove(u'\r');
    single.remove(u'\n');
    paragraphs.push_back(single);
  } else {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    for (const QString& p : normalised.split(u'\n')) paragraphs.push_back(p);
  }
  std::vector<TextLine> lines;
  for (const QString& paragraph : paragraphs) {
    TextLine line;
    line.text = paragraph;
    if (!(format & DT_NOPREFIX)) line.text = StripPrefixes(paragraph, &line.underline);
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE) && maxWidth > 0) {
      for (const QString& part : Wrap(line.text, maxWidth, metrics)) lines.push_back(TextLine{part, 0, -1});
    } else {
      lines.push_back(line);
    }
  }
  bool elide = (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && !(format & DT_CALCRECT);
  for (TextLine& line : lines) {
    if (elide && metrics.horizontalAdvance(line.text) > maxWidth) {
      line.text = ElideEnd(line.text, maxWidth, metrics);
      if (line.underline >= line.text.size() - kEllipsis.size()) line.underline = -1;
    }
    line.width = metrics.horizontalAdvance(line.text);
  }
  return lines;
}

}  // namespace quorla
