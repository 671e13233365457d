#pragma once
// The last successful parse of each browser view, waiting to be offered,
// and each view's generation: a number from one process-wide counter that
// ForgetView renews whenever the view navigates or goes. A parse may outlast
// its page (a promotion lookup takes minutes), so the parse worker stores,
// marks and announces its result only while the view's generation is still
// the one its request carried. Views are deleted only after ForgetView, so
// an unchanged generation also means the view still lives, and it cannot go
// while the lock is held.
//
// Any thread; one lock of its own, never held while another lock of the
// engine is taken.
#include <cstdint>
#include <map>

#include "engine_lock.h"
#include "shopping/reduce_price_item.h"

class ParsedRecords {
 public:
  ParsedRecords() = default;
  ParsedRecords(const ParsedRecords&) = delete;
  ParsedRecords& operator=(const ParsedRecords&) = delete;

  // The view's generation; a view that has none is given one.
  uint64_t GenerationOf(const void* view);
  // Erases the view's record and gives it a new generation.
  void Forget(const void* view);
  // Copies the view's record; false, record untouched, when it has none.
  bool Copy(const void* view, ReducePriceItem* record);

  // Runs action under the lock while the view's generation is still
  // generation; false, without running it, when the view has moved on.
  // action may call Store.
  template <class Action>
  bool WhileCurrent(const void* view, uint64_t generation, Action action) {
    EngineLockHold hold(m_lock);
    auto it = m_generations.find(view);
    if (it == m_generations.end() || it->second != generation) return false;
    action();
    return true;
  }
  // Keeps record as the view's, replacing an older one. Only inside
  // WhileCurrent.
  void Store(const void* view, const ReducePriceItem& record) { m_records[view] = record; }

 private:
  EngineLock m_lock;
  std::map<const void*, ReducePriceItem> m_records;
  std::map<const void*, uint64_t> m_generations;
};
