#include "get_bitmaps.h"

#include "afx/dc.h"

BOOL CGetBitmaps::LoadStrip(CBitmapButton* button, UINT id) {
  if (!button) return FALSE;
  CBitmap strip;
  if (!strip.LoadBitmap(id)) return FALSE;
  BITMAP size{};
  if (!strip.GetBitmap(&size)) return FALSE;

  // Both contexts are objects of this frame: every return frees them, with
  // the strip deselected first.
  CDC source;
  CDC target;
  if (!source.CreateCompatibleDC(nullptr) || !target.CreateCompatibleDC(nullptr)) return FALSE;
  CBitmap* sourceBefore = source.SelectObject(&strip);

  CBitmap* faces[] = {&button->m_bitmap, &button->m_bitmapSel, &button->m_bitmapFocus, &button->m_bitmapDisabled};
  for (CBitmap* face : faces) face->DeleteObject();

  const int width = size.bmWidth / 4;
  const int height = size.bmHeight;
  BOOL done = TRUE;
  for (int i = 0; i < 4 && done; ++i) {
    CBitmap& face = *faces[i];
    done = face.CreateCompatibleBitmap(&source, width, height);
    if (!done) break;
    CBitmap* previous = target.SelectObject(&face);
    done = target.BitBlt(0, 0, width, height, &source, i * width, 0, SRCCOPY);
    target.SelectObject(previous);
    if (!done) face.DeleteObject();
  }
  source.SelectObject(sourceBefore);
  return done;
}
