#include "strategy_cache.h"

#include <new>

IParseStrategy* StrategyCache::GetStrategyForType(int type) {
  CriticalSectionLock lock(m_lock.get());
  auto it = m_strategies.find(type);
  if (it != m_strategies.end()) return it->second.get();
  std::unique_ptr<IParseStrategy> strategy;
  try {
    strategy = CreateStrategyForType(type);
    if (!strategy) return nullptr;
    return m_strategies.emplace(type, std::move(strategy)).first->second.get();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
