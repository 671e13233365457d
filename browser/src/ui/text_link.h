#pragma once
// CTextLink: one line of text that behaves as a link: a hand cursor over it,
// and a click (the left button going down on it and up on it) that posts
// WM_LINK_CLICKED to the parent or opens an address with the shell. The
// window is transparent, so the parent's drawing shows around the text.
#include "afx/dc.h"
#include "afx/wnd.h"

class CTextLink : public CWnd {
 public:
  // What a click does: post WM_LINK_CLICKED (the default), or open the
  // address.
  enum : int { kPostToParent = 1, kOpenAddress = 0 };
  enum : int { kNormal = 0, kHover = 1, kPressed = 2 };

  CTextLink();
  ~CTextLink() override;

  // The window "MyTextLink" as a child of parent: child, visible, clipping
  // siblings, at an empty rectangle, control identifier 0, in a class with
  // horizontal and vertical redraw, the arrow cursor and a white background.
  BOOL Create(CWnd* parent);

  // Sets the text and clears the address; no repaint, no resize.
  void SetText(LPCWSTR text);
  const CString& GetText() const { return text_; }
  void SetAddress(LPCWSTR address) { address_ = address; }
  void SetMode(int mode) { mode_ = mode; }
  // A font owned elsewhere; the shared underlined font until set.
  void SetTextFont(CFont* font) { font_ = font; }
  CFont* GetTextFont() const { return font_; }
  int GetLinkState() const { return state_; }

  // (0, 0, text width, text height) in the link's font on its window's DC;
  // the owner sizes the window with it.
  CRect GetTextRect();
  // The text in rect of dc: transparent, the link's font and colour, one
  // line, centred vertically, left-aligned. The parent draws its links
  // itself with it when it repaints beneath them.
  void DrawLink(CDC* dc, const CRect& rect);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  bool Inside(CPoint point) const;
  void ChangeState(int state);
  void Clicked();

  int mode_ = kPostToParent;
  CString text_;
  CString address_;
  int state_ = kNormal;
  CFont* font_;
};
