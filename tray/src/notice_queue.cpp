#include "notice_queue.h"

#include <new>

#include "engine_callback.h"
#include "shopping/reduce_price_item.h"

bool NoticeQueue::Post(std::int32_t kind, void* item, std::int32_t a, std::int32_t b) {
  if (kind != ENGINE_EVENT_PRICE_DROP || !item) return false;
  ScopedLock lock(m_lock);
  try {
    m_notices.push_back(Notice{kind, item, a, b});
  } catch (const std::bad_alloc&) {
    delete static_cast<ReducePriceItem*>(item);
    return false;
  }
  return true;
}

bool NoticeQueue::Take(Notice& notice) {
  ScopedLock lock(m_lock);
  if (m_notices.empty()) return false;
  notice = m_notices.front();
  m_notices.pop_front();
  return true;
}

std::size_t NoticeQueue::Size() {
  ScopedLock lock(m_lock);
  return m_notices.size();
}
