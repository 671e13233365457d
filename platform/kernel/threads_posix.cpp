// Threads over pthreads. The handle's object outlives the thread as long as a
// handle to it is open; the thread keeps its own reference while it runs.
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <new>

#include "message_queue.h"
#include "wait_core.h"
#include "win/last_error.h"
#include "win/threads.h"

namespace {

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));

class ThreadObject final : public quorla::Waitable {
 public:
  ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, bool suspended)
      : start(start), parameter(parameter), suspendCount_(suspended ? 1 : 0) {}

  bool IsSignaledLocked() const override { return ended_; }

  // Start-up handshake: the creator learns the id before CreateThread returns.
  void PublishId(DWORD id) {
    std::lock_guard<std::mutex> guard(startLock_);
    id_ = id;
    started_.notify_all();
  }
  DWORD AwaitId() {
    std::unique_lock<std::mutex> lock(startLock_);
    started_.wait(lock, [&] { return id_ != 0; });
    return id_;
  }
  DWORD Id() {
    std::lock_guard<std::mutex> guard(startLock_);
    return id_;
  }

  void WaitWhileSuspended() {
    std::unique_lock<std::mutex> lock(startLock_);
    started_.wait(lock, [&] { return suspendCount_ == 0; });
  }
  DWORD Resume() {
    std::lock_guard<std::mutex> guard(startLock_);
    DWORD previous = suspendCount_;
    if (suspendCount_ > 0 && --suspendCount_ == 0) started_.notify_all();
    return previous;
  }

  void End(DWORD code) {
    std::lock_guard<std::mutex> guard(quorla::WaitLock());
    exitCode_ = code;
    ended_ = true;
    WakeWaitersLocked();
  }
  DWORD ExitCode() {
    std::lock_guard<std::mutex> guard(quorla::WaitLock());
    return ended_ ? exitCode_ : STILL_ACTIVE;
  }

  const LPTHREAD_START_ROUTINE start;
  LPVOID const parameter;

 private:
  std::mutex startLock_;
  std::condition_variable started_;
  DWORD id_ = 0;
  DWORD suspendCount_;
  bool ended_ = false;      // under WaitLock
  DWORD exitCode_ = 0;      // under WaitLock
};

void* ThreadMain(void* argument) {
  // The thread's own reference, dropped when it ends.
  std::shared_ptr<ThreadObject> self(*static_cast<std::shared_ptr<ThreadObject>*>(argument));
  delete static_cast<std::shared_ptr<ThreadObject>*>(argument);
  quorla::EnsureAlternateSignalStack();
  quorla::CurrentThreadQueue();  // posting to a new thread works at once
  self->PublishId(GetCurrentThreadId());
  self->WaitWhileSuspended();
  DWORD code = self->start(self->parameter);
  self->End(code);
  return nullptr;
}

}  // namespace

HANDLE CreateThread(SECURITY_ATTRIBUTES*, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, DWORD* threadId) {
  if (!start) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::shared_ptr<ThreadObject>(new (std::nothrow)
                                                  ThreadObject(start, parameter, (flags & CREATE_SUSPENDED) != 0));
  auto* argument = thread ? new (std::nothrow) std::shared_ptr<ThreadObject>(thread) : nullptr;
  if (!argument) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  // A guard wider than any one frame, so that a runaway recursion faults in
  // the guard (and is seen as a stack overflow) instead of stepping over a
  // single guard page into whatever memory lies below.
  pthread_attr_setguardsize(&attributes, 64 * 1024);
  if (stackSize > 0) {
    size_t size = stackSize < static_cast<size_t>(PTHREAD_STACK_MIN) ? static_cast<size_t>(PTHREAD_STACK_MIN) : stackSize;
    pthread_attr_setstacksize(&attributes, (size + 4095) & ~size_t{4095});
  }
  pthread_t host;
  int error = pthread_create(&host, &attributes, ThreadMain, argument);
  pthread_attr_destroy(&attributes);
  if (error != 0) {
    delete argument;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  DWORD id = thread->AwaitId();
  if (threadId) *threadId = id;
  return quorla::InsertHandle(thread);
}

DWORD ResumeThread(HANDLE handle) {
  auto thread = quorla::LookUpHandleAs<ThreadObject>(handle);
  if (!thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  return thread->Resume();
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode) {
  auto thread = quorla::LookUpHandleAs<ThreadObject>(handle);
  if (!thread || !exitCode) {
    SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = thread->ExitCode();
  return TRUE;
}

DWORD GetThreadId(HANDLE handle) {
  if (handle == kCurrentThread) return GetCurrentThreadId();
  auto thread = quorla::LookUpHandleAs<ThreadObject>(handle);
  if (!thread) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return thread->Id();
}

DWORD GetCurrentThreadId() {
  static thread_local DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
  return id;
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }
HANDLE GetCurrentThread() { return kCurrentThread; }
HANDLE GetCurrentProcess() { return kCurrentProcess; }
