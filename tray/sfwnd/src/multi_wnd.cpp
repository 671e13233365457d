#include "sfwnd/multi_wnd.h"

void CMultiWnd::Draw(HDC dc, const RECT* area) {
  if (!area) return;
  for (CSFWnd* child : m_children) {
    RECT visible{};
    if (IntersectRect(&visible, &child->GetWndRect(), area)) child->Draw(dc, &visible);
  }
}
