#pragma once
// Holds a critical section for the life of a scope.
#include "win/critical_section.h"

class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
  ~CriticalSectionLock() { LeaveCriticalSection(&m_section); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

// A critical section that initialises and deletes itself.
class OwnedCriticalSection {
 public:
  OwnedCriticalSection() { InitializeCriticalSection(&m_section); }
  ~OwnedCriticalSection() { DeleteCriticalSection(&m_section); }
  OwnedCriticalSection(const OwnedCriticalSection&) = delete;
  OwnedCriticalSection& operator=(const OwnedCriticalSection&) = delete;
  CRITICAL_SECTION& get() { return m_section; }

 private:
  CRITICAL_SECTION m_section;
};
