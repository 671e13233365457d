#pragma once
// CCutPriceHeadCtrl: the watch list's header, drawn wholly by the program on
// its own skin, 23 pixels high whatever the font.
#include "afx/header_ctrl.h"
#include "my_image.h"

class CCutPriceHeadCtrl : public CHeaderCtrl {
 public:
  // Loads the skin; call once the header's window is subclassed.
  void LoadSkin();

 protected:
  afx_msg LRESULT OnLayout(WPARAM, LPARAM layout);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  CMyImage background_;  // 382
  CMyImage divider_;     // 383
};
