#include "notice_timer.h"

#include <memory>

#include "engine_callback.h"

bool IsShowablePriceDrop(const ReducePriceItem& copy) {
  // Written so that a NaN on either side fails every comparison and is
  // not shown.
  return copy.CurrentPrice >= 0.0 && copy.PreviousPrice >= 0.0 && copy.CurrentPrice <= copy.PreviousPrice;
}

void NoticeTimer::OnTick(IReducePriceMgr* manager) {
  if (m_showing) return;
  Notice notice;
  if (!m_context.notices.Take(notice)) return;
  if (notice.kind != ENGINE_EVENT_PRICE_DROP || !notice.item) return;
  std::unique_ptr<ReducePriceItem> copy(static_cast<ReducePriceItem*>(notice.item));
  // The item may have been removed, or the list reloaded and renumbered,
  // since the check: then the notice is stale.
  ReducePriceItem* listed = nullptr;
  if (!manager || FAILED(manager->GetItem(copy->Id, &listed))) return;
  if (!IsShowablePriceDrop(*copy)) return;
  m_showing = true;
  m_popup.Show(*copy);
  m_showing = false;
  RemoveWatchedItem(m_context, manager, copy->Id);
}
