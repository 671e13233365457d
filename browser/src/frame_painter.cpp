#include "frame_painter.h"

#include "afx/bitmap.h"
#include "ui_fonts.h"
#include "win/text_draw.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kTitleColour = RGB(0, 0, 0);
constexpr int kLogoLeft = 6;
// The title's box: from after the logo to short of the links and buttons.
constexpr int kTitleLeft = 30;
constexpr int kTitleTop = 9;
constexpr int kTitleRightMargin = 180;
constexpr int kTitleBottom = 21;

// Frame `frame` of an image stretched onto a rectangle; an image that could
// not be loaded draws nothing.
void DrawFrame(CDC& dc, const CMyImage& image, int frame, int x, int y, int width, int height) {
  if (image.IsNull()) return;
  image.Draw(dc, x, y, width, height, frame * image.m_nFrameWidth, 0, image.m_nFrameWidth, image.m_nFrameHeight);
}

}  // namespace

void FramePainter::Paint(CDC& target, const CString& title, const std::function<void(CDC&)>& drawLinks) const {
  CDC canvas;
  CBitmap bitmap;
  if (!canvas.CreateCompatibleDC(&target) || !bitmap.CreateCompatibleBitmap(&target, width_, height_)) return;
  CBitmap* previous = canvas.SelectObject(&bitmap);
  canvas.FillSolidRect(0, 0, width_, height_, kBackground);
  canvas.SetBkMode(TRANSPARENT);
  DrawCaption(canvas, title);
  if (drawLinks) drawLinks(canvas);
  DrawRows(canvas);
  DrawStatusBar(canvas);
  DrawBorders(canvas);
  target.BitBlt(0, 0, width_, height_, &canvas, 0, 0, SRCCOPY);
  canvas.SelectObject(previous);
}

void FramePainter::DrawCaption(CDC& dc, const CString& title) const {
  const CMyImage& caption = images_.caption;
  const int w = caption.m_nFrameWidth;
  const int h = caption.m_nFrameHeight;
  DrawFrame(dc, caption, 0, 0, 0, w, h);
  if (width_ - 2 * w >= 0) DrawFrame(dc, caption, 1, w, 0, width_ - 2 * w, h);
  DrawFrame(dc, caption, 2, width_ - w, 0, w, h);

  const CMyImage& logo = images_.logo;
  DrawFrame(dc, logo, 0, kLogoLeft, (h - logo.m_nFrameHeight) / 2, logo.m_nFrameWidth, logo.m_nFrameHeight);

  CFont* previous = dc.SelectObject(GetUiFont(kUiFontRegular12));
  const COLORREF previousColour = dc.SetTextColor(kTitleColour);
  CRect box(kTitleLeft, kTitleTop, width_ - kTitleRightMargin, kTitleBottom);
  dc.DrawText(title, box, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  dc.SetTextColor(previousColour);
  if (previous) dc.SelectObject(previous);
}

void FramePainter::DrawRows(CDC& dc) const {
  const int left = images_.LeftWidth();
  const int width = width_ - left - images_.RightWidth();
  if (width < 0) return;
  const int top = images_.CaptionHeight();
  DrawFrame(dc, images_.navigationRow, 0, left, top, width, images_.NavigationHeight());
  DrawFrame(dc, images_.favouritesRow, 0, left, top + images_.NavigationHeight(), width, images_.FavouritesHeight());
}

void FramePainter::DrawStatusBar(CDC& dc) const {
  const int height = images_.StatusHeight();
  DrawFrame(dc, images_.statusBar, 0, 1, height_ - height - images_.BottomHeight(), width_ - 2, height);
}

void FramePainter::DrawBorders(CDC& dc) const {
  const int left = images_.LeftWidth();
  const int right = images_.RightWidth();
  const int bottom = images_.BottomHeight();
  DrawFrame(dc, images_.leftBorder, 0, 0, 0, left, height_);
  DrawFrame(dc, images_.rightBorder, 0, width_ - right, 0, right, height_);
  DrawFrame(dc, images_.bottomBorder, 0, 0, height_ - bottom, width_, bottom);
}
