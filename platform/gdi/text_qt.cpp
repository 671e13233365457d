// Text output: glyphs are rendered by Qt into a coverage mask, which is
// then blended in the DC's text colour into the surface, so text lands in
// any surface layout (bottom-up DIB sections included) under the DC's
// clipping. As on the platform, pixels that text or its opaque background
// touch get an alpha byte of 0 in 32-bit surfaces.
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "device_context.h"
#include "font_object.h"
#include "region_object.h"
#include "text_layout.h"
#include "win/strings.h"
#include "win/text_draw.h"

namespace quorla {
namespace {

QString ToQString(LPCWSTR text, int count) {
  if (!text) return QString();
  if (count < 0) count = lstrlenW(text);
  return QString::fromUtf16(text, count);
}

// Draws one line whose cell's top left is (x, y) in device coordinates,
// inside clip (device coordinates).
void RenderLine(DeviceContext& dc, const ResolvedFont& font, const TextLine& line, int x, int y,
                const QRegion& clip) {
  Surface target = dc.GetSurface();
  if (!target.Writable() || line.text.isEmpty()) return;
  QFontMetrics metrics(font.font);
  QRect cell(x, y, std::max(line.width, 1), font.height);
  QRegion drawable = dc.DrawableRegion().intersected(clip);
  if (dc.state.backMode == OPAQUE) {
    std::uint32_t back = PixelFromColorRef(dc.state.backColor);
    for (const QRect& r : drawable.intersected(cell)) {
      for (int row = r.top(); row <= r.bottom(); ++row) FillPixels(target, r.left(), row, r.width(), back);
    }
  }
  // Glyphs may reach past the advance (italics, overhangs): give them room.
  int pad = font.height / 2 + 2;
  QRect inkBox = cell.adjusted(-pad, 0, pad, 0);
  QRegion inkRegion = drawable.intersected(inkBox);
  if (inkRegion.isEmpty()) return;
  QImage mask(inkBox.size(), QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    painter.setFont(font.font);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(pad, font.ascent), line.text);
    if (line.underline >= 0 && line.underline < line.text.size()) {
      int from = pad + metrics.horizontalAdvance(line.text.left(line.underline));
      int to = pad + metrics.horizontalAdvance(line.text.left(line.underline + 1));
      int underlineY = font.ascent + std::max(1, metrics.underlinePos());
      painter.fillRect(QRect(from, std::min(underlineY, font.height - 1), std::max(to - from, 1), 1), Qt::white);
    }
  }
  std::uint32_t color = PixelFromColorRef(dc.state.textColor);
  std::vector<std::uint32_t> row;
  for (const QRect& r : inkRegion) {
    row.resize(r.width());
    for (int py = r.top(); py <= r.bottom(); ++py) {
      const auto* coverage = reinterpret_cast<const QRgb*>(mask.constScanLine(py - inkBox.top()));
      ReadPixels(target, r.left(), py, r.width(), row.data());
      bool changed = false;
      for (int i = 0; i < r.width(); ++i) {
        std::uint32_t a = static_cast<std::uint32_t>(qAlpha(coverage[r.left() + i - inkBox.left()]));
        if (a == 0) continue;
        std::uint32_t mixed = 0;
        for (int c = 0; c < 24; c += 8) {
          std::uint32_t v = (((color >> c) & 0xFF) * a + ((row[i] >> c) & 0xFF) * (255 - a) + 127) / 255;
          mixed |= v << c;
        }
        row[i] = mixed;
        changed = true;
      }
      if (changed) WritePixels(target, r.left(), py, r.width(), row.data());
    }
  }
}

const ResolvedFont* FontOf(const DeviceContext& dc) { return dc.state.font ? &dc.state.font->Resolve() : nullptr; }

}  // namespace
}  // namespace quorla

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
  auto context = quorla::LookUpDc(dc);
  if (!context || !text || !rect) return 0;
  const quorla::ResolvedFont* font = quorla::FontOf(*context);
  if (!font) return 0;
  QFontMetrics metrics(font->font);
  long long boxWidth = static_cast<long long>(rect->right) - rect->left;
  int maxWidth = static_cast<int>(std::clamp<long long>(boxWidth, 0, INT32_MAX));
  std::vector<quorla::TextLine> lines = quorla::LayOutText(quorla::ToQString(text, count), format, maxWidth, metrics);
  int total = static_cast<int>(lines.size()) * font->height;
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const auto& line : lines) widest = std::max(widest, line.width);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + total;
    return total;
  }
  long long top = rect->top;
  bool single = (format & DT_SINGLELINE) != 0;
  if (single && (format & DT_VCENTER)) top = rect->top + (static_cast<long long>(rect->bottom) - rect->top - total) / 2;
  else if (single && (format & DT_BOTTOM)) top = static_cast<long long>(rect->bottom) - total;
  QPoint origin = context->Origin();
  // A box turned inside out (right left of left, a window narrower than its
  // borders) clips everything away.
  const bool inverted = rect->right < rect->left || rect->bottom < rect->top;
  QRegion clip = (format & DT_NOCLIP) ? context->BaseRegion()
                 : inverted ? QRegion()
                            : QRegion(quorla::RectFromCorners(rect->left, rect->top, rect->right, rect->bottom).translated(origin));
  long long y = top;
  for (const auto& line : lines) {
    long long x = rect->left;
    if (format & DT_CENTER) x = rect->left + (boxWidth - line.width) / 2;
    else if (format & DT_RIGHT) x = static_cast<long long>(rect->right) - line.width;
    if (std::abs(x) < INT32_MAX / 2 && std::abs(y) < INT32_MAX / 2) {
      quorla::RenderLine(*context, *font, line, static_cast<int>(x) + origin.x(), static_cast<int>(y) + origin.y(),
                         clip);
    }
    y += font->height;
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return static_cast<int>(top - rect->top + total);
  return total;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  auto context = quorla::LookUpDc(dc);
  if (!context || (!text && count != 0)) return FALSE;
  const quorla::ResolvedFont* font = quorla::FontOf(*context);
  if (!font) return FALSE;
  quorla::TextLine line;
  line.text = quorla::ToQString(text, count);
  line.width = QFontMetrics(font->font).horizontalAdvance(line.text);
  QPoint origin = context->Origin();
  quorla::RenderLine(*context, *font, line, x + origin.x(), y + origin.y(), context->BaseRegion());
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, LPSIZE size) {
  auto context = quorla::LookUpDc(dc);
  if (!context || !size || (!text && count != 0) || count < 0) return FALSE;
  const quorla::ResolvedFont* font = quorla::FontOf(*context);
  if (!font) return FALSE;
  size->cx = QFontMetrics(font->font).horizontalAdvance(quorla::ToQString(text, count));
  size->cy = font->height;
  return TRUE;
}
