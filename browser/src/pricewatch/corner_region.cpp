#include "corner_region.h"

#include "win/regions.h"

namespace {

void CutOut(HRGN region, int left, int top, int right, int bottom) {
  HRGN piece = CreateRectRgn(left, top, right, bottom);
  CombineRgn(region, region, piece, RGN_XOR);
  DeleteObject(piece);
}

}  // namespace

HRGN CreateCornerCutRegion(int width, int height) {
  HRGN region = CreateRectRgn(0, 0, width, height);
  if (!region || width < 4 || height < 4) return region;
  const int w = width, h = height;
  CutOut(region, 0, 0, 2, 1);
  CutOut(region, 0, 1, 1, 2);
  CutOut(region, w - 2, 0, w, 1);
  CutOut(region, w - 1, 1, w, 2);
  CutOut(region, 0, h - 1, 2, h);
  CutOut(region, 0, h - 2, 1, h - 1);
  CutOut(region, w - 2, h - 1, w, h);
  CutOut(region, w - 1, h - 2, w, h - 1);
  return region;
}
