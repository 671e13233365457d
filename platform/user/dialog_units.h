#pragma once
// Dialog units and the base units that turn them into pixels.
#include <optional>

#include "dialog_template.h"
#include "win/geometry.h"
#include "win/gdi_objects.h"

namespace quorla {

struct BaseUnits {
  int x = 0;  // pixels per 4 horizontal dialog units
  int y = 0;  // pixels per 8 vertical dialog units
};

// The platform's rounding product: value * numerator / denominator, halves
// rounded away from zero; -1 for a zero denominator.
int MultiplyDivide(int value, int numerator, int denominator);

// The base units of dialogs without a font of their own.
BaseUnits SystemBaseUnits();
// The base units of a template's font: fixed for "MS Shell Dlg" at 8
// points, otherwise measured from the font made for it.
BaseUnits BaseUnitsOf(const DialogFont& font, HFONT made);
// The font a template asks for; null when it cannot be made.
HFONT MakeDialogFont(const DialogFont& font);

RECT DialogUnitsToPixels(const RECT& units, BaseUnits base);

}  // namespace quorla
