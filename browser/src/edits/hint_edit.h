#pragma once
// CHintEdit: an edit box that, while empty and without the focus, shows a
// hint text in place of the user's text. The hint is ordinary window text;
// the hint flag tells it apart, and the owner's WM_CTLCOLOR handler colours
// the text from it. The first click into the box takes the hint away; focus
// leaving an empty box (or one whose text reads as the hint, in any case)
// brings it back.
//
// The box makes its own font when its window is created. Everything runs on
// the thread that made the window.
#include "afx/edit.h"
#include "afx/font.h"

class CHintEdit : public CEdit {
 public:
  ~CHintEdit() override;

  // Nothing while the box has the focus (the user is typing: neither the
  // text nor the stored hint changes); otherwise the hint becomes text, the
  // box shows it and the hint flag is set.
  void SetHintText(LPCWSTR text);
  const CString& GetHintText() const { return hintText_; }

  // 1 while the box shows its hint, 0 while it shows the user's text; set
  // from construction on, as an empty box shows the (empty) hint.
  BOOL IsShowingHint() const { return showsHint_; }
  // For an owner that writes the hint into the box itself.
  void SetHintFlag(BOOL showsHint) { showsHint_ = showsHint; }

  // The font the box made for itself (empty before its window exists).
  CFont& OwnFont() { return font_; }

 protected:
  // The face and the cell height, in pixels, of the box's own font.
  CHintEdit(LPCWSTR fontFace, int fontHeight);

  afx_msg int OnCreate(LPCREATESTRUCT create);
  afx_msg BOOL OnKillFocusReflect();
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

  BOOL showsHint_ = TRUE;

 private:
  CString hintText_;
  CFont font_;
  LPCWSTR fontFace_;
  int fontHeight_;
};
