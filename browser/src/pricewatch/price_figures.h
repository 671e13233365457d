#pragma once
// The whole-yuan figures of the price-drop pop-up. Prices come from the
// watch-list file, which a damaged copy may fill with anything a double
// holds: every figure stays defined (truncated toward zero, clamped to the
// 32-bit range, NaN as 0; vxshared/price_integer.h).
#include "afx/string.h"

// The previous whole yuan less the current whole yuan, formed in 64 bits
// and clamped to the 32-bit range.
int DropInWholeYuan(double previousPrice, double currentPrice);
// "￥<yuan>".
CString YuanText(int yuan);
