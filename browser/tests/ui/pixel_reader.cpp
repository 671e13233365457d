#include "pixel_reader.h"

#include "win/blit.h"
#include "win/dib.h"

namespace ui_test {

Pixels::Pixels(HDC dc, int x, int y, int width, int height) : width_(width), height_(height) { Copy(dc, x, y); }

Pixels::Pixels(HBITMAP bitmap) {
  BITMAP size{};
  if (!bitmap || !GetObjectW(bitmap, sizeof size, &size)) return;
  width_ = size.bmWidth;
  height_ = size.bmHeight;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(dc, bitmap);
  Copy(dc, 0, 0);
  SelectObject(dc, before);
  DeleteDC(dc);
}

Pixels Pixels::OfWindow(CWnd& window) {
  CRect client;
  window.GetClientRect(&client);
  HDC dc = GetDC(window.m_hWnd);
  Pixels pixels(dc, 0, 0, client.Width(), client.Height());
  ReleaseDC(window.m_hWnd, dc);
  return pixels;
}

void Pixels::Copy(HDC dc, int x, int y) {
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
  if (width_ <= 0 || height_ <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!target || !bits) return;
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ before = SelectObject(memory, target);
  BitBlt(memory, 0, 0, width_, height_, dc, x, y, SRCCOPY);
  const auto* bgra = static_cast<const BYTE*>(bits);
  for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
  SelectObject(memory, before);
  DeleteDC(memory);
  DeleteObject(target);
}

COLORREF Pixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

}  // namespace ui_test
