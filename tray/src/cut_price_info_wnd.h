#pragma once
// One price box of the notice pop-up: the box's skin, a currency sign, a
// caption ("原价" former, "现价" current, "直降" drop) and the price as a
// whole number truncated toward zero, in bold Tahoma. The former price is
// struck through; the drop carries a badge. It takes no mouse message, so a
// press on it drags the pop-up. The bitmaps are not owned.
#include <string>

#include "sfwnd/fs_bitmap.h"
#include "sfwnd/sf_wnd.h"

class CCutPriceInfoWnd : public CSFWnd {
 public:
  enum Kind { kFormerPrice = 0, kCurrentPrice = 1, kPriceDrop = 2 };

  ~CCutPriceInfoWnd() override = default;
  void Draw(HDC dc, const RECT* area) override;

  // What the box shows; strike and badge may be null.
  void SetContent(int kind, double value, CFSBitmap* background, CFSBitmap* currency, CFSBitmap* strike,
                  CFSBitmap* badge);

  int GetKind() const { return m_kind; }
  double GetValue() const { return m_value; }
  // The caption of the kind; empty for any other kind.
  std::u16string CaptionText() const;
  // The value as it is printed.
  std::u16string ValueText() const;

 private:
  CFSBitmap* m_background = nullptr;
  CFSBitmap* m_currency = nullptr;
  CFSBitmap* m_strike = nullptr;
  CFSBitmap* m_badge = nullptr;
  int m_kind = -1;
  double m_value = 0.0;
};
