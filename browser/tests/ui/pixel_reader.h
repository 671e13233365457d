#pragma once
// Reads back what was drawn: the pixels of a DC's area, or of a bitmap.
#include <vector>

#include "afx/afxwin.h"

namespace ui_test {

class Pixels {
 public:
  // Copies width x height from (x, y) of dc.
  Pixels(HDC dc, int x, int y, int width, int height);
  // The whole bitmap (selected into a DC of its own for the copy).
  explicit Pixels(HBITMAP bitmap);
  // What a window shows now, its client area.
  static Pixels OfWindow(CWnd& window);

  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF At(int x, int y) const;
  bool operator==(const Pixels&) const = default;

 private:
  void Copy(HDC dc, int x, int y);
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

}  // namespace ui_test
