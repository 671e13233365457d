#include <sys/stat.h>
#include <unistd.h>

#include "file_locks.h"
#include "process_presence.h"

namespace quorla {
namespace {

std::string FileOf(const std::string& folder, const char* kind, DWORD processId) {
  return folder + "/" + kind + "-" + std::to_string(processId);
}

}  // namespace

std::string LivenessPath(const std::string& folder, DWORD processId) { return FileOf(folder, "alive", processId); }
std::string WindowListPath(const std::string& folder, DWORD processId) { return FileOf(folder, "windows", processId); }
std::string PostSocketPath(const std::string& folder, DWORD processId) { return FileOf(folder, "posts", processId); }

bool HoldLiveness(const std::string& folder, DWORD processId, std::uint64_t* livenessId) {
  const std::string path = LivenessPath(folder, processId);
  // A cleaner may remove the file while we wait for its lock: then take a
  // fresh one.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = OpenLockFile(path, true);
    if (fd < 0) return false;
    if (!WaitHoldLock(fd)) {
      ::close(fd);
      return false;
    }
    struct stat st;
    if (IsSameFile(fd, path) && ::fstat(fd, &st) == 0) {
      *livenessId = static_cast<std::uint64_t>(st.st_ino);
      return true;  // the descriptor stays open: the lock lives with the process
    }
    ::close(fd);
  }
  return false;
}

Presence CheckPresence(const std::string& folder, DWORD processId, std::uint64_t livenessId) {
  int fd = OpenLockFile(LivenessPath(folder, processId), false);
  if (fd < 0) {
    CleanUpAfter(folder, processId);
    return Presence::kDead;
  }
  struct stat st;
  const bool held = IsLockHeld(fd);
  const bool same = ::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_ino) == livenessId;
  ::close(fd);
  if (held) return same ? Presence::kAlive : Presence::kOther;
  CleanUpAfter(folder, processId);
  return Presence::kDead;
}

void CleanUpAfter(const std::string& folder, DWORD processId) {
  const std::string alive = LivenessPath(folder, processId);
  int fd = OpenLockFile(alive, true);
  if (fd < 0) return;
  if (TryCleanerLock(fd) && !IsLockHeld(fd) && IsSameFile(fd, alive)) {
    const std::string list = WindowListPath(folder, processId);
    ::unlink(list.c_str());
    ::unlink((list + ".new").c_str());
    ::unlink(PostSocketPath(folder, processId).c_str());
    ::unlink(alive.c_str());
  }
  ::close(fd);
}

}  // namespace quorla
