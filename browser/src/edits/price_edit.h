#pragma once
// CPriceEdit: the wished-price box of the price-offer window, in 12-pixel
// 宋体, whose hint asks for the price the user would pay.
#include "hint_edit.h"

class CPriceEdit : public CHintEdit {
 public:
  CPriceEdit() : CHintEdit(u"宋体", 12) {}
};
