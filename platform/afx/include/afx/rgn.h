#pragma once
// CRgn: owns a region.
#include "afx/gdi_object.h"
#include "win/regions.h"

class CRgn : public CGdiObject {
 public:
  static CRgn* FromHandle(HRGN region);
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }

  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  BOOL CreateRectRgnIndirect(LPCRECT rect);
  BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
  // This region becomes a op b (both must exist, and this one too); the
  // region type, or ERROR.
  int CombineRgn(const CRgn* a, const CRgn* b, int mode);
  int CopyRgn(const CRgn* source);
  BOOL SetRectRgn(int left, int top, int right, int bottom);
  int OffsetRgn(int dx, int dy);
  BOOL PtInRegion(int x, int y) const;
  int GetRgnBox(LPRECT box) const;
};
