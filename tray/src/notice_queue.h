#pragma once
// The price-drop notices on their way from the check worker to the main
// window: first in, first out. The worker appends (through the main window's
// IEngineCallBack), the main window's notice timer takes them one at a time.
// Every operation takes the queue's lock, which is re-entrant, so a caller
// that already holds it (the worker's hand-over) may append. A notice owns
// its item copy; whoever takes it frees it. Notices still queued when the
// process ends are dropped with it.
#include <cstdint>
#include <deque>

#include "scoped_lock.h"

struct Notice {
  std::int32_t kind;
  void* item;  // a heap ReducePriceItem for ENGINE_EVENT_PRICE_DROP
  std::int32_t a;
  std::int32_t b;
};

class NoticeQueue {
 public:
  NoticeQueue() = default;
  NoticeQueue(const NoticeQueue&) = delete;
  NoticeQueue& operator=(const NoticeQueue&) = delete;

  // Appends a price drop with its item and takes the item over (freeing it
  // when memory runs out); anything else is ignored. True when appended.
  bool Post(std::int32_t kind, void* item, std::int32_t a, std::int32_t b);
  // Takes the front notice; false when the queue is empty.
  bool Take(Notice& notice);
  std::size_t Size();

  // The queue's lock, which also guards the main window's callback pointer.
  CriticalSection& Lock() { return m_lock; }

 private:
  CriticalSection m_lock;
  std::deque<Notice> m_notices;
};
