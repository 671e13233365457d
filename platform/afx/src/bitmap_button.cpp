#include "afx/bitmap_button.h"

#include "afx/dc.h"

namespace {

bool Replace(CBitmap& face, UINT id) {
  if (!id) return true;
  face.DeleteObject();
  return face.LoadBitmap(id) != FALSE;
}

}  // namespace

BOOL CBitmapButton::LoadBitmaps(UINT normal, UINT selected, UINT focused, UINT disabled) {
  bool loaded = normal != 0 && Replace(m_bitmap, normal);
  Replace(m_bitmapSel, selected);
  Replace(m_bitmapFocus, focused);
  Replace(m_bitmapDisabled, disabled);
  return loaded;
}

void CBitmapButton::SizeToContent() {
  BITMAP face{};
  if (!m_bitmap.GetBitmap(&face)) return;
  SetWindowPos(nullptr, 0, 0, face.bmWidth, face.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT item) {
  CBitmap* face = &m_bitmap;
  if ((item->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject) {
    face = &m_bitmapSel;
  } else if ((item->itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject) {
    face = &m_bitmapFocus;
  } else if ((item->itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject) {
    face = &m_bitmapDisabled;
  }
  if (!face->m_hObject) return;
  CDC* target = CDC::FromHandle(item->hDC);
  CDC memory;
  if (!memory.CreateCompatibleDC(target)) return;
  CBitmap* previous = memory.SelectObject(face);
  const RECT& r = item->rcItem;
  target->BitBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(previous);
}
