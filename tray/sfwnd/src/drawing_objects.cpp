#include "sfwnd/drawing_objects.h"

#include "win/dib.h"
#include "win/painting.h"

namespace {

class DrawingObjects {
 public:
  DrawingObjects() {
    m_bitmapDc = CreateCompatibleDC(nullptr);
    m_canvasDc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    m_canvasBitmap = CreateCompatibleBitmap(screen, SF_CANVAS_WIDTH, SF_CANVAS_HEIGHT);
    if (screen) ReleaseDC(nullptr, screen);
    if (m_canvasDc && m_canvasBitmap) {
      m_canvasPrevious = SelectObject(m_canvasDc, m_canvasBitmap);
    } else {
      // A canvas without its bitmap would compose into a 1 x 1 surface.
      if (m_canvasDc) DeleteDC(m_canvasDc);
      if (m_canvasBitmap) DeleteObject(m_canvasBitmap);
      m_canvasDc = nullptr;
      m_canvasBitmap = nullptr;
    }
  }
  ~DrawingObjects() {
    if (m_canvasDc) {
      SelectObject(m_canvasDc, m_canvasPrevious);
      DeleteDC(m_canvasDc);
      DeleteObject(m_canvasBitmap);
    }
    if (m_bitmapDc) DeleteDC(m_bitmapDc);
  }
  DrawingObjects(const DrawingObjects&) = delete;
  DrawingObjects& operator=(const DrawingObjects&) = delete;

  HDC m_bitmapDc = nullptr;
  HDC m_canvasDc = nullptr;
  HBITMAP m_canvasBitmap = nullptr;
  HGDIOBJ m_canvasPrevious = nullptr;
};

DrawingObjects& Objects() {
  static DrawingObjects objects;
  return objects;
}

// Static initialisation makes them, so the first paint does not pay for it.
[[maybe_unused]] const DrawingObjects& g_madeAtStart = Objects();

}  // namespace

HDC GetSkinBitmapDC() { return Objects().m_bitmapDc; }

HDC GetCanvasDC() { return Objects().m_canvasDc; }
