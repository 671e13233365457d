#pragma once
// CInternetException: what the framework's internet classes throw, as a
// pointer made with new; the catcher ends it with Delete.
#include "win/types.h"

class CInternetException {
 public:
  CInternetException(DWORD error, DWORD_PTR context) : m_dwError(error), m_dwContext(context) {}
  virtual ~CInternetException() = default;
  void Delete() { delete this; }

  DWORD m_dwError;  // an ERROR_INTERNET_* or other platform error code
  DWORD_PTR m_dwContext;
};

// Throws a new CInternetException with the error (the calling thread's last
// error when 0).
[[noreturn]] void AfxThrowInternetException(DWORD_PTR context, DWORD error = 0);
