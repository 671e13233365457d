#include "sfwnd/image_wnd.h"

void CImageWnd::Draw(HDC dc, const RECT* area) {
  if (!m_bitmap || !dc || !area) return;
  m_bitmap->StretchFrame(dc, area->left, area->top, area->right - area->left, area->bottom - area->top, 0);
}
