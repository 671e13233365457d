#include "buffered_paint.h"

#include "afx/bitmap.h"

void PaintBuffered(CDC& screen, const CRect& client, const std::function<void(CDC& memory)>& draw) {
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap canvas;
  canvas.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
  CBitmap* previous = memory.SelectObject(&canvas);
  draw(memory);
  screen.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(previous);
}
