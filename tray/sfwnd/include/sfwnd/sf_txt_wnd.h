#pragma once
// CSFTxtWnd: a windowless text label drawn from mark-up (see
// markup_parser.h) over the host's background. Segments flow left to right
// on one line; CR LF starts a new line at the left edge, lower by the
// tallest line so far plus the line spacing. In link mode the label takes
// the hover colour under the pointer and reports a click as SFN_CLICKED.
// User-interface thread only.
#include <string>
#include <vector>

#include "sfwnd/markup_parser.h"
#include "sfwnd/sf_wnd.h"

// Draw flags a label uses unless told otherwise: DT_SINGLELINE |
// DT_NOPREFIX | DT_END_ELLIPSIS.
constexpr UINT SF_LABEL_DEFAULT_FORMAT = 0x8820;
constexpr COLORREF SF_LINK_HOVER_COLOR = RGB(3, 112, 218);

class CSFTxtWnd : public CSFWnd {
 public:
  ~CSFTxtWnd() override = default;
  // As the base, always drawn over the background (transparent).
  int Init(ISFWndMgr* manager, CSFWnd* parent, int x, int y, int cx, int cy, int id, int style) override;
  void Draw(HDC dc, const RECT* area) override;
  int OnMouseEnter(const POINT* point) override;
  int OnMouseLeave() override;
  // A press is always consumed, so it never reaches the host.
  int OnLButtonDown(const POINT* point) override;
  int OnLButtonUp(const POINT* point) override;
  int OnCaptureLost() override;

  // Parses the mark-up and keeps it with the DrawText flags; a null text
  // changes nothing. Does not redraw.
  void SetText(LPCWSTR markup, UINT format);

  void SetLinkMode(bool link) { m_linkMode = link; }
  bool IsLinkMode() const { return m_linkMode; }
  bool IsHovering() const { return m_hover; }
  bool IsPressed() const { return m_pressed; }
  const std::u16string& GetText() const { return m_text; }
  UINT GetFormat() const { return m_format; }
  const std::vector<MarkupSegment>& GetSegments() const { return m_segments; }

 private:
  std::u16string m_text;
  int m_lineSpacing = 2;
  bool m_hover = false;
  bool m_linkMode = false;
  COLORREF m_hoverColor = SF_LINK_HOVER_COLOR;
  UINT m_format = SF_LABEL_DEFAULT_FORMAT;
  bool m_pressed = false;
  std::vector<MarkupSegment> m_segments;
};
