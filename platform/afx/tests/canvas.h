#pragma once
// A 32-bit top-down DIB section selected into a memory CDC, whose pixels the
// framework's drawing tests read directly.
#include <cstddef>

#include "afx/afxwin.h"

namespace afx_test {

class Canvas {
 public:
  // Starts filled with `background`; black (all zero) unless told otherwise.
  Canvas(int width, int height, COLORREF background = RGB(0, 0, 0)) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    dc.CreateCompatibleDC(nullptr);
    previous_ = dc.SelectObject(&bitmap_)->m_hObject;
    if (background != RGB(0, 0, 0)) dc.FillSolidRect(0, 0, width, height, background);
  }
  ~Canvas() { dc.SelectObject(previous_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  COLORREF At(int x, int y) const {
    const BYTE* p = bits_ + (static_cast<size_t>(y) * width_ + x) * 4;
    return RGB(p[2], p[1], p[0]);
  }
  BYTE* Bits() { return bits_; }

  CDC dc;

 private:
  int width_;
  BYTE* bits_ = nullptr;
  CBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace afx_test
