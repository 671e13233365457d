#include "notice_popup.h"

#include <memory>

#include "dlg_cut_price_notify.h"
#include "win/window_objects.h"

void CutPriceNoticePopup::Show(const ReducePriceItem& item) {
  auto dialog = std::make_unique<CDlgCutPriceNotify>();
  dialog->SetItem(item);
  dialog->DoModal(GetActiveWindow());  // ended by close, open or any WM_CLOSE; the result does not matter
}
