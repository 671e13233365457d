#include "sfwnd/sf_txt_wnd.h"

#include <algorithm>
#include <string_view>

#include "sfwnd/markup_fonts.h"
#include "sfwnd/sf_wnd_mgr_interface.h"
#include "win/text_draw.h"

int CSFTxtWnd::Init(ISFWndMgr* manager, CSFWnd* parent, int x, int y, int cx, int cy, int id, int style) {
  return CSFWnd::Init(manager, parent, x, y, cx, cy, id, style | SFWS_OVERBACKGROUND);
}

void CSFTxtWnd::SetText(LPCWSTR markup, UINT format) {
  if (!markup) return;
  m_segments.clear();
  m_segments = ParseMarkup(markup);
  m_text = markup;
  m_format = format;
}

void CSFTxtWnd::Draw(HDC dc, const RECT* area) {
  if (!dc || !area) return;
  SetBkMode(dc, TRANSPARENT);
  COLORREF textBeforeHover = 0;
  if (m_hover) textBeforeHover = SetTextColor(dc, m_hoverColor);
  HGDIOBJ fontBeforeLabel = SelectObject(dc, GetMarkupFont(SF_DEFAULT_LABEL_FONT));

  RECT pen = *area;
  LONG tallest = 0;
  for (const MarkupSegment& segment : m_segments) {
    const bool colored = !m_hover && (segment.flags & MARKUP_HAS_COLOR);
    COLORREF textBefore = 0;
    if (colored) textBefore = SetTextColor(dc, segment.color);
    HFONT font = GetMarkupFont(segment.font);
    HGDIOBJ fontBefore = font ? SelectObject(dc, font) : nullptr;

    std::u16string_view rest = segment.text;
    while (true) {
      const size_t lineEnd = rest.find(u"\r\n");
      const std::u16string_view line = rest.substr(0, lineEnd);
      RECT box = pen;
      DrawTextW(dc, line.data(), static_cast<int>(line.size()), &box, m_format);
      SIZE extent{};
      GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &extent);
      OffsetRect(&pen, extent.cx, 0);
      tallest = std::max(tallest, extent.cy);
      if (lineEnd == std::u16string_view::npos) break;
      OffsetRect(&pen, area->left - pen.left, m_lineSpacing + tallest);
      rest.remove_prefix(lineEnd + 2);
    }

    if (colored) SetTextColor(dc, textBefore);
    if (fontBefore) SelectObject(dc, fontBefore);
  }

  if (fontBeforeLabel) SelectObject(dc, fontBeforeLabel);
  if (m_hover) SetTextColor(dc, textBeforeHover);
}

int CSFTxtWnd::OnMouseEnter(const POINT*) {
  if (m_linkMode && !m_hover) {
    m_hover = true;
    Redraw();
  }
  return 0;
}

int CSFTxtWnd::OnMouseLeave() {
  if (m_linkMode && m_hover) {
    m_hover = false;
    Redraw();
  }
  return 0;
}

int CSFTxtWnd::OnLButtonDown(const POINT*) {
  if (!m_pressed) {
    m_pressed = true;
    Redraw();
    if (m_manager) m_manager->SetCaptureWnd(this);
  }
  return 1;
}

int CSFTxtWnd::OnLButtonUp(const POINT*) {
  if (m_pressed && m_manager) m_manager->ReleaseCaptureWnd(this);
  return 1;
}

int CSFTxtWnd::OnCaptureLost() {
  if (m_pressed) {
    m_pressed = false;
    Redraw();
    if (m_hover && m_manager) m_manager->SendCommand(this, SFN_CLICKED, static_cast<UINT>(m_id));
  }
  return 0;
}
