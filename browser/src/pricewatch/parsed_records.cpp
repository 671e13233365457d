#include "parsed_records.h"

#include <atomic>

namespace {

// One counter for the whole process, so no two requests of any engine ever
// share a generation.
std::atomic<uint64_t> g_lastGeneration{0};

uint64_t NewGeneration() { return ++g_lastGeneration; }

}  // namespace

uint64_t ParsedRecords::GenerationOf(const void* view) {
  EngineLockHold hold(m_lock);
  auto [it, added] = m_generations.try_emplace(view, 0);
  if (added) it->second = NewGeneration();
  return it->second;
}

void ParsedRecords::Forget(const void* view) {
  EngineLockHold hold(m_lock);
  m_records.erase(view);
  m_generations[view] = NewGeneration();
}

bool ParsedRecords::Copy(const void* view, ReducePriceItem* record) {
  if (!record) return false;
  EngineLockHold hold(m_lock);
  auto it = m_records.find(view);
  if (it == m_records.end()) return false;
  *record = it->second;
  return true;
}
