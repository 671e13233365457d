#pragma once
// CFont: owns a logical font.
#include "afx/gdi_object.h"
#include "win/fonts.h"

class CFont : public CGdiObject {
 public:
  static CFont* FromHandle(HFONT font);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }

  BOOL CreateFontIndirect(const LOGFONTW* font);
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, LPCWSTR faceName);
  // Fills the description; 0 when there is no font.
  int GetLogFont(LOGFONTW* font) const;
};
