#pragma once
// A critical section the engine owns, and the guard that holds one for a
// scope.
#include "win/critical_section.h"

class EngineLock {
 public:
  EngineLock() { InitializeCriticalSection(&m_section); }
  ~EngineLock() { DeleteCriticalSection(&m_section); }
  EngineLock(const EngineLock&) = delete;
  EngineLock& operator=(const EngineLock&) = delete;

  void Enter() { EnterCriticalSection(&m_section); }
  void Leave() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION m_section;
};

class EngineLockHold {
 public:
  explicit EngineLockHold(EngineLock& lock) : m_lock(lock) { m_lock.Enter(); }
  ~EngineLockHold() { m_lock.Leave(); }
  EngineLockHold(const EngineLockHold&) = delete;
  EngineLockHold& operator=(const EngineLockHold&) = delete;

 private:
  EngineLock& m_lock;
};
