#include "main_frame_rows.h"

#include "ui_fonts.h"
#include "win/text_draw.h"

namespace {

constexpr int kSearchFrameWidth = 290;
constexpr int kSearchFrameFromGo = 300;
constexpr int kSiteIconFromGo = 294;
constexpr int kAddressFrameLeft = 300;
constexpr int kPageIconLeft = 308;
constexpr int kPageIconSize = 16;
constexpr int kSiteIconSquare = 16;
constexpr int kStatusTextLeft = 8;
constexpr int kStatusTextRight = 400;

void DrawStretched(CDC& dc, const CMyImage& image, int frame, int x, int y, int width, int height) {
  if (image.IsNull() || width < 0) return;
  image.Draw(dc, x, y, width, height, frame * image.m_nFrameWidth, 0, image.m_nFrameWidth, image.m_nFrameHeight);
}

}  // namespace

void RowsPainter::DrawBoxes(CDC& dc, const CMyImage* siteIcon,
                            const std::function<void(CDC&, CPoint)>& drawPageIcon) const {
  DrawSearchFrame(dc);
  if (siteIcon && !siteIcon->IsNull()) {
    const int y = m_.captionHeight + (m_.navigationHeight - siteIcon->m_nFrameHeight) / 2;
    siteIcon->DrawFrame(dc, 0, m_.width - m_.goButton.cx - kSiteIconFromGo, y);
  }
  DrawAddressFrame(dc);
  if (drawPageIcon) drawPageIcon(dc, PageIconPlace());
}

void RowsPainter::DrawSearchFrame(CDC& dc) const {
  const CMyImage& frame = images_.searchFrame;
  const int w = frame.m_nFrameWidth;
  const int h = frame.m_nFrameHeight;
  const int x = m_.width - m_.goButton.cx - kSearchFrameFromGo;
  const int y = m_.captionHeight + (m_.navigationHeight - h) / 2;
  DrawStretched(dc, frame, 0, x, y, w, h);
  DrawStretched(dc, frame, 1, x + w, y, kSearchFrameWidth - w, h);
}

void RowsPainter::DrawAddressFrame(CDC& dc) const {
  const CMyImage& frame = images_.addressFrame;
  const int w = frame.m_nFrameWidth;
  const int h = frame.m_nFrameHeight;
  const int y = m_.captionHeight + (m_.navigationHeight - h) / 2;
  DrawStretched(dc, frame, 0, kAddressFrameLeft, y, w, h);
  // Up to the go button, less its own width's gap on the left of it.
  DrawStretched(dc, frame, 1, kAddressFrameLeft + w, y, m_.width - 2 * m_.goButton.cx - 610 - w, h);
}

void RowsPainter::DrawStatusText(CDC& dc, const CString& text) const {
  if (text.IsEmpty()) return;
  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  const COLORREF previousColour = dc.SetTextColor(RGB(0, 0, 0));
  const int previousMode = dc.SetBkMode(TRANSPARENT);
  CRect box = StatusTextRect();
  dc.DrawText(text, box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  dc.SetBkMode(previousMode);
  dc.SetTextColor(previousColour);
  if (previous) dc.SelectObject(previous);
}

CRect RowsPainter::StatusTextRect() const {
  return CRect(kStatusTextLeft, m_.height - m_.statusHeight, kStatusTextRight, m_.height);
}

CPoint RowsPainter::PageIconPlace() const {
  return CPoint(kPageIconLeft, m_.captionHeight + (m_.navigationHeight - kPageIconSize) / 2);
}

CRect RowsPainter::SiteIconSquare(int iconHeight) const {
  const int x = m_.width - m_.searchButton.cx - kSiteIconFromGo;
  const int y = m_.captionHeight + (m_.navigationHeight - iconHeight) / 2;
  return CRect(x, y, x + kSiteIconSquare, y + kSiteIconSquare);
}
