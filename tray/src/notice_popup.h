#pragma once
// The notice timer's pop-up: the price-drop notice window, run modally
// over the active window until the user closes it.
#include "notice_timer.h"

class CutPriceNoticePopup final : public INoticePopup {
 public:
  void Show(const ReducePriceItem& item) override;
};
