#include "window_pixels.h"

#include "win/dc.h"
#include "win/dib.h"
#include "win/blit.h"
#include "win/gdi_objects.h"
#include "win/painting.h"

namespace quorla_test {

COLORREF PixelOf(HWND hwnd, int x, int y) {
  HDC window = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 1;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  *static_cast<DWORD*>(bits) = 0x00FF00FF;  // magenta: "nothing copied"
  BitBlt(memory, 0, 0, 1, 1, window, x, y, SRCCOPY);
  const DWORD pixel = *static_cast<DWORD*>(bits) & 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, window);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace quorla_test
