#pragma once
// The application module: the program's instance handle and the message loop
// of each thread that runs one. One object per program (by custom a global
// named _Module); any thread may use it.
#include <map>
#include <mutex>

#include "atl/message_loop.h"
#include "win/guid.h"
#include "win/hresult.h"
#include "win/modules.h"
#include "win/threads.h"

namespace WTL {

class CAppModule {
 public:
  // objectMap is not used (the framework has no COM object map); null.
  HRESULT Init(void* objectMap, HINSTANCE hInstance, const GUID* libraryId = nullptr) {
    std::lock_guard<std::mutex> guard(lock_);
    instance_ = hInstance ? hInstance : ::GetModuleHandleW(nullptr);
    return S_OK;
  }
  // Forgets the message loops; the loops themselves belong to their threads.
  void Term() {
    std::lock_guard<std::mutex> guard(lock_);
    loops_.clear();
  }

  HINSTANCE GetModuleInstance() const { return instance_; }
  HINSTANCE GetResourceInstance() const { return instance_; }

  // One loop per thread: FALSE when the calling thread has one already.
  BOOL AddMessageLoop(CMessageLoop* loop) {
    if (!loop) return FALSE;
    std::lock_guard<std::mutex> guard(lock_);
    return loops_.emplace(::GetCurrentThreadId(), loop).second ? TRUE : FALSE;
  }
  BOOL RemoveMessageLoop() {
    std::lock_guard<std::mutex> guard(lock_);
    return loops_.erase(::GetCurrentThreadId()) ? TRUE : FALSE;
  }
  CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const {
    std::lock_guard<std::mutex> guard(lock_);
    auto found = loops_.find(threadId);
    return found == loops_.end() ? nullptr : found->second;
  }

 private:
  mutable std::mutex lock_;
  HINSTANCE instance_ = nullptr;
  std::map<DWORD, CMessageLoop*> loops_;
};

}  // namespace WTL
