// Logical fonts over QFont, and font metrics.
#include <QFontMetrics>
#include <algorithm>
#include <cstring>

#include "device_context.h"
#include "font_faces.h"
#include "font_object.h"
#include "qt_application.h"
#include "win/fonts.h"
#include "win/strings.h"

namespace quorla {
namespace {

LOGFONTW Describe(LONG height, LONG weight, const char16_t* face) {
  LOGFONTW f{};
  f.lfHeight = height;
  f.lfWeight = weight;
  f.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(f.lfFaceName, face, LF_FACESIZE);
  return f;
}

// The pixel size of the em square that gives a character cell of at most
// height pixels.
int PixelSizeForCell(QFont font, int height) {
  int size = height;
  for (int i = 0; i < 64 && size > 1; ++i) {
    font.setPixelSize(size);
    QFontMetrics metrics(font);
    int cell = metrics.ascent() + metrics.descent();
    if (cell <= height) break;
    size = std::max(1, std::min(size - 1, size * height / std::max(cell, 1)));
  }
  return size;
}

}  // namespace

LOGFONTW DefaultGuiFontDescription() { return Describe(-11, FW_NORMAL, u"MS Shell Dlg"); }
LOGFONTW SystemFontDescription() { return Describe(16, FW_BOLD, u"System"); }

const ResolvedFont& FontObject::Resolve() const {
  std::call_once(once_, [this] {
    EnsureQtApplication();
    auto r = std::make_unique<ResolvedFont>();
    const LOGFONTW& d = description;
    size_t faceLength = 0;
    while (faceLength < LF_FACESIZE && d.lfFaceName[faceLength]) ++faceLength;
    QFont font;
    font.setFamilies(FamiliesForFace(QString::fromUtf16(d.lfFaceName, static_cast<qsizetype>(faceLength))));
    LONG weight = d.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(d.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(d.lfItalic != 0);
    font.setUnderline(d.lfUnderline != 0);
    font.setStrikeOut(d.lfStrikeOut != 0);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    // Heights are clamped to what a screen font can sensibly be.
    LONG height = std::clamp<LONG>(d.lfHeight, -2000, 2000);
    if (height < 0) {
      font.setPixelSize(static_cast<int>(-height));
    } else if (height > 0) {
      font.setPixelSize(PixelSizeForCell(font, static_cast<int>(height)));
    } else {
      font.setPixelSize(12);
    }
    QFontMetrics metrics(font);
    r->font = font;
    r->ascent = metrics.ascent();
    r->descent = metrics.descent();
    r->height = r->ascent + r->descent;
    r->averageWidth = metrics.averageCharWidth();
    r->maxWidth = metrics.maxWidth();
    resolved_ = std::move(r);
  });
  return *resolved_;
}

}  // namespace quorla

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (!font) return nullptr;
  return quorla::InsertGdi<HFONT>(std::make_shared<quorla::FontObject>(*font));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW f{};
  f.lfHeight = height;
  f.lfWidth = width;
  f.lfEscapement = escapement;
  f.lfOrientation = orientation;
  f.lfWeight = weight;
  f.lfItalic = static_cast<BYTE>(italic);
  f.lfUnderline = static_cast<BYTE>(underline);
  f.lfStrikeOut = static_cast<BYTE>(strikeOut);
  f.lfCharSet = static_cast<BYTE>(charSet);
  f.lfOutPrecision = static_cast<BYTE>(outPrecision);
  f.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  f.lfQuality = static_cast<BYTE>(quality);
  f.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) lstrcpynW(f.lfFaceName, faceName, LF_FACESIZE);
  return CreateFontIndirectW(&f);
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  auto context = quorla::LookUpDc(dc);
  if (!context || !metrics || !context->state.font) return FALSE;
  const quorla::ResolvedFont& f = context->state.font->Resolve();
  const LOGFONTW& d = context->state.font->description;
  *metrics = TEXTMETRICW{};
  metrics->tmHeight = f.height;
  metrics->tmAscent = f.ascent;
  metrics->tmDescent = f.descent;
  metrics->tmInternalLeading = std::max(0, f.height - f.font.pixelSize());
  metrics->tmAveCharWidth = f.averageWidth;
  metrics->tmMaxCharWidth = f.maxWidth;
  metrics->tmWeight = d.lfWeight == FW_DONTCARE ? FW_NORMAL : d.lfWeight;
  metrics->tmDigitizedAspectX = 96;
  metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFFFC;
  metrics->tmDefaultChar = 0x1F;
  metrics->tmBreakChar = 0x20;
  metrics->tmItalic = d.lfItalic;
  metrics->tmUnderlined = d.lfUnderline;
  metrics->tmStruckOut = d.lfStrikeOut;
  metrics->tmCharSet = d.lfCharSet;
  return TRUE;
}
