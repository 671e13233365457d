#pragma once
// CAddressEdit: the address box of the main window, in 18-pixel Arial. Its
// hint stays empty; the first click into it selects the whole address, so
// typing replaces it.
#include "hint_edit.h"

class CAddressEdit : public CHintEdit {
 public:
  CAddressEdit() : CHintEdit(u"Arial", 18) {}

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
