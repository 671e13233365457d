#pragma once
// The page parser's strategy objects, one per site type, made on first use
// and kept (owned here) until the cache goes. The lock is held only while
// the cache is looked up or filled, never while a strategy parses (which can
// wait for minutes), so any thread may call.
#include <map>
#include <memory>

#include "critical_section_lock.h"
#include "parse_strategy.h"

// A new strategy for a site type, or none for a type without one.
std::unique_ptr<IParseStrategy> CreateStrategyForType(int type);

class StrategyCache {
 public:
  // The strategy of the type, made when first asked for; null (and nothing
  // cached) for a type without one. The object lives as long as the cache.
  IParseStrategy* GetStrategyForType(int type);

 private:
  OwnedCriticalSection m_lock;
  std::map<int, std::unique_ptr<IParseStrategy>> m_strategies;
};
