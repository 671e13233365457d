#include "cut_price_head_ctrl.h"

#include "afx/window_dcs.h"
#include "buffered_paint.h"
#include "price_watch_res.h"
#include "ui_fonts.h"
#include "win/header_control.h"
#include "win/text_draw.h"

BEGIN_MESSAGE_MAP(CCutPriceHeadCtrl, CHeaderCtrl)
  ON_MESSAGE(HDM_LAYOUT, OnLayout)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr int kHeaderHeight = 23;

}  // namespace

void CCutPriceHeadCtrl::LoadSkin() {
  LoadPngImage(IDP_LIST_HEADER, &background_, 1, 1);
  LoadPngImage(IDP_LIST_DIVIDER, &divider_, 1, 1);
}

LRESULT CCutPriceHeadCtrl::OnLayout(WPARAM, LPARAM lParam) {
  const LRESULT result = Default();
  auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
  // The skin's height, not the font's.
  const int height = background_.IsNull() ? kHeaderHeight : background_.GetHeight();
  if (layout && layout->pwpos) layout->pwpos->cy = height;
  if (layout && layout->prc) layout->prc->top = (layout->pwpos ? layout->pwpos->y : 0) + height;
  return result;
}

BOOL CCutPriceHeadCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CCutPriceHeadCtrl::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  PaintBuffered(paint, client, [&](CDC& dc) {
    if (!background_.IsNull())
      background_.Draw(dc.m_hDC, client, CRect(0, 0, background_.GetWidth(), background_.GetHeight()));
    CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
    dc.SetBkMode(TRANSPARENT);
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
      CRect rect;
      if (!GetItemRect(i, &rect)) continue;
      rect.DeflateRect(4, 3, 2, 2);
      WCHAR text[257] = {};
      HDITEMW item{};
      item.mask = HDI_TEXT;
      item.pszText = text;
      item.cchTextMax = 256;
      GetItem(i, &item);
      dc.DrawText(text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS);
      if (!divider_.IsNull()) divider_.Draw(dc.m_hDC, rect.right - 1, 0);
    }
    dc.SelectObject(previous);
  });
}
