// Mutexes over the wait core; a named mutex also holds the lock of its file
// in the runtime folder for as long as this process keeps a handle to it.
#include <errno.h>
#include <sched.h>
#include <unistd.h>

#include <new>
#include <unordered_map>

#include "file_locks.h"
#include "host_errors.h"
#include "mutex_name.h"
#include "runtime_folder.h"
#include "wait_core.h"
#include "win/last_error.h"
#include "win/mutexes.h"
#include "win/threads.h"

namespace {

// Ownership by threads of this process. The wait core calls the *Locked
// members on the waiting thread, which is how a wait knows who takes it.
class MutexObject : public quorla::Waitable {
 public:
  explicit MutexObject(bool owned) {
    if (owned) {
      owner_ = GetCurrentThreadId();
      count_ = 1;
    }
  }

  bool IsSignaledLocked() const override { return owner_ == 0 || owner_ == GetCurrentThreadId(); }
  void OnWaitSatisfiedLocked() override {
    owner_ = GetCurrentThreadId();
    ++count_;
  }

  bool Release() {
    std::lock_guard<std::mutex> guard(quorla::WaitLock());
    if (owner_ != GetCurrentThreadId()) return false;
    if (--count_ == 0) {
      owner_ = 0;
      WakeWaitersLocked();
    }
    return true;
  }

 private:
  DWORD owner_ = 0;  // under WaitLock
  DWORD count_ = 0;  // under WaitLock
};

// The named mutexes this process created, by file name. An entry whose
// object is expiring stays until the object has let its lock go, so a new
// creation in this process never races with the old one's release.
struct NamedTable {
  std::mutex lock;
  std::unordered_map<std::string, std::weak_ptr<MutexObject>> created;
};

NamedTable& Named() {
  static auto* table = new NamedTable;  // outlives static destructors
  return *table;
}

class NamedMutexObject final : public MutexObject {
 public:
  NamedMutexObject(bool owned, int fd, std::string fileName)
      : MutexObject(owned), fd_(fd), fileName_(std::move(fileName)) {}
  ~NamedMutexObject() override {
    std::lock_guard<std::mutex> guard(Named().lock);
    ::close(fd_);
    Named().created.erase(fileName_);
  }

 private:
  const int fd_;
  const std::string fileName_;
};

// A handle to a mutex that another process created.
class MutexName final : public quorla::KernelObject {};

HANDLE InsertOrFail(std::shared_ptr<quorla::KernelObject> object, DWORD lastError) {
  if (!object) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HANDLE handle = quorla::InsertHandle(std::move(object));
  SetLastError(lastError);
  return handle;
}

// The lock file's path, or empty with the last error set.
std::string LockFilePath(LPCWSTR name, std::string* fileName) {
  DWORD error = ERROR_SUCCESS;
  *fileName = quorla::MutexFileName(name, &error);
  if (fileName->empty()) {
    SetLastError(error);
    return {};
  }
  std::string folder = quorla::RuntimeFolder(&error);
  if (folder.empty()) {
    SetLastError(error);
    return {};
  }
  return folder + "/" + *fileName;
}

// Under the table's lock: the live object created under that file name, or
// null when there is none. Waits out an object that is letting go.
std::shared_ptr<MutexObject> CreatedHereLocked(std::unique_lock<std::mutex>& lock, const std::string& fileName) {
  for (;;) {
    auto it = Named().created.find(fileName);
    if (it == Named().created.end()) return nullptr;
    if (auto object = it->second.lock()) return object;
    lock.unlock();
    sched_yield();
    lock.lock();
  }
}

}  // namespace

HANDLE CreateMutexW(SECURITY_ATTRIBUTES*, BOOL initialOwner, LPCWSTR name) {
  if (!name || !*name) {
    return InsertOrFail(std::shared_ptr<MutexObject>(new (std::nothrow) MutexObject(initialOwner != FALSE)),
                        ERROR_SUCCESS);
  }
  std::string fileName;
  std::string path = LockFilePath(name, &fileName);
  if (path.empty()) return nullptr;

  std::unique_lock<std::mutex> lock(Named().lock);
  if (auto existing = CreatedHereLocked(lock, fileName)) return InsertOrFail(existing, ERROR_ALREADY_EXISTS);
  int fd = quorla::OpenLockFile(path, true);
  if (fd < 0) {
    SetLastError(quorla::ErrorFromErrno(errno));
    return nullptr;
  }
  if (!quorla::TryHoldLock(fd)) {
    const int error = errno;
    ::close(fd);
    if (error != EAGAIN && error != EACCES) {
      SetLastError(quorla::ErrorFromErrno(error));
      return nullptr;
    }
    return InsertOrFail(std::shared_ptr<MutexName>(new (std::nothrow) MutexName), ERROR_ALREADY_EXISTS);
  }
  auto created = std::shared_ptr<NamedMutexObject>(new (std::nothrow)
                                                       NamedMutexObject(initialOwner != FALSE, fd, fileName));
  if (!created) {
    ::close(fd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Named().created[fileName] = created;
  return InsertOrFail(created, ERROR_SUCCESS);
}

HANDLE OpenMutexW(DWORD, BOOL, LPCWSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string fileName;
  std::string path = LockFilePath(name, &fileName);
  if (path.empty()) return nullptr;

  std::unique_lock<std::mutex> lock(Named().lock);
  if (auto existing = CreatedHereLocked(lock, fileName)) return InsertOrFail(existing, ERROR_SUCCESS);
  lock.unlock();
  // Only a test of the lock: taking it, even for a moment, could make a
  // process that creates the mutex right then believe it already exists.
  int fd = quorla::OpenLockFile(path, false);
  const bool held = fd >= 0 && quorla::IsLockHeld(fd);
  if (fd >= 0) ::close(fd);
  if (!held) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return InsertOrFail(std::shared_ptr<MutexName>(new (std::nothrow) MutexName), ERROR_SUCCESS);
}

BOOL ReleaseMutex(HANDLE handle) {
  auto object = quorla::LookUpHandle(handle);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto mutex = std::dynamic_pointer_cast<MutexObject>(object);
  if (!mutex || !mutex->Release()) {
    SetLastError(mutex || std::dynamic_pointer_cast<MutexName>(object) ? ERROR_NOT_OWNER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
