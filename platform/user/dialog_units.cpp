#include "dialog_units.h"

#include <cstdlib>

#include "win/dc.h"
#include "win/dialogs.h"
#include "win/fonts.h"
#include "win/strings.h"
#include "win/text_draw.h"

namespace quorla {
namespace {

// The dialog font of the platform's own dialogs, whose metrics the
// programs' layouts were drawn for: fixed, so painted texts and controls
// line up whatever face stands in for it here.
bool IsShellDialogFont(const DialogFont& font) {
  return font.pointSize == 8 &&
         (StrCmpIW(font.face.c_str(), u"MS Shell Dlg") == 0 || StrCmpIW(font.face.c_str(), u"MS Shell Dlg 2") == 0);
}

constexpr BaseUnits kShellDialogUnits{6, 13};
constexpr BaseUnits kSystemUnits{8, 16};

}  // namespace

int MultiplyDivide(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(value) * numerator;
  long long half = std::llabs(static_cast<long long>(denominator)) / 2;
  bool negative = (product < 0) != (denominator < 0);
  long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
  return static_cast<int>(negative ? -magnitude : magnitude);
}

BaseUnits SystemBaseUnits() { return kSystemUnits; }

HFONT MakeDialogFont(const DialogFont& font) {
  LOGFONTW description{};
  description.lfHeight = -MultiplyDivide(font.pointSize, 96, 72);
  description.lfWeight = font.weight;
  description.lfItalic = font.italic ? 1 : 0;
  description.lfCharSet = font.charSet;
  size_t length = font.face.size() < LF_FACESIZE - 1 ? font.face.size() : LF_FACESIZE - 1;
  for (size_t i = 0; i < length; ++i) description.lfFaceName[i] = font.face[i];
  return CreateFontIndirectW(&description);
}

BaseUnits BaseUnitsOf(const DialogFont& font, HFONT made) {
  if (IsShellDialogFont(font)) return kShellDialogUnits;
  if (!made) return kSystemUnits;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return kSystemUnits;
  HGDIOBJ previous = SelectObject(dc, made);
  // The average width of the Latin letters, rounded, and the cell height.
  static const WCHAR kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  TEXTMETRICW metrics{};
  BaseUnits units = kSystemUnits;
  if (GetTextExtentPoint32W(dc, kLetters, 52, &extent) && GetTextMetricsW(dc, &metrics) && extent.cx > 0 &&
      metrics.tmHeight > 0) {
    units.x = static_cast<int>((extent.cx / 26 + 1) / 2);
    units.y = static_cast<int>(metrics.tmHeight);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return units;
}

RECT DialogUnitsToPixels(const RECT& units, BaseUnits base) {
  return RECT{MultiplyDivide(units.left, base.x, 4), MultiplyDivide(units.top, base.y, 8),
              MultiplyDivide(units.right, base.x, 4), MultiplyDivide(units.bottom, base.y, 8)};
}

}  // namespace quorla
